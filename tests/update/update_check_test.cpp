// The update check against a fake server: the version file, the release
// comparison, the offer's text and height, the download of the installer
// and when it may be started; https only.
#include "update/update_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

namespace balancer {
namespace {

namespace fs = std::filesystem;

// Serves files by address; records every call in order.
struct FakeDownloader : Downloader {
  long Download(const std::string& url, const std::string& localPath) override {
    calls.push_back("get " + url);
    if (!IsSecureAddress(url)) return 0x800C000DL;  // refused
    auto it = files.find(url);
    if (it == files.end()) return 0x800C0005L;  // not reachable
    std::ofstream(localPath, std::ios::binary) << it->second;
    return status;
  }
  void DeleteCacheEntry(const std::string& url) override { calls.push_back("drop " + url); }

  std::map<std::string, std::string> files;
  std::vector<std::string> calls;
  long status = 0;
};

struct UpdateCheckTest : ::testing::Test {
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("update-check-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    folder.path = (dir / "balancer").string();
  }
  void TearDown() override { fs::remove_all(dir); }
  void Serve(const std::string& version) { fake.files[server.Address(kVersionFilePath)] = version; }

  fs::path dir;
  ProgramFolder folder;
  UpdateServer server;
  FakeDownloader fake;
};

const std::string kVersionUrl = "https://www.halvorntech.com/redezar/dlu/versionv8.dta";
const std::string kInstallerUrl = "https://www.halvorntech.com/redezar/dlu/updatev8.exe";

TEST(UpdateVersionFile, NumberThenNotes) {
  VersionFile f = ParseVersionFile("32\nFaster spins.\nNew help.");
  EXPECT_EQ(f.release, 32);
  EXPECT_EQ(f.notes, "Faster spins.\nNew help.");
  f = ParseVersionFile("  33  \r\nOne\r\nTwo\r\n");
  EXPECT_EQ(f.release, 33);
  EXPECT_EQ(f.notes, "One\nTwo\n");
  EXPECT_EQ(ParseVersionFile("").release, 0);
  EXPECT_EQ(ParseVersionFile("version 40\n").release, 0);  // no number first
  EXPECT_EQ(ParseVersionFile("99999999999999999999\n").release, 0);
  EXPECT_EQ(ParseVersionFile("-5").release, -5);
  EXPECT_EQ(ParseVersionFile("34abc rest").release, 34);
}

TEST(UpdateVersionFile, NotesAreCutAt1400Characters) {
  const std::string notes(2000, 'n');
  VersionFile f = ParseVersionFile("40\n" + notes);
  EXPECT_EQ(f.notes.size(), 1400u);
  EXPECT_EQ(ParseVersionFile("40\nab" + std::string(1, '\0') + "cd").notes, "ab");
}

TEST(UpdateMessages, TheOfferGrows19UnitsPerNewlineUpTo675) {
  OperatorMessage one = UpdateOfferMessage("Faster spins.");
  EXPECT_EQ(one.caption, "Update");
  EXPECT_EQ(one.text,
            "A newer version of the software is available.\n"
            "Click OK to automatically update the balancer software.\n\n"
            "Also available at https://www.halvorntech.com/downloads\n\n"
            "Faster spins.");
  EXPECT_EQ(one.height, 140 + 5 * 19);
  EXPECT_EQ(one.y, (675 - one.height) / 2);
  EXPECT_EQ(one.buttonMode, kTwoButtons);
  EXPECT_EQ(one.firstButtonText, "UPDATE");
  EXPECT_EQ(one.secondButtonText, "CANCEL");
  EXPECT_EQ(one.actionCode, 180);

  std::string forty;
  for (int i = 0; i < 40; ++i) forty += "line\n";
  OperatorMessage tall = UpdateOfferMessage(forty);
  EXPECT_EQ(tall.height, 675);
  EXPECT_EQ(tall.y, 0);
  EXPECT_EQ(UpdateMessageHeight("a\nb"), 159);
  EXPECT_EQ(UpdateMessageHeight(""), 140);
}

TEST(UpdateMessages, FixedTexts) {
  EXPECT_EQ(LatestVersionMessage().caption, "");
  EXPECT_EQ(LatestVersionMessage().text, "You already have the latest version of the software.");
  EXPECT_EQ(DownloadErrorMessage().caption, "Error");
  EXPECT_EQ(DownloadErrorMessage().text,
            "Download error or network connection not available.\n\n"
            "You may need to change your firewall settings.\n\n"
            "You can download the software at https://www.halvorntech.com/downloads");
  EXPECT_STREQ(ProgressText(true), "Connecting to server...");
  EXPECT_STREQ(ProgressText(false), "Downloading...please wait.");
}

TEST_F(UpdateCheckTest, ANewerReleaseIsOfferedWithItsNotes) {
  Serve("32\nFaster spins.");
  UpdateCheckResult r = CheckForUpdate(fake, folder, server);
  EXPECT_EQ(r.outcome, UpdateCheckResult::Outcome::kOffer);
  EXPECT_EQ(r.version.release, 32);
  EXPECT_NE(r.message.text.find("downloads\n\nFaster spins."), std::string::npos);
  // Both cached copies go first; the file is fetched over https only and
  // deleted once read.
  EXPECT_EQ(fake.calls,
            (std::vector<std::string>{"drop http://www.halvorntech.com/redezar/dlu/versionv8.dta",
                                      "drop " + kVersionUrl, "get " + kVersionUrl}));
  EXPECT_FALSE(fs::exists(folder.File("versionv8.dta")));
}

TEST_F(UpdateCheckTest, OurOwnReleaseOrNoNumberIsTheLatest) {
  for (const char* version : {"31\nsame", "30", "", "not a number\n"}) {
    Serve(version);
    UpdateCheckResult r = CheckForUpdate(fake, folder, server);
    EXPECT_EQ(r.outcome, UpdateCheckResult::Outcome::kLatest) << version;
    EXPECT_EQ(r.message.text, "You already have the latest version of the software.");
  }
}

TEST_F(UpdateCheckTest, NoServerGivesTheDownloadError) {
  UpdateCheckResult r = CheckForUpdate(fake, folder, server);
  EXPECT_EQ(r.outcome, UpdateCheckResult::Outcome::kDownloadError);
  EXPECT_EQ(r.message.caption, "Error");

  // A failed download must not read a copy left from an earlier check.
  fs::create_directories(folder.path);
  std::ofstream(folder.File("versionv8.dta")) << "99\nstale";
  fake.status = 5;
  Serve("40\nnew");
  EXPECT_EQ(CheckForUpdate(fake, folder, server).outcome,
            UpdateCheckResult::Outcome::kDownloadError);
}

TEST_F(UpdateCheckTest, TheInstallerStartsOnlyAfterAGoodNonEmptyDownload) {
  fake.files[kInstallerUrl] = "MZ installer";
  UpdateDownloadResult r = DownloadUpdate(fake, folder, server);
  ASSERT_TRUE(r.start);
  EXPECT_EQ(r.installer, folder.File("balsetup.exe"));
  EXPECT_FALSE(r.message.has_value());
  EXPECT_EQ(fake.calls,
            (std::vector<std::string>{"drop http://www.halvorntech.com/redezar/dlu/updatev8.exe",
                                      "drop " + kInstallerUrl, "get " + kInstallerUrl}));

  // Empty file: nothing starts, the download error is told.
  fake.files[kInstallerUrl] = "";
  r = DownloadUpdate(fake, folder, server);
  EXPECT_FALSE(r.start);
  ASSERT_TRUE(r.message.has_value());
  EXPECT_EQ(r.message->caption, "Error");

  // A failed download leaves no earlier installer to start.
  fake.files[kInstallerUrl] = "MZ new";
  fake.status = 0x800C0007L;
  r = DownloadUpdate(fake, folder, server);
  EXPECT_FALSE(r.start);

  fake.files.erase(kInstallerUrl);
  fake.status = 0;
  EXPECT_FALSE(DownloadUpdate(fake, folder, server).start);
}

TEST(UpdateServerAddress, HttpsOnly) {
  EXPECT_TRUE(IsSecureAddress("https://www.halvorntech.com/x"));
  EXPECT_FALSE(IsSecureAddress("http://www.halvorntech.com/x"));
  EXPECT_FALSE(IsSecureAddress("HTTP://x"));
  EXPECT_FALSE(IsSecureAddress("https://"));
  EXPECT_FALSE(IsSecureAddress("https:///path"));
  EXPECT_FALSE(IsSecureAddress("ftp://host/x"));

  UpdateServer server;
  EXPECT_EQ(server.Address(kVersionFilePath), kVersionUrl);
  EXPECT_EQ(server.PlainAddress(kVersionFilePath),
            "http://www.halvorntech.com/redezar/dlu/versionv8.dta");

  auto local = ParseUpdateServer("  https://127.0.0.1:8443/ \r\nignored");
  ASSERT_TRUE(local.has_value());
  EXPECT_EQ(local->Address("/a"), "https://127.0.0.1:8443/a");
  EXPECT_EQ(local->PlainAddress("/a"), "http://127.0.0.1:8443/a");
  EXPECT_FALSE(ParseUpdateServer("http://127.0.0.1:8080").has_value());
  EXPECT_FALSE(ParseUpdateServer("https://host/path").has_value());
  EXPECT_FALSE(ParseUpdateServer("https://ho st").has_value());
  EXPECT_FALSE(ParseUpdateServer("").has_value());
  EXPECT_FALSE(ParseUpdateServer("https://" + std::string(300, 'a')).has_value());
}

TEST_F(UpdateCheckTest, APlainHttpServerIsRefused) {
  // Even a server given as http is asked over https only: nothing is fetched
  // from the plain address.
  UpdateServer plain;
  plain.base = "http://127.0.0.1:8080";
  fake.files["http://127.0.0.1:8080/redezar/dlu/versionv8.dta"] = "40\n";
  UpdateCheckResult r = CheckForUpdate(fake, folder, plain);
  EXPECT_EQ(r.outcome, UpdateCheckResult::Outcome::kDownloadError);
  fake.files["http://127.0.0.1:8080/redezar/dlu/updatev8.exe"] = "MZ";
  EXPECT_FALSE(DownloadUpdate(fake, folder, plain).start);
  for (const std::string& call : fake.calls) EXPECT_NE(call.substr(0, 4), "get ") << call;
}

}  // namespace
}  // namespace balancer
