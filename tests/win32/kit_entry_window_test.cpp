#include <vector>

#include "app/keypad_layout.h"
#include "base/field_table.h"
#include "kit_fixture.h"

namespace balancer::kit_test {
namespace {

using KitEntry = KitFixture;

TEST_F(KitEntry, NumberEntryIsBuiltForItsField) {
  SetScale(1.5f);
  kit.actionCode = 131;
  HWND hwnd = OpenNumberEntry(kit, 402, 178);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(ClassOf(hwnd), "entryclass");
  EXPECT_EQ(WindowText(hwnd), "Enter");
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), main);
  EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 603);
  EXPECT_EQ(r.top, 267);
  EXPECT_EQ(WindowSize(hwnd).cx, 504);
  EXPECT_EQ(WindowSize(hwnd).cy, 459);
  EXPECT_EQ(WindowText(kit.entry.heading), "Upright spacing");
  EXPECT_EQ(WindowText(kit.entry.prompt), FieldHint(131));
  HWND edit = GetDlgItem(hwnd, kEntryEditId);
  ASSERT_EQ(edit, kit.entry.edit);
  EXPECT_EQ(ClassOf(edit), "Edit");
  EXPECT_EQ(ChildRect(edit).left, 150);
  EXPECT_EQ(ChildRect(edit).top, 84);
  EXPECT_EQ(WindowText(GetDlgItem(hwnd, kEntryOkId)), "OK");
  EXPECT_EQ(WindowText(GetDlgItem(hwnd, kKeyHelp)), "Help");
  EXPECT_EQ(GetDlgItem(hwnd, kKeyTransfer), nullptr) << "no scale open";
  EXPECT_FALSE(IsWindowEnabled(main));
  EXPECT_EQ(GetFocus(), edit);

  // Only one entry window at a time.
  EXPECT_EQ(OpenKeypadEntry(kit, 0, 0), nullptr);
  CloseEntryWindow(kit);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(IsWindowEnabled(main));

  // Fields without help, and a weight field while the scale is open.
  kit.actionCode = 102;
  OpenNumberEntry(kit, 402, 178);
  EXPECT_EQ(GetDlgItem(kit.entry.hwnd, kKeyHelp), nullptr);
  CloseEntryWindow(kit);
  kit.scaleStandIn = true;
  kit.actionCode = 106;
  OpenNumberEntry(kit, 402, 178);
  EXPECT_EQ(WindowText(GetDlgItem(kit.entry.hwnd, kKeyTransfer)), "&Transfer From Scale");
}

TEST_F(KitEntry, EnterStoresTheTypedValueWritesTheSettingsAndGivesTheMainWindowBack) {
  kit.actionCode = 145;  // max drill depth: a length with fractions
  OpenNumberEntry(kit, 402, 178);
  Type(kit.entry.edit, "  1 3/16 ");
  Type(kit.entry.edit, "\r");
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_DOUBLE_EQ(settings.maxDrillDepthLeft, 1.1875);
  EXPECT_EQ(actions.recomputes, 1);
  EXPECT_TRUE(FileExists(folder.File("balsetup.dta")));
  EXPECT_TRUE(FileExists(folder.File("balsetup.bak")));
  EXPECT_TRUE(IsWindowEnabled(main));

  // The OK button commits the same way; a weight in ounces is stored in grams.
  settings.weightUnit = 1;
  kit.actionCode = 118;
  OpenNumberEntry(kit, 402, 178);
  Type(kit.entry.edit, "1,5");  // the comma is a thousands mark: 15
  Click(kit.entry.hwnd, kEntryOkId);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_NEAR(settings.defaultOilWeight, 15 * 28.349525, 1e-9);
}

TEST_F(KitEntry, EscEmptyTextAndRefusedNegativesStoreNothing) {
  const double before = settings.maxDrillDepthLeft;
  kit.actionCode = 145;
  OpenNumberEntry(kit, 402, 178);
  Type(kit.entry.edit, "2");
  SendMessageA(kit.entry.edit, WM_CHAR, VK_ESCAPE, 0);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_TRUE(kit.entry.text.empty());

  OpenNumberEntry(kit, 402, 178);
  Type(kit.entry.edit, "\r");
  EXPECT_EQ(kit.entry.hwnd, nullptr);

  OpenNumberEntry(kit, 402, 178);
  Type(kit.entry.edit, "-1\r");
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_DOUBLE_EQ(settings.maxDrillDepthLeft, before);
  EXPECT_EQ(actions.recomputes, 0);
  EXPECT_FALSE(FileExists(folder.File("balsetup.dta")));
  EXPECT_TRUE(IsWindowEnabled(main));

  // A plane offset takes a negative value.
  kit.actionCode = 132;
  OpenNumberEntry(kit, 402, 178);
  Type(kit.entry.edit, "-1 1/2\r");
  EXPECT_DOUBLE_EQ(settings.planeOffsetLeft, -1.5);
}

TEST_F(KitEntry, KeypadTypesByButtonsWithTheFieldsRowFour) {
  settings.touchscreen = 1;
  HWND box = CreateValueBox(main, 132, 10, 10, 100, 40, 1.0f);
  ASSERT_NE(box, nullptr);
  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  HWND hwnd = kit.entry.hwnd;
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(kit.actionCode, 132);
  EXPECT_EQ(kit.entry.kind, EntryKind::kKeypad);
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 302);
  EXPECT_EQ(r.top, 15);
  EXPECT_EQ(WindowSize(hwnd).cx, 518);
  EXPECT_EQ(WindowSize(hwnd).cy, 640);
  EXPECT_EQ(WindowText(GetDlgItem(hwnd, '-')), "-");
  EXPECT_EQ(GetDlgItem(hwnd, '/'), nullptr);
  for (int id : {int{'1'}, int{'9'}, 255, 8, 27, 13, int{'0'}, int{'.'}}) {
    EXPECT_NE(GetDlgItem(hwnd, id), nullptr) << id;
  }
  const int keys[] = {'9', '9', kKeyClear, '-', '2', '.', '5', kKeyBackspace, '7'};
  for (int id : keys) Click(hwnd, id);
  EXPECT_EQ(WindowText(kit.entry.edit), "-2.7");
  EXPECT_EQ(GetFocus(), kit.entry.edit) << "focus goes back to the edit";
  Click(hwnd, kKeyEnter);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_DOUBLE_EQ(settings.planeOffsetLeft, -2.7);
  EXPECT_EQ(actions.recomputes, 1);

  // A radius keypad carries the slash; Cancel closes without storing.
  kit.actionCode = 100;
  OpenKeypadEntry(kit, 302, 15);
  EXPECT_EQ(WindowText(GetDlgItem(kit.entry.hwnd, '/')), "/");
  EXPECT_EQ(GetDlgItem(kit.entry.hwnd, '-'), nullptr);
  Click(kit.entry.hwnd, kKeyCancel);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_TRUE(IsWindowEnabled(main));
  DestroyWindow(box);
}

TEST_F(KitEntry, ValueBoxOpensTheKeyboardEntryAtItsPlace) {
  HWND box = CreateValueBox(main, 145, 10, 10, 120, 40, 1.0f);
  EXPECT_EQ(ClassOf(box), "boxclass");
  EXPECT_EQ(GetDlgCtrlID(box), 145);
  EXPECT_TRUE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(ValueBoxFieldCode(box), 145);
  kit.entry.text = "left over";
  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(kit.entry.kind, EntryKind::kNumber);
  EXPECT_EQ(WindowText(kit.entry.edit), "") << "the entry text is cleared";
  RECT r;
  GetWindowRect(kit.entry.hwnd, &r);
  EXPECT_EQ(r.left, 402);
  EXPECT_EQ(r.top, 178);
}

TEST_F(KitEntry, TypewriterFollowsShiftAndCapsLockAndHandsOverItsText) {
  int code = 0;
  std::string entered;
  OpenAskingScreen().onText = [&](int c, const std::string& text) {
    code = c;
    entered = text;
  };
  kit.actionCode = 17;
  HWND hwnd = OpenTextEntry(kit, 190, 60, "Enter Your Company Information");
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(WindowText(kit.entry.heading), "Enter Your Company Information");
  EXPECT_TRUE(GetWindowLongA(kit.entry.edit, GWL_STYLE) & ES_MULTILINE);
  const int keys[] = {kKeyShift, 'a', 'b',          ' ', kKeyCapsLock, 'c', 'd',
                      kKeyShift, 'e', kKeyCapsLock, 'f', ',',          '7'};
  for (int id : keys) Click(hwnd, id);
  EXPECT_EQ(WindowText(kit.entry.edit), "Ab CDEf,7");
  Click(hwnd, kKeyNoteOk);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_EQ(code, 17);
  EXPECT_EQ(entered, "Ab CDEf,7");
  EXPECT_TRUE(IsWindowEnabled(main));

  // Cancel drops the text; ActionCode 15 is reset.
  entered.clear();
  kit.actionCode = 15;
  OpenTextEntry(kit, 190, 60, "");
  Click(kit.entry.hwnd, 'x');
  Click(kit.entry.hwnd, kKeyCancel);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_TRUE(entered.empty());
  EXPECT_EQ(kit.actionCode, 0);
}

TEST_F(KitEntry, ColourTilesChooseTheFontColour) {
  int chosen = -1;
  OpenAskingScreen().onColour = [&](int index) { chosen = index; };
  kit.actionCode = 19;
  SetScale(1.5f);
  OpenTextEntry(kit, 190, 60, "Job Title");
  // Third tile: (395,15)-(430,50) design units.
  SendMessageA(kit.entry.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400 * 3 / 2, 30 * 3 / 2));
  EXPECT_EQ(chosen, 2);
  EXPECT_EQ(CurrentFontColour(kit), 2);
  if (kit.settings != nullptr) {
    EXPECT_EQ(kit.settings->headerTextColor, 2);
  }
  SendMessageA(kit.entry.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(352 * 3 / 2, 30 * 3 / 2));
  EXPECT_EQ(chosen, 2) << "the gap between tiles is no tile";
  CloseEntryWindow(kit);
  // Only the typewriter window chooses colours.
  OpenLineEntry(kit, 0, 0, "Job Name");
  SendMessageA(kit.entry.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(320 * 3 / 2, 30 * 3 / 2));
  EXPECT_EQ(chosen, 2);
  EXPECT_EQ(FontColour(4), RGB(224, 96, 0));
  EXPECT_EQ(FontColour(9), RGB(255, 0, 0)) << "out of range reads as the default";
}

TEST_F(KitEntry, LineAndNoteEntriesHandTheirTextOver) {
  std::string entered;
  OpenAskingScreen().onText = [&](int, const std::string& text) { entered = text; };
  HWND hwnd = OpenLineEntry(kit, 256, 200, "Job Name");
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(WindowText(hwnd), "Job Name");
  EXPECT_EQ(WindowSize(hwnd).cx, 768);
  EXPECT_EQ(WindowSize(hwnd).cy, 180);
  Type(kit.entry.edit, "V8 crank\r");
  EXPECT_EQ(entered, "V8 crank");
  EXPECT_EQ(kit.entry.hwnd, nullptr);

  hwnd = OpenNoteEntry(kit, 256, 200, "Notes");
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(WindowSize(hwnd).cy, 280);
  Type(kit.entry.edit, "one\rtwo");
  EXPECT_NE(kit.entry.hwnd, nullptr) << "Enter is a new line in a note";
  Click(hwnd, kKeyNoteOk);
  EXPECT_EQ(entered, "one\r\ntwo");
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(KitEntry, AMessageOpenedByTheCommitKeepsTheMainWindowUntilItCloses) {
  // An unwritable folder: the store succeeds, the settings write fails and
  // says so in a message while the entry window is closing.
  folder.path = "Z:\\no\\such\\folder\\anywhere";
  kit.actionCode = 145;
  OpenNumberEntry(kit, 402, 178);
  Type(kit.entry.edit, "1.25\r");
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(message.returnWindow, main);
  EXPECT_FALSE(IsWindowEnabled(main));
  SendMessageA(message.hwnd, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(KitEntry, DesiredReadingIsRefusedWithoutAMeasuredReadingOrTwice) {
  KnownWeightCalibration calibration;
  OpenAskingScreen().calibration = &calibration;
  // Before any spin the shown moments are slivers of nothing: both the
  // keyboard and the keypad refuse.
  kit.leftMoment = kit.rightMoment = 0.002;
  const char* spinFirst = "You must spin the shaft before performing this operation again.";
  for (int code : {127, 128}) {
    kit.actionCode = code;
    EXPECT_EQ(OpenNumberEntry(kit, 402, 178), nullptr) << code;
    EXPECT_EQ(OpenKeypadEntry(kit, 302, 15), nullptr) << code;
  }
  ASSERT_EQ(ui.messages.size(), 4u);
  for (const OperatorMessage& m : ui.messages) {
    EXPECT_EQ(m.text, spinFirst);
    EXPECT_EQ(m.caption, "Alert");
    EXPECT_EQ(m.beep, kBeepAsterisk);
    EXPECT_EQ(m.colour, kDarkBlueText);
    EXPECT_EQ(m.x, 280);
    EXPECT_EQ(m.width, 580);
  }
  SendMessageA(message.hwnd, WM_KEYDOWN, VK_RETURN, 0);
  ui.messages.clear();

  // A second entry in one opening is refused the same way.
  kit.leftMeasured = kit.rightMeasured = true;
  calibration.leftEntered = true;
  kit.actionCode = 127;
  EXPECT_EQ(OpenNumberEntry(kit, 402, 178), nullptr);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, spinFirst);
  SendMessageA(message.hwnd, WM_KEYDOWN, VK_RETURN, 0);
  kit.actionCode = 128;
  EXPECT_NE(OpenKeypadEntry(kit, 302, 15), nullptr);
}

TEST_F(KitEntry, ScaleTransferGoesToTheFieldAndClosesOnlyWhenStored) {
  kit.scaleStandIn = true;
  std::vector<int> asked;
  bool stores = false;
  OpenAskingScreen().onScale = [&](int code) {
    asked.push_back(code);
    return stores;
  };
  kit.actionCode = 119;  // empty bobweight: by the letter T only
  OpenNumberEntry(kit, 402, 178);
  EXPECT_EQ(GetDlgItem(kit.entry.hwnd, kKeyTransfer), nullptr);
  Type(kit.entry.edit, "T");
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(WindowText(kit.entry.edit), "") << "T reads the scale, it types nothing";
  stores = true;
  Type(kit.entry.edit, "t");
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_EQ(asked, (std::vector<int>{119, 119}));

  kit.actionCode = 106;  // a weight with the button
  OpenKeypadEntry(kit, 302, 15);
  ASSERT_NE(GetDlgItem(kit.entry.hwnd, kKeyTransfer), nullptr);
  SendMessageA(GetDlgItem(kit.entry.hwnd, kKeyTransfer), BM_CLICK, 0, 0);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_EQ(asked.back(), 106);
}

}  // namespace
}  // namespace balancer::kit_test
