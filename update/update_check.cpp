#include "update/update_check.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace balancer {

namespace {

// More than the number and the notes can need; the rest is never read.
constexpr size_t kVersionFileReadLimit = 64 * 1024;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

int ReleaseOfToken(const std::string& token) {
  size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  long long value = 0;
  size_t digits = 0;
  for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i, ++digits) {
    value = value * 10 + (token[i] - '0');
    if (value > 1000000000LL) return 0;  // no sane release number
  }
  if (digits == 0) return 0;
  return static_cast<int>(negative ? -value : value);
}

void RemoveFile(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

bool NonEmptyFile(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return !error && size > 0;
}

// The message window's place: wide enough for the download page address.
constexpr int kMessageX = 290, kMessageWidth = 700;

}  // namespace

VersionFile ParseVersionFile(const std::string& raw) {
  std::string content;
  content.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\0') break;
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    content += raw[i];
  }
  VersionFile file;
  size_t i = 0;
  while (i < content.size() && IsBlank(content[i])) ++i;
  const size_t tokenStart = i;
  while (i < content.size() && !IsBlank(content[i])) ++i;
  file.release = ReleaseOfToken(content.substr(tokenStart, i - tokenStart));
  // The rest of the number's line belongs to it.
  while (i < content.size() && (content[i] == ' ' || content[i] == '\t')) ++i;
  if (i < content.size() && content[i] == '\n') ++i;
  file.notes = content.substr(i, kMaxReleaseNotes);
  return file;
}

const char* ProgressText(bool connecting) {
  return connecting ? "Connecting to server..." : "Downloading...please wait.";
}

OperatorMessage DownloadErrorMessage() {
  return MakeOkMessage("Error",
                       std::string("Download error or network connection not available.\n\n"
                                   "You may need to change your firewall settings.\n\n"
                                   "You can download the software at ") +
                           kDownloadPage,
                       kDarkBlueText, kBeepAsterisk, 240, 200, 800, 240);
}

OperatorMessage LatestVersionMessage() {
  return MakeOkMessage("", "You already have the latest version of the software.", kDarkBlueText,
                       kBeepAsterisk, 390, 270, 500, 140);
}

int UpdateMessageHeight(const std::string& text) {
  const long newlines = static_cast<long>(std::count(text.begin(), text.end(), '\n'));
  return static_cast<int>(std::min<long>(140 + 19 * newlines, 675));
}

OperatorMessage UpdateOfferMessage(const std::string& notes) {
  const std::string text = std::string(
                               "A newer version of the software is available.\n"
                               "Click OK to automatically update the balancer software.\n\n"
                               "Also available at ") +
                           kDownloadPage + "\n\n" + notes;
  const int height = UpdateMessageHeight(text);
  return MakeQuestion("Update", text, kDarkBlueText, kBeepAsterisk, kMessageX, (675 - height) / 2,
                      kMessageWidth, height, "UPDATE", 100, "CANCEL", 100, kActionSoftwareUpdate);
}

UpdateCheckResult CheckForUpdate(Downloader& downloader, const ProgramFolder& folder,
                                 const UpdateServer& server) {
  UpdateCheckResult result;
  result.message = DownloadErrorMessage();
  std::error_code ignored;
  std::filesystem::create_directories(folder.path, ignored);

  downloader.DeleteCacheEntry(server.PlainAddress(kVersionFilePath));
  downloader.DeleteCacheEntry(server.Address(kVersionFilePath));
  const std::string local = folder.File(kVersionFileName);
  // A copy left from an earlier check must not pass for this one.
  RemoveFile(local);
  const std::string address = server.Address(kVersionFilePath);
  if (!IsSecureAddress(address) || downloader.Download(address, local) != 0) return result;

  std::string content;
  {
    std::ifstream in(local, std::ios::binary);
    if (!in) return result;
    content.resize(kVersionFileReadLimit);
    in.read(&content[0], static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<size_t>(in.gcount()));
  }
  RemoveFile(local);

  result.version = ParseVersionFile(content);
  if (result.version.release <= kCurrentRelease) {
    result.outcome = UpdateCheckResult::Outcome::kLatest;
    result.message = LatestVersionMessage();
  } else {
    result.outcome = UpdateCheckResult::Outcome::kOffer;
    result.message = UpdateOfferMessage(result.version.notes);
  }
  return result;
}

UpdateDownloadResult DownloadUpdate(Downloader& downloader, const ProgramFolder& folder,
                                    const UpdateServer& server) {
  UpdateDownloadResult result;
  downloader.DeleteCacheEntry(server.PlainAddress(kInstallerFilePath));
  downloader.DeleteCacheEntry(server.Address(kInstallerFilePath));
  std::error_code ignored;
  std::filesystem::create_directories(folder.path, ignored);
  const std::string local = folder.File(kInstallerFileName);
  // Never start an installer left from before.
  RemoveFile(local);
  const std::string address = server.Address(kInstallerFilePath);
  if (!IsSecureAddress(address) || downloader.Download(address, local) != 0 ||
      !NonEmptyFile(local)) {
    result.message = DownloadErrorMessage();
    return result;
  }
  result.start = true;
  result.installer = local;
  return result;
}

}  // namespace balancer
