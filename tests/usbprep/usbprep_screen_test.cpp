// The pre-installer's three states, what OK does in each, the results that
// count as success and the texts of its messages.
#include "usbprep/usbprep_screen.h"

#include <gtest/gtest.h>

namespace balancer {
namespace {

std::vector<std::string> TextsOf(const UsbPrepView& view) {
  std::vector<std::string> texts;
  for (const InstallerText& t : view.texts) texts.push_back(t.text);
  return texts;
}

TEST(UsbPrepStates, OkWalksFromUnplugThroughInstallingToTheEnd) {
  UsbPrepPress press = PressPrepOk(PrepState::kUnplug);
  EXPECT_EQ(press.next, PrepState::kInstalling);
  EXPECT_TRUE(press.startWorker);
  EXPECT_FALSE(press.success);

  // OK is hidden while installing; a stray press changes nothing.
  press = PressPrepOk(PrepState::kInstalling);
  EXPECT_EQ(press.next, PrepState::kInstalling);
  EXPECT_FALSE(press.startWorker);
  EXPECT_FALSE(press.success);

  press = PressPrepOk(PrepState::kFinished);
  EXPECT_TRUE(press.success);
  EXPECT_FALSE(press.startWorker);
}

TEST(UsbPrepStates, EachStateShowsItsTextsAndButton) {
  UsbPrepView unplug = ViewOfPrep(PrepState::kUnplug, 0);
  EXPECT_TRUE(unplug.okShown);
  ASSERT_EQ(unplug.texts.size(), 1u);
  EXPECT_EQ(unplug.texts[0].text, "Unplug the USB control before proceeding.");
  EXPECT_TRUE(unplug.texts[0].centred);
  EXPECT_EQ(unplug.texts[0].x, 300);
  EXPECT_EQ(unplug.texts[0].y, 185);
  EXPECT_EQ(unplug.texts[0].fontHeight, 24);
  EXPECT_EQ(unplug.texts[0].colour, kDarkBlueText);

  UsbPrepView installing = ViewOfPrep(PrepState::kInstalling, 0);
  EXPECT_FALSE(installing.okShown);
  EXPECT_EQ(TextsOf(installing),
            (std::vector<std::string>{"Please Wait", "The device driver is being installed..."}));
  EXPECT_EQ(installing.texts[0].colour, kRedText);
  EXPECT_EQ(installing.texts[0].y, 20);
  EXPECT_EQ(installing.texts[1].y, 195);
}

TEST(UsbPrepStates, SuccessAndAlreadyInstalledShowTheSafetyNotice) {
  for (uint32_t result : {0u, 183u}) {
    UsbPrepView done = ViewOfPrep(PrepState::kFinished, result);
    EXPECT_FALSE(done.failed) << result;
    EXPECT_TRUE(done.okShown);
    ASSERT_EQ(done.texts.size(), 10u);
    EXPECT_EQ(done.texts[0].text, "WARNING");
    EXPECT_TRUE(done.texts[0].centred);
    EXPECT_EQ(done.texts[0].colour, kRedText);
    EXPECT_EQ(done.texts[1].text,
              "You must read the important information sheet and all help topics");
    EXPECT_EQ(done.texts[9].text, "before making a phone call for assistance.");
    const int ys[] = {65, 89, 130, 154, 195, 219, 243, 284, 308};
    for (int i = 0; i < 9; ++i) {
      EXPECT_EQ(done.texts[i + 1].y, ys[i]);
      EXPECT_EQ(done.texts[i + 1].x, 15);
      EXPECT_FALSE(done.texts[i + 1].centred);
      EXPECT_EQ(done.texts[i + 1].fontHeight, 20);
    }
  }
}

TEST(UsbPrepStates, AnyOtherResultFailsWithItsCodeInUpperCaseHex) {
  UsbPrepView failed = ViewOfPrep(PrepState::kFinished, 2);
  EXPECT_TRUE(failed.failed);
  EXPECT_FALSE(failed.okShown);
  EXPECT_TRUE(failed.texts.empty());

  EXPECT_FALSE(PreinstallSucceeded(2));
  EXPECT_FALSE(PreinstallSucceeded(182));
  EXPECT_TRUE(PreinstallSucceeded(183));

  InstallerMessage m = PreinstallErrorMessage(0xE000020B);
  EXPECT_EQ(m.caption, "ERROR");
  EXPECT_EQ(m.text,
            "Error while attempting driver installation.\n\n"
            "Please see setup documentation for assistance.\n\n"
            "Error Number E000020B");
  const std::string missing = PreinstallErrorMessage(126).text;
  EXPECT_EQ(missing.substr(missing.size() - 10), " Number 7E");
}

// The driver install library is not part of Windows: without it, or without
// its function, the system's SetupCopyOEMInfA stages the package, and its
// outcome ends in the same Success or ERROR as the library's would.
TEST(UsbPrepFallback, TheLibraryFirstThenTheSystemsOwnCall) {
  EXPECT_EQ(ChoosePreinstallPath(true, true), PreinstallPath::kDriverPackage);
  EXPECT_EQ(ChoosePreinstallPath(true, false), PreinstallPath::kSetupCopy);
  EXPECT_EQ(ChoosePreinstallPath(false, false), PreinstallPath::kSetupCopy);
  EXPECT_STREQ(kSetupCopyFunction, "SetupCopyOEMInfA");

  const UsbPrepView staged = ViewOfPrep(PrepState::kFinished, SetupCopyResult(true, 0));
  EXPECT_FALSE(staged.failed);
  EXPECT_TRUE(staged.okShown);
  ASSERT_FALSE(staged.texts.empty());
  EXPECT_EQ(staged.texts[0].text, "WARNING");
}

// The elevated pre-installer never loads the library by bare name, which
// would also search the current folder and PATH.
TEST(UsbPrepFallback, TheLibraryIsLookedForByFullPathBesideTheProgramThenInTheSystem) {
  EXPECT_EQ(DifxLibraryPaths("C:\\balancer\\drivers\\x86", "C:\\WINDOWS\\system32"),
            (std::vector<std::string>{"C:\\balancer\\drivers\\x86\\DIFxAPI.dll",
                                      "C:\\WINDOWS\\system32\\DIFxAPI.dll"}));
  EXPECT_EQ(DifxLibraryPaths("C:\\", ""), (std::vector<std::string>{"C:\\DIFxAPI.dll"}));
  EXPECT_TRUE(DifxLibraryPaths("", "").empty());
}

TEST(UsbPrepFallback, AFailedCopyIsAnErrorWithItsCode) {
  // ERROR_FILE_NOT_FOUND: the package is not beside the pre-installer.
  const uint32_t missing = SetupCopyResult(false, 2);
  EXPECT_TRUE(ViewOfPrep(PrepState::kFinished, missing).failed);
  const std::string text = PreinstallErrorMessage(missing).text;
  EXPECT_EQ(text.substr(text.size() - 14), "Error Number 2");
  // An unsigned package refused by the driver store keeps its code.
  EXPECT_EQ(SetupCopyResult(false, 0xE000022F), 0xE000022Fu);
  // A failure that left no error code must not read as success (0).
  const uint32_t silent = SetupCopyResult(false, 0);
  EXPECT_FALSE(PreinstallSucceeded(silent));
  EXPECT_TRUE(ViewOfPrep(PrepState::kFinished, silent).failed);
  // A copy that worked but left an old error code behind is still a success.
  EXPECT_TRUE(PreinstallSucceeded(SetupCopyResult(true, 1008)));
}

TEST(UsbPrepMessages, SuccessAndThreadFailure) {
  InstallerMessage ok = PrepSuccessMessage();
  EXPECT_EQ(ok.caption, "Success");
  EXPECT_TRUE(ok.information);
  EXPECT_NE(ok.text.find("\"This program might not have installed correctly\"\n"
                         "click \"This program installed correctly\""),
            std::string::npos);
  EXPECT_EQ(ThreadFailedMessage().caption, "error");
  EXPECT_EQ(ThreadFailedMessage().text, "Thread creation failed");
  EXPECT_EQ(kPreinstallFlags, 20u);
  EXPECT_STREQ(kDriverInfPath, "c:\\balancer\\drivers\\ZerOziZur.inf");
}

}  // namespace
}  // namespace balancer
