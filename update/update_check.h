// The software update check behind "Update Software": fetch the version
// file, compare its release number with ours, offer the update with the
// release notes, then fetch the installer and say whether to start it.
// The steps run on the GUI thread through a Downloader; the window code
// shows the messages and the progress window and starts the installer.
#pragma once

#include <optional>
#include <string>

#include "base/operator_message.h"
#include "base/program_folder.h"
#include "update/downloader.h"
#include "update/update_server.h"

namespace balancer {

// This program's release; a higher number on the server is newer.
constexpr int kCurrentRelease = 31;
// Release notes beyond this many characters are cut.
constexpr size_t kMaxReleaseNotes = 1400;

// The ActionCode of the update question (UPDATE is yes).
constexpr int kActionSoftwareUpdate = 180;

struct VersionFile {
  int release = 0;    // 0 when the file holds no number
  std::string notes;  // newline-separated, at most kMaxReleaseNotes characters
};

// The first whitespace-free token is the release number (a number that does
// not fit reads as 0); the notes start on the next line.
VersionFile ParseVersionFile(const std::string& content);

// The progress window ("updateclass", titled "update").
constexpr const char* kUpdateWindowClass = "updateclass";
constexpr const char* kUpdateWindowTitle = "update";
const char* ProgressText(bool connecting);

// Messages of the check.
OperatorMessage DownloadErrorMessage();                        // "Error"
OperatorMessage LatestVersionMessage();                        // empty caption
OperatorMessage UpdateOfferMessage(const std::string& notes);  // "Update", UPDATE / CANCEL

// The offer's height: 140 units and 19 more per newline, at most 675.
int UpdateMessageHeight(const std::string& text);

// The check, up to the message it ends with.
struct UpdateCheckResult {
  enum class Outcome { kDownloadError, kLatest, kOffer } outcome = Outcome::kDownloadError;
  VersionFile version;
  OperatorMessage message;
};
UpdateCheckResult CheckForUpdate(Downloader& downloader, const ProgramFolder& folder,
                                 const UpdateServer& server);

// UPDATE: fetch the installer. Start it only when `start`; otherwise show
// the message.
struct UpdateDownloadResult {
  bool start = false;
  std::string installer;  // the local file to start
  std::optional<OperatorMessage> message;
};
UpdateDownloadResult DownloadUpdate(Downloader& downloader, const ProgramFolder& folder,
                                    const UpdateServer& server);

}  // namespace balancer
