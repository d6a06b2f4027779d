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
            "Error while attempting driver installation.\n\nPlease see setup documentation for "
            "assistance.\n\nError Number E000020B");
  const std::string missing = PreinstallErrorMessage(126).text;
  EXPECT_EQ(missing.substr(missing.size() - 10), " Number 7E");
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
