#include "app/message_answers.h"
#include "device/control_config.h"
#include "kit_fixture.h"

namespace balancer::kit_test {
namespace {

OperatorMessage Question(int actionCode) {
  return MakeQuestion("Attention", "Do you want to load configuration data from the control?",
                      kDarkBlueText, kBeepNone, 310, 197, 520, 160, "LOAD", 80, "CANCEL", 100,
                      actionCode);
}

using KitMessage = KitFixture;

TEST_F(KitMessage, LayoutOfBothButtonModesFollowsTheScale) {
  SetScale(1.5f);
  OpenMessageWindow(message, Question(249));
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(ClassOf(message.hwnd), "TextBoxClass");
  EXPECT_EQ(WindowText(message.hwnd), "Attention");
  EXPECT_TRUE(GetWindowLongA(message.hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_TRUE(GetWindowLongA(message.hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(message.hwnd, GW_OWNER), main);
  const SIZE size = WindowSize(message.hwnd);
  EXPECT_EQ(size.cx, 780);
  EXPECT_EQ(size.cy, 240);
  // Two buttons: ids 6 and 7, right-aligned 70s above the bottom edge.
  RECT yes = ChildRect(GetDlgItem(message.hwnd, kMessageYesId));
  RECT no = ChildRect(GetDlgItem(message.hwnd, kMessageNoId));
  EXPECT_EQ(WindowText(GetDlgItem(message.hwnd, kMessageYesId)), "LOAD");
  EXPECT_EQ(WindowText(GetDlgItem(message.hwnd, kMessageNoId)), "CANCEL");
  EXPECT_EQ(no.right - no.left, 150);
  EXPECT_EQ(no.bottom - no.top, 51);
  EXPECT_EQ(yes.left, 780 - 60 - 150 - 120);
  EXPECT_EQ(no.left, 780 - 30 - 150);
  EXPECT_EQ(GetDlgItem(message.hwnd, kMessageOkId), nullptr);

  // One button: id 1, 80s from the right edge.
  OpenMessageWindow(message,
                    MakeOkMessage("Alert", "Text", kDarkBlueText, kBeepNone, 280, 187, 580, 180));
  HWND ok = GetDlgItem(message.hwnd, kMessageOkId);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ChildRect(ok).left, 870 - 120);
  EXPECT_EQ(GetDlgItem(message.hwnd, kMessageYesId), nullptr);
}

TEST_F(KitMessage, ASecondMessageReplacesTheFirstAndKeepsItsReturnWindow) {
  // A child screen is open and active: it is what the message disables.
  HWND child = CreateWindowExA(0, "kittestowner", "child", WS_POPUP | WS_VISIBLE, 10, 10, 300, 200,
                               main, nullptr, Instance(), nullptr);
  SetActiveWindow(child);
  OpenMessageWindow(message, Question(135));
  HWND first = message.hwnd;
  EXPECT_EQ(message.returnWindow, child);
  EXPECT_FALSE(IsWindowEnabled(child));

  // The second opens while the first is the active window.
  SetActiveWindow(first);
  OpenMessageWindow(message, Question(249));
  EXPECT_FALSE(IsWindow(first)) << "the first message must not stay on screen";
  EXPECT_EQ(message.returnWindow, child) << "not the replaced message";
  EXPECT_FALSE(IsWindowEnabled(child));
  EXPECT_TRUE(message.open);

  SendMessageA(message.hwnd, WM_KEYDOWN, 'N', 0);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_FALSE(message.open);
  EXPECT_TRUE(IsWindowEnabled(child));
  EXPECT_TRUE(IsWindowEnabled(main));
  DestroyWindow(child);
}

TEST_F(KitMessage, DestroyedWithoutCloseStillGivesTheOwnerBack) {
  OpenMessageWindow(message, Question(0));
  EXPECT_FALSE(IsWindowEnabled(main));
  DestroyWindow(message.hwnd);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(KitMessage, SaveFinalAgainRunsWithTheQuestionClosed) {
  OpenMessageWindow(message, Question(135));
  SendMessageA(message.hwnd, WM_KEYDOWN, 'Y', 0);
  EXPECT_EQ(actions.finalSavedCleared, 1);
  ASSERT_EQ(actions.commands, std::vector<int>{135});
  EXPECT_FALSE(actions.messageOpenAtCommand);
  EXPECT_TRUE(IsWindowEnabled(main));

  // No, and OK, leave the saved condition alone.
  OpenMessageWindow(message, Question(135));
  SendMessageA(message.hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(actions.commands.size(), 1u);
}

TEST_F(KitMessage, LoadAnswerCopiesTheControlsRecordAndWritesTheSettings) {
  OpenControl(link);
  ASSERT_EQ(link.connected, 1);
  fake.SetEepromRecord(0x00, "1.5,-2.5,3.2500,4.7500,0,0.0,1.0000,0,");
  kit.actionCode = 249;
  OpenMessageWindow(message, Question(249));
  SendMessageA(message.hwnd, WM_KEYDOWN, VK_RETURN, 0);
  // The question is gone; the load reports itself in a message of its own,
  // which keeps the main window disabled until it is closed.
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, ConfigRetrievedMessage().text);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(WindowText(message.hwnd), ConfigRetrievedMessage().caption);
  EXPECT_FALSE(IsWindowEnabled(main));
  SendMessageA(message.hwnd, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, 3.25);
  EXPECT_DOUBLE_EQ(settings.lagCompensationRight, -2.5);
  EXPECT_TRUE(FileExists(folder.File("balsetup.dta")));
  EXPECT_TRUE(FileExists(folder.File("balsetup.bak")));
  EXPECT_EQ(actions.recomputes, 1);
  EXPECT_EQ(kit.actionCode, 0);
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(KitMessage, CancelledLoadAndStoreTouchNothing) {
  OpenControl(link);
  fake.SetEepromRecord(0x00, "1.5,-2.5,3.2500,4.7500,0,0.0,1.0000,0,");
  OpenMessageWindow(message, Question(249));
  Click(message.hwnd, kMessageNoId);
  EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, MachineSettings{}.calibrationFactorLeft);
  EXPECT_FALSE(FileExists(folder.File("balsetup.dta")));

  fake.transfers.clear();
  OpenMessageWindow(message, Question(250));
  Click(message.hwnd, kMessageNoId);
  EXPECT_TRUE(fake.EepromWrites().empty());
  OpenMessageWindow(message, Question(250));
  Click(message.hwnd, kMessageYesId);
  EXPECT_FALSE(fake.EepromWrites().empty());
}

TEST_F(KitMessage, OtherQuestionsReachTheirOwners) {
  kit.actionCode = 23;
  OpenMessageWindow(message, Question(23));
  Click(message.hwnd, kMessageYesId);
  EXPECT_EQ(actions.calibrationOpened, 1);
  EXPECT_EQ(kit.actionCode, 0);

  settings.suspension = 0;
  OpenMessageWindow(message, Question(261));
  Click(message.hwnd, kMessageYesId);
  EXPECT_EQ(settings.suspension, 1);
  EXPECT_EQ(settings.sensorType, 3);

  OpenMessageWindow(message, Question(180));
  Click(message.hwnd, kMessageNoId);
  OpenMessageWindow(message, Question(316));
  Click(message.hwnd, kMessageYesId);
  EXPECT_EQ(actions.answered, (std::vector<int>{-180, 316}));

  kit.screenCode = 'b';
  OpenMessageWindow(message, Question(0));
  SendMessageA(message.hwnd, WM_KEYDOWN, 'Y', 0);
  OpenMessageWindow(message, Question(0));
  SendMessageA(message.hwnd, WM_KEYDOWN, 'N', 0);
  EXPECT_EQ(actions.bobweight, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace balancer::kit_test
