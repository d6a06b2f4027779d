// The kit's model screen: buttons where the items say, and every effect of a
// press carried out, in its order, through the host, the kit and the model.
#include "app/win32/kit/model_screen.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/win32/kit/entry_window.h"
#include "base/field_codes.h"
#include "kit_fixture.h"

namespace balancer {
namespace {

using kit_test::ChildRect;
using kit_test::Click;
using kit_test::EnsureKitClasses;
using kit_test::Instance;

// Records what the screen asked of the main window, and whether the screen
// was still open at the time.
struct LogHost : ScreenHost {
  void RecomputeAndRepaint() override { Log("recompute"); }
  void Repaint(RepaintArea area) override {
    Log(area == RepaintArea::kReadings ? "readings" : "whole");
  }
  bool SettingsChanged() override {
    Log("settings");
    return true;
  }
  void ScreenClosed() override { Log("closed"); }
  void SpeedControlChanged() override { Log("spin face"); }
  void StartSoftwareUpdateCheck() override { Log("update"); }
  bool OpenScreenOver(ChildScreen&, char code) override {
    Log(std::string("open ") + code);
    return true;
  }
  void PrintShaftReport(ChildScreen&) override { Log("print"); }
  void PrintBobweightCard(ChildScreen&) override { Log("print card"); }
  void Log(const std::string& what) { calls.push_back(what + (IsWindow(screen) ? "" : " (gone)")); }
  HWND screen = nullptr;
  std::vector<std::string> calls;
};

// What the scripted model was handed back.
struct Script {
  std::vector<ScreenItem> items;
  ScreenPress next;         // what any press returns
  ScreenPress afterAnswer;  // what a typed name, a file or an answer returns
  std::vector<std::string> names;
  std::vector<std::string> files;  // the chosen paths, "" for cancelled
  std::vector<int> answers;
};

class ScriptedScreen : public ModelScreen {
 public:
  ScriptedScreen(const ScreenContext& context, Script& script)
      : ModelScreen(context), script_(script) {}
  char Code() const override { return 'q'; }

 protected:
  std::vector<ScreenItem> Items() const override { return script_.items; }
  ScreenPress Press(int) override { return script_.next; }
  ScreenPress CloseRequested() override { return script_.next; }
  ScreenPress NameEntered(const std::string& typed) override {
    script_.names.push_back(typed);
    return script_.afterAnswer;
  }
  ScreenPress FileChosen(const FileRequest& request,
                         const std::optional<std::string>& path) override {
    script_.files.push_back(request.title + ":" + path.value_or(""));
    return script_.afterAnswer;
  }
  ScreenPress Answered(int actionCode, bool accepted) override {
    script_.answers.push_back(accepted ? actionCode : -actionCode);
    return script_.afterAnswer;
  }

 private:
  Script& script_;
};

// A field of the screen's own (the test slug's diameter) that keeps what it
// is given.
struct KeepingStore : ScreenEntryStore {
  ScreenEntryEffect StoreEntry(int code, double value) override {
    ScreenEntryEffect effect;
    if (code != kFieldSlugDiameter) return effect;
    effect.handled = true;
    effect.stored = true;
    values.push_back(value);
    return effect;
  }
  std::vector<double> values;
};

class StoreScreen : public ScriptedScreen {
 public:
  StoreScreen(const ScreenContext& context, Script& script, ScreenEntryStore* store, char code)
      : ScriptedScreen(context, script), store_(store), code_(code) {}
  char Code() const override { return code_; }

 protected:
  ScreenEntryStore* Store() override { return store_; }

 private:
  ScreenEntryStore* store_;
  char code_;
};

ScreenPress Handled() {
  ScreenPress press;
  press.handled = true;
  return press;
}

struct ModelScreenTest : ::testing::Test {
  void SetUp() override {
    EnsureKitClasses();
    ASSERT_TRUE(RegisterChildScreenClass(Instance()));
    kit.instance = Instance();
    script.items.push_back(PlacedItem(7, "Seven", "7.0", {20, 30, 120, 36}));
    script.items.push_back(PlacedItem(8, "Eight", "", {20, 80, 120, 36}));
    script.items.back().shown = false;
    script.items.push_back(PlacedItem(9, "Drawn by the window", "", {}));
    script.items.push_back(PlacedItem(0, "A text", "", {200, 10, 0, 0}));
  }
  void TearDown() override {
    if (kit.entry.hwnd != nullptr) DestroyWindow(kit.entry.hwnd);
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }
  void Open() {
    hwnd = OpenChildScreen(std::make_unique<ScriptedScreen>(context, script), "Scripted",
                           WS_CAPTION | WS_SYSMENU, 100, 100, 400, 300);
    ASSERT_NE(hwnd, nullptr);
    host.screen = hwnd;
  }

  kit_test::KitRecords records;
  MachineSettings& settings = records.settings;
  RecordingOperatorUi ui;
  KitContext kit{records.Services(ui)};
  LogHost host;
  PlaneReading left, right;
  CorrectionZones zones;
  CorrectionState correction;
  CorrectionResult result;
  int indicator = 0;
  ScreenContext context{kit, host, left, right, zones, correction, result, indicator};
  Script script;
  HWND hwnd = nullptr;
};

TEST_F(ModelScreenTest, MakesAButtonAtEachPlacedItemOnly) {
  Open();
  HWND seven = GetDlgItem(hwnd, 7);
  ASSERT_NE(seven, nullptr);
  const RECT r = ChildRect(seven);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 120);
  EXPECT_EQ(kit_test::WindowText(seven), "Seven");
  HWND eight = GetDlgItem(hwnd, 8);
  ASSERT_NE(eight, nullptr);
  EXPECT_FALSE(IsWindowVisible(eight));
  // No place: the window makes its own control for it.
  EXPECT_EQ(GetDlgItem(hwnd, 9), nullptr);
  EXPECT_EQ(GetDlgItem(hwnd, 0), nullptr);
}

TEST_F(ModelScreenTest, CarriesOutTheMainWindowEffectsBeforeTheScreenOnes) {
  Open();
  script.next = Handled();
  script.next.recompute = script.next.spinFaceChanged = script.next.writeSettings = true;
  script.next.updateCheck = script.next.print = true;
  script.next.openScreen = 't';
  OperatorMessage question;
  question.caption = "Question";
  question.actionCode = 316;
  script.next.message = question;
  Click(hwnd, 7);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"recompute", "spin face", "settings", "update",
                                                  "print", "open t"}));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Question");
  EXPECT_EQ(kit.actionCode, 316);
  EXPECT_TRUE(IsWindow(hwnd));

  // The whole main window or its result areas, never both with a recompute.
  host.calls.clear();
  script.next = Handled();
  script.next.repaintReadings = true;
  Click(hwnd, 7);
  script.next.repaintMain = true;
  Click(hwnd, 7);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"readings", "whole"}));

  // A press the model does not know does nothing.
  host.calls.clear();
  script.next = ScreenPress{};
  script.next.close = script.next.writeSettings = true;
  Click(hwnd, 7);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(ModelScreenTest, ClosesBeforeTheCorrectionsRunAndWritesAfterThem) {
  Open();
  script.next = Handled();
  script.next.close = script.next.recompute = script.next.writeSettings = true;
  script.next.entryCode = 175;  // not opened: the screen is gone
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  ASSERT_EQ(host.calls.size(), 3u);
  EXPECT_EQ(host.calls[0].rfind("closed", 0), 0u);
  EXPECT_EQ(host.calls[1], "recompute (gone)");
  EXPECT_EQ(host.calls[2], "settings (gone)");
  EXPECT_EQ(kit.entry.hwnd, nullptr);
}

TEST_F(ModelScreenTest, HandsTheChosenFileBackToTheModelAndCarriesOutItsAnswer) {
  std::vector<std::string> shown;
  kit.fileDialogStandIn = [&](HWND owner,
                              const FileRequest& request) -> std::optional<std::string> {
    EXPECT_EQ(owner, hwnd);
    shown.push_back(request.title);
    if (request.save) return std::nullopt;
    return std::string("C:\\jobs\\a.hst");
  };
  Open();
  FileRequest load;
  load.title = "Load";
  script.next = Handled();
  script.next.dialog = load;
  script.afterAnswer = Handled();
  script.afterAnswer.repaintReadings = true;
  Click(hwnd, 7);
  FileRequest store;
  store.save = true;
  store.title = "Store";
  script.next.dialog = store;
  Click(hwnd, 7);
  EXPECT_EQ(shown, (std::vector<std::string>{"Load", "Store"}));
  EXPECT_EQ(script.files, (std::vector<std::string>{"Load:C:\\jobs\\a.hst", "Store:"}));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"readings", "readings"}));
}

TEST_F(ModelScreenTest, TypedNamesAndAnswersComeBackToTheScreenThatAsked) {
  Open();
  script.next = Handled();
  script.next.nameEntry = NameEntry{181, "Enter history file name", "shaft 7"};
  script.afterAnswer = Handled();
  script.afterAnswer.writeSettings = true;
  Click(hwnd, 7);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(kit.actionCode, 181);
  EXPECT_EQ(kit.entry.text, "shaft 7");
  ChildScreen* open = OpenScreenOf(kit);
  ASSERT_NE(open, nullptr);
  open->DeliverText(22, "another entry's text");
  EXPECT_TRUE(script.names.empty());
  open->DeliverText(181, "shaft 8");
  open->DeliverText(181, "typed twice");
  EXPECT_EQ(script.names, (std::vector<std::string>{"shaft 8"}));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"settings"}));

  SendMessageA(hwnd, kScreenAnswer, 316, 1);
  SendMessageA(hwnd, kScreenAnswer, 30, 0);
  EXPECT_EQ(script.answers, (std::vector<int>{316, -30}));

  // The kit forgets the screen with its window.
  DestroyWindow(kit.entry.hwnd);
  DestroyWindow(hwnd);
  EXPECT_EQ(OpenScreenOf(kit), nullptr);
}

TEST_F(ModelScreenTest, PrintsTheBobweightCardThroughTheHost) {
  Open();
  script.next = Handled();
  script.next.printCard = true;
  Click(hwnd, 7);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"print card"}));
}

// The keyboard, a line, a note and the keypad each open where the press says,
// and what is typed comes back to the screen as a typed name does.
TEST_F(ModelScreenTest, OpensEachKindOfTextEntryAndTakesItsText) {
  Open();
  const struct {
    TextEntryKind kind;
    EntryKind opened;
  } kinds[] = {{TextEntryKind::kKeyboard, EntryKind::kText},
               {TextEntryKind::kLine, EntryKind::kLine},
               {TextEntryKind::kNote, EntryKind::kNote},
               {TextEntryKind::kKeypad, EntryKind::kKeypad}};
  int code = 253;
  for (const auto& k : kinds) {
    script.next = Handled();
    NameEntry entry{code, "Enter Job Notes", "old"};
    entry.kind = k.kind;
    entry.x = 256;
    entry.y = 200;
    script.next.nameEntry = entry;
    Click(hwnd, 7);
    ASSERT_NE(kit.entry.hwnd, nullptr);
    EXPECT_EQ(kit.entry.kind, k.opened);
    EXPECT_EQ(kit.actionCode, code);
    RECT r;
    GetWindowRect(kit.entry.hwnd, &r);
    EXPECT_EQ(r.left, 256);
    EXPECT_EQ(r.top, 200);
    OpenScreenOf(kit)->DeliverText(code, "typed " + std::to_string(code));
    DestroyWindow(kit.entry.hwnd);
    kit.entry.hwnd = nullptr;
    ++code;
  }
  EXPECT_EQ(script.names,
            (std::vector<std::string>{"typed 253", "typed 254", "typed 255", "typed 256"}));
}

TEST_F(ModelScreenTest, MakesCheckBoxesThatFollowTheItemsAndTwoLineFaces) {
  ScreenItem box = PlacedItem(20, "Print Force at RPM Table", "", {20, 130, 300, 32});
  box.checkBox = true;
  script.items.push_back(box);
  script.items.push_back(PlacedItem(21, "Bottom\nPrint Banner", "", {200, 180, 160, 56}));
  Open();
  HWND check = GetDlgItem(hwnd, 20);
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(GetWindowLongA(check, GWL_STYLE) & BS_TYPEMASK, BS_CHECKBOX);
  EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_NE(GetWindowLongA(GetDlgItem(hwnd, 21), GWL_STYLE) & BS_MULTILINE, 0);
  EXPECT_EQ(GetWindowLongA(GetDlgItem(hwnd, 7), GWL_STYLE) & BS_MULTILINE, 0);

  script.items[script.items.size() - 2].checked = true;
  script.next = Handled();
  script.next.repaint = true;
  Click(hwnd, 20);
  EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
}

// Typed values go to the fields of the screen that is open: not to the one
// under a screen opened over it, and to that one again once the screen over
// it has closed.
TEST_F(ModelScreenTest, TypedValuesReachTheOpenScreensOwnFields) {
  records.folder.path = kit_test::FreshFolder("balancer-model-screen-test");
  KeepingStore own;
  hwnd = OpenChildScreen(std::make_unique<StoreScreen>(context, script, &own, 'q'), "Under",
                         WS_CAPTION | WS_SYSMENU, 100, 100, 400, 300);
  ASSERT_NE(hwnd, nullptr);
  auto typeValue = [&](const char* text) {
    kit.actionCode = kFieldSlugDiameter;
    ASSERT_NE(OpenEntryForField(kit, kFieldSlugDiameter), nullptr);
    kit_test::Type(kit.entry.edit, text);
    EXPECT_EQ(kit.entry.hwnd, nullptr);
  };
  typeValue("0.5\r");
  EXPECT_EQ(own.values, (std::vector<double>{0.5}));

  Script overScript = script;
  HWND over = OpenSubScreen(*ChildScreenOf(hwnd),
                            std::make_unique<StoreScreen>(context, overScript, nullptr, 'r'),
                            "Over", WS_CAPTION | WS_SYSMENU, 150, 150, 300, 200);
  ASSERT_NE(over, nullptr);
  typeValue("0.625\r");
  EXPECT_EQ(own.values, (std::vector<double>{0.5})) << "not the fields under the open screen";
  DestroyWindow(over);
  ASSERT_EQ(kit.childScreen, hwnd);
  typeValue("0.75\r");
  EXPECT_EQ(own.values, (std::vector<double>{0.5, 0.75}));
}

}  // namespace
}  // namespace balancer
