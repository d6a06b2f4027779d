// The Unbalance History and Dimension Presets windows from the main window:
// opened by command and key, files through the dialog stand-in, the touch
// keyboard naming the file first, the Clear All question, the settings
// written on close.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <fstream>
#include <sstream>

#include "app/keypad_layout.h"
#include "app/main_commands.h"
#include "app/win32/kit/entry_window.h"
#include "app/win32/kit/file_dialog.h"
#include "records/history_csv.h"
#include "records/history_screen.h"
#include "records/presets_screen.h"
#include "screen_fixture.h"

namespace balancer {
namespace {

struct HistoryPresetsFixture : testmain::ScreenFixture {
  void SetUp() override {
    ScreenFixture::SetUp();
    kit.fileDialogStandIn = [this](HWND owner, const FileRequest& request) {
      requests.push_back(request);
      owners.push_back(owner);
      return answer;
    };
    settings.historyFolder = folder.path;
    settings.presetFolder = folder.path;
  }
  HWND Open(int command) {
    CreateMain();
    RunMainCommand(main, command);
    return kit.childScreen;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(folder.File(name), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  bool Exists(const std::string& name) const {
    return GetFileAttributesA(folder.File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  void Press(HWND screen, int id) { SendMessageA(screen, WM_COMMAND, id, 0); }
  // The typewriter's OK, as its button sends it.
  void TypewriterOk() {
    HWND ok = GetDlgItem(kit.entry.hwnd, kKeyNoteOk);
    ASSERT_NE(ok, nullptr);
    SendMessageA(kit.entry.hwnd, WM_COMMAND, MAKEWPARAM(kKeyNoteOk, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ok));
  }
  void TwoSpins() {
    HistoryRecord r;
    r.kind = kHistorySpin;
    r.leftMoment = 30.0;
    r.leftAngle = 90.0;
    r.leftRadius = 3.0;
    r.rightMoment = 6.0;
    r.rightAngle = 270.0;
    r.rightRadius = 3.0;
    main.history.records[0] = r;
    main.history.records[0].kind = kHistoryInitial;
    main.history.records[1] = r;
    main.history.historyCount = 2;
  }

  std::vector<FileRequest> requests;
  std::vector<HWND> owners;
  std::optional<std::string> answer;
};

TEST_F(HistoryPresetsFixture, HistoryOpensByCommandAndKeyAndClosesWritingTheSettings) {
  HWND screen = Open(kCmdHistory);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(Title(screen), "Unbalance History");
  EXPECT_EQ(kit.screenCode, 'y');
  EXPECT_FALSE(IsWindowEnabled(main.hwnd));
  for (const ScreenItem& b : HistoryButtons()) {
    HWND button = GetDlgItem(screen, b.id);
    ASSERT_NE(button, nullptr) << b.label;
    EXPECT_EQ(Title(button), b.label);
  }
  EXPECT_FALSE(Exists("balsetup.dta"));
  SendMessageA(screen, WM_CHAR, VK_ESCAPE, 0);
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_TRUE(IsWindowEnabled(main.hwnd));
  EXPECT_TRUE(Exists("balsetup.dta"));
  EXPECT_TRUE(Exists("balsetup.bak"));

  SendMessageA(main.hwnd, WM_CHAR, 'y', 0);
  ASSERT_NE(kit.childScreen, nullptr);
  EXPECT_EQ(kit.screenCode, 'y');
  // Letters are no buttons here.
  SendMessageA(kit.childScreen, WM_CHAR, 'x', 0);
  SendMessageA(kit.childScreen, WM_CHAR, 'E', 0);
  ASSERT_NE(kit.childScreen, nullptr);
  Press(kit.childScreen, kHistoryExitId);
  EXPECT_EQ(kit.childScreen, nullptr);
}

TEST_F(HistoryPresetsFixture, HistorySavedClearedAndLoadedBack) {
  TwoSpins();
  HWND screen = Open(kCmdHistory);
  ASSERT_NE(screen, nullptr);
  answer = folder.File("crank 4.hst");
  Press(screen, kHistorySaveId);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(requests[0].save);
  EXPECT_EQ(requests[0].title, "Save History Data");
  EXPECT_EQ(requests[0].filterName, "History Files (.hst files)");
  EXPECT_EQ(requests[0].patterns, "*.hst");
  EXPECT_EQ(requests[0].defaultExtension, "hst");
  EXPECT_EQ(requests[0].folder, folder.path);
  EXPECT_EQ(owners[0], screen);
  EXPECT_EQ(Read("crank 4.hst").substr(0, 28), "2 30.000 90 3.000 6.000 270 ");
  EXPECT_EQ(main.history.historyName, "crank 4");

  // A stray "c" or "l" neither clears the job's history nor opens a dialog.
  SendMessageA(screen, WM_CHAR, 'c', 0);
  SendMessageA(screen, WM_CHAR, 'L', 0);
  EXPECT_EQ(main.history.historyCount, 2);
  EXPECT_EQ(requests.size(), 1u);
  Press(screen, kHistoryClearId);
  EXPECT_EQ(main.history.historyCount, 0);

  settings.historyFolder = "C:\\";
  Press(screen, kHistoryLoadId);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_FALSE(requests[1].save);
  EXPECT_EQ(requests[1].title, "Retrieve History Data");
  EXPECT_EQ(main.history.historyCount, 2);
  EXPECT_EQ(main.history.records[1].kind, kHistorySpin);
  EXPECT_EQ(settings.historyFolder, folder.path);
  EXPECT_EQ(message.hwnd, nullptr);

  // A cancelled dialog changes nothing.
  answer.reset();
  Press(screen, kHistoryLoadId);
  EXPECT_EQ(main.history.historyCount, 2);
}

TEST_F(HistoryPresetsFixture, HistorySavedAsASpreadsheetThroughTheDialog) {
  TwoSpins();
  HWND screen = Open(kCmdHistory);
  ASSERT_NE(screen, nullptr);
  answer = folder.File("crank 9.csv");
  Press(screen, kHistorySaveId);
  ASSERT_EQ(requests.size(), 1u);
  // The common dialog lists the .hst first, then the spreadsheet.
  const char both[] =
      "History Files (.hst files)\0*.hst\0"
      "Spreadsheet Files (.csv files)\0*.csv\0";
  EXPECT_EQ(FileDialogFilter(requests[0]), std::string(both, sizeof both));
  EXPECT_EQ(Read("crank 9.csv"), FormatHistoryCsv(main.history, 0, 0));
  EXPECT_EQ(Read("crank 9.csv").substr(0, 17), "\"Number\",\"Kind\",\"");
  EXPECT_FALSE(Exists("crank 9.hst"));
  EXPECT_EQ(main.history.historyName, "crank 9");
  EXPECT_EQ(settings.historyFolder, folder.path);
  EXPECT_EQ(message.hwnd, nullptr);
  // The history itself is untouched by the spreadsheet.
  EXPECT_EQ(main.history.historyCount, 2);

  // The dialog without a second type is as it was.
  FileRequest load = LoadHistoryRequest(settings);
  const char one[] = "History Files (.hst files)\0*.hst\0";
  EXPECT_EQ(FileDialogFilter(load), std::string(one, sizeof one));
}

TEST_F(HistoryPresetsFixture, AnOldFormatHistoryIsToldAsAnError) {
  std::ofstream(folder.File("old.hst"), std::ios::binary) << "0 1 2 3 4 5 6\n";
  HWND screen = Open(kCmdHistory);
  answer = folder.File("old.hst");
  Press(screen, kHistoryLoadId);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "Error");
  AnswerMessageWindow(message, kMessageOkId);
}

TEST_F(HistoryPresetsFixture, TheTouchKeyboardNamesTheHistoryBeforeTheDialog) {
  settings.touchscreen = 1;
  TwoSpins();
  HWND screen = Open(kCmdHistory);
  Press(screen, kHistorySaveId);
  EXPECT_TRUE(requests.empty());
  ASSERT_EQ(kit.entry.kind, EntryKind::kText);
  EXPECT_EQ(Title(kit.entry.heading), "Enter history file name");
  EXPECT_FALSE(IsWindowEnabled(screen));
  SetWindowTextA(kit.entry.edit, "job 12");
  answer = folder.File("job 12.hst");
  TypewriterOk();
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].proposedName, "job 12.hst");
  EXPECT_TRUE(Exists("job 12.hst"));
}

TEST_F(HistoryPresetsFixture, PresetsOpenWithTheirToolbarAndBoxes) {
  settings.twoPlaneMode = 1;
  HWND screen = Open(kCmdPresets);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(Title(screen), "Dimension Presets");
  EXPECT_EQ(kit.screenCode, 'j');
  HWND bar = FindWindowExA(screen, nullptr, TOOLBARCLASSNAMEA, nullptr);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 4);
  const char* texts[] = {"Clear All ", "Open", "Save", "Exit"};
  for (int i = 0; i < 4; ++i) {
    TBBUTTON button = {};
    SendMessageA(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    char text[32] = {};
    SendMessageA(bar, TB_GETBUTTONTEXTA, button.idCommand, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, texts[i]);
  }
  for (int code : {132, 133, 131, 119, 147, 148, 154, 155, 145, 146}) {
    HWND box = GetDlgItem(screen, code);
    ASSERT_NE(box, nullptr) << code;
    EXPECT_TRUE(IsWindowVisible(box)) << code;
  }
  SendMessageA(screen, WM_CHAR, 'x', 0);
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_TRUE(Exists("balsetup.dta"));

  settings.twoPlaneMode = 0;
  SendMessageA(main.hwnd, WM_CHAR, 'r', 0);
  screen = kit.childScreen;
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(kit.screenCode, 'j');
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(screen, 148)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(screen, 119)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(screen, 147)));
}

TEST_F(HistoryPresetsFixture, ClearAllAsksAndYesRestoresTheDefaults) {
  settings.twoPlaneMode = 1;
  settings.shaftRadiusLeft = 4.5;
  settings.uprightDistance = 30.0;
  main.presetName = "V8 street";
  HWND screen = Open(kCmdPresets);
  Press(screen, kPresetsNewId);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "New Dimension Presets");
  AnswerMessageWindow(message, kMessageNoId);
  EXPECT_DOUBLE_EQ(settings.shaftRadiusLeft, 4.5);

  SendMessageA(screen, WM_CHAR, 'c', 0);
  ASSERT_NE(message.hwnd, nullptr);
  AnswerMessageWindow(message, kMessageYesId);
  EXPECT_DOUBLE_EQ(settings.shaftRadiusLeft, 3.5);
  EXPECT_DOUBLE_EQ(settings.uprightDistance, 18.0);
  EXPECT_EQ(main.presetName, "");
  EXPECT_TRUE(IsWindow(screen));
}

TEST_F(HistoryPresetsFixture, PresetStoredAndRetrievedBack) {
  settings.twoPlaneMode = 1;
  settings.shaftRadiusLeft = 4.125;
  settings.cwThicknessRight = 1.75;
  HWND screen = Open(kCmdPresets);
  answer = folder.File("V8 street.jsi");
  SendMessageA(screen, WM_CHAR, 's', 0);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(requests[0].save);
  EXPECT_EQ(requests[0].title, "Store Dimension Preset Data");
  EXPECT_EQ(requests[0].filterName, "Dimension Preset Files (.jsi files)");
  EXPECT_EQ(requests[0].patterns, "*.jsi");
  EXPECT_EQ(requests[0].defaultExtension, "jsi");
  EXPECT_EQ(main.presetName, "V8 street");
  EXPECT_EQ(Read("V8 street.jsi").substr(0, 6), "4.125\n");

  settings.shaftRadiusLeft = 3.0;
  settings.cwThicknessRight = 1.0;
  settings.correctionRadiusLeft = 2.0;
  main.presetName.clear();
  SendMessageA(screen, WM_CHAR, 'o', 0);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].title, "Retrieve Stored Dimension Presets");
  EXPECT_DOUBLE_EQ(settings.shaftRadiusLeft, 4.125);
  EXPECT_DOUBLE_EQ(settings.cwThicknessRight, 1.75);
  EXPECT_DOUBLE_EQ(settings.correctionRadiusLeft, 4.125);
  EXPECT_EQ(main.presetName, "V8 street");

  // The next store proposes the preset's name.
  answer.reset();
  Press(screen, kPresetsSaveId);
  EXPECT_EQ(requests.back().proposedName, "V8 street.jsi");
}

TEST_F(HistoryPresetsFixture, TheTouchKeyboardNamesThePresetPrefilled) {
  settings.touchscreen = 1;
  main.presetName = "V6";
  HWND screen = Open(kCmdPresets);
  Press(screen, kPresetsSaveId);
  ASSERT_EQ(kit.entry.kind, EntryKind::kText);
  EXPECT_EQ(Title(kit.entry.heading), "Enter Dimension Preset name");
  char text[64] = {};
  GetWindowTextA(kit.entry.edit, text, sizeof text);
  EXPECT_STREQ(text, "V6");
  SetWindowTextA(kit.entry.edit, "V6 race");
  TypewriterOk();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].proposedName, "V6 race.jsi");
  EXPECT_EQ(main.presetName, "V6 race");
}

}  // namespace
}  // namespace balancer
