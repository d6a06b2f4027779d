// The installer's decisions: the version clicked, what Install copies where,
// which pre-installer is started, and its messages.
#include "setup/setup_screen.h"

#include <gtest/gtest.h>

#include <sstream>

namespace balancer {
namespace {

struct RecordingTarget : InstallTarget {
  void CreateFolder(const std::string& path) override { folders.push_back(path); }
  bool CopyOver(const std::string& source, const std::string& destination) override {
    copies.push_back(source + " -> " + destination);
    return source != "broken.bin";
  }
  std::vector<std::string> folders;
  std::vector<std::string> copies;
};

SetupList ListOf(const std::string& body) {
  std::istringstream in("h1\nh2\nh3\nh4\nh5\nh6\n" + body);
  SetupList list;
  EXPECT_EQ(ReadSetupList(in, list), SetupListStatus::kOk);
  return list;
}

TEST(SetupVersionClick, TheTwoAreasOfTheSplashPicture) {
  EXPECT_EQ(ClickVersion(50, 200, 0, 10).choice, 1);
  EXPECT_EQ(ClickVersion(249, 339, 0, 10).choice, 1);
  EXPECT_EQ(ClickVersion(300, 200, 1, 10).choice, 2);
  EXPECT_EQ(ClickVersion(549, 332, 1, 10).choice, 2);
  // Outside both: the choice stays.
  EXPECT_EQ(ClickVersion(549, 334, 1, 10).choice, 1);
  EXPECT_EQ(ClickVersion(275, 250, 2, 10).choice, 2);
  EXPECT_EQ(ClickVersion(10, 10, 0, 10).choice, 0);
  EXPECT_FALSE(ClickVersion(300, 250, 0, 10).message.has_value());
}

TEST(SetupVersionClick, WindowsFourKeepsVersionOneAndSaysWhy) {
  VersionClick click = ClickVersion(400, 250, 0, 4);
  EXPECT_EQ(click.choice, 1);
  ASSERT_TRUE(click.message.has_value());
  EXPECT_EQ(click.message->caption, "Alert");
  EXPECT_EQ(click.message->text,
            "Only the 4:3 aspect version of the software is available\n"
            "for Windows 98 through Windows 2000");
}

TEST(SetupVersionClick, TheFrameIsTwoPixelsOutsideTheChosenArea) {
  EXPECT_FALSE(VersionFrame(0).has_value());
  FrameRect one = *VersionFrame(1);
  EXPECT_EQ(one.left, 48);
  EXPECT_EQ(one.top, 198);
  EXPECT_EQ(one.right, 252);
  EXPECT_EQ(one.bottom, 342);
  FrameRect two = *VersionFrame(2);
  EXPECT_EQ(two.left, 298);
  EXPECT_EQ(two.bottom, 335);
}

TEST(SetupInstall, CopiesWhatAppliesToTheChoiceAndTheSystem) {
  SetupList list = ListOf(
      "00510\nc:\\balancer\n00405\nc:\\old\n"
      "10510\nbalancer.exe\nc:\\balancer\\balancer.exe\n"
      "20510\nBalancer.lnk\nBalancer.lnk\n"
      "30510\nwide.bmp\nc:\\balancer\\a.bmp\n"
      "40510\nnarrow.bmp\nc:\\balancer\\a.bmp\n"
      "10404\nold.exe\nc:\\balancer\\old.exe\n"
      "70510\nodd.txt\nc:\\balancer\\odd.txt\n"
      "00510\nnot-a-file\nc:\\balancer\\x\n");
  RecordingTarget target;
  InstallChoice choice{2, 10, "C:\\users\\me\\Desktop"};
  EXPECT_EQ(InstallListed(list, choice, target), 3);
  EXPECT_EQ(target.folders, std::vector<std::string>{"c:\\balancer"});
  EXPECT_EQ(target.copies,
            (std::vector<std::string>{"balancer.exe -> c:\\balancer\\balancer.exe",
                                      "Balancer.lnk -> C:\\users\\me\\Desktop\\Balancer.lnk",
                                      "narrow.bmp -> c:\\balancer\\a.bmp"}));

  RecordingTarget first;
  InstallChoice one{1, 6, "D"};
  InstallListed(list, one, first);
  EXPECT_EQ(first.copies[2], "wide.bmp -> c:\\balancer\\a.bmp");
}

TEST(SetupInstall, AFailedCopyIsSkippedAndTheRestGoOn) {
  SetupList list = ListOf(
      "10510\nbroken.bin\nc:\\balancer\\broken.bin\n"
      "10510\ngood.bin\nc:\\balancer\\good.bin\n");
  RecordingTarget target;
  EXPECT_EQ(InstallListed(list, InstallChoice{1, 10, "D"}, target), 1);
  EXPECT_EQ(target.copies.size(), 2u);
}

TEST(SetupSystem, ThePreInstallerMatchesTheSystem) {
  EXPECT_STREQ(PreinstallerPath(SystemIs64Bit(false, true, true, true)),
               "c:\\balancer\\drivers\\amd64\\usbprep64.exe");
  EXPECT_STREQ(PreinstallerPath(SystemIs64Bit(false, true, true, false)),
               "c:\\balancer\\drivers\\x86\\usbprep32.exe");
  // No IsWow64Process, or a failing one: 32-bit.
  EXPECT_FALSE(SystemIs64Bit(false, false, false, false));
  EXPECT_FALSE(SystemIs64Bit(false, true, false, true));
  // A 64-bit installer runs on 64-bit Windows only.
  EXPECT_TRUE(SystemIs64Bit(true, false, false, false));

  EXPECT_FALSE(PreinstallerStarted(32));
  EXPECT_FALSE(PreinstallerStarted(5));  // refused elevation
  EXPECT_TRUE(PreinstallerStarted(33));

  EXPECT_EQ(EndOfInstall(5), InstallEnd::kWarning);
  EXPECT_EQ(EndOfInstall(6), InstallEnd::kPreinstaller);
  EXPECT_EQ(*FixedDesktopPath(4, 0), "c:\\windows\\desktop");
  EXPECT_FALSE(FixedDesktopPath(4, 10).has_value());
  EXPECT_FALSE(FixedDesktopPath(10, 0).has_value());
}

TEST(SetupMessages, CaptionsAndTexts) {
  EXPECT_EQ(NoVersionMessage().caption, "Attention");
  EXPECT_EQ(NoVersionMessage().text, "Please select a version to install");
  EXPECT_EQ(ListMissingMessage().text,
            "The setup list file was not found.\n\nSetup cannot continue.");
  EXPECT_EQ(ListBrokenMessage().caption, "ERROR");
  EXPECT_EQ(ListBrokenMessage().text,
            "The was an error in the setup list file.\n\nSetup cannot continue.");
  EXPECT_EQ(SetupSuccessMessage().text, "The balancer software has been successfully installed.");
  EXPECT_EQ(PreinstallerFailedMessage().text,
            "Error while attempting driver installation.\n\n"
            "Please see setup documentation for assistance.");
  EXPECT_EQ(InstallingText().text, " Installing... ");
  EXPECT_EQ(SetupWaitTexts()[1].text, "The device driver is being installed.");
}

}  // namespace
}  // namespace balancer
