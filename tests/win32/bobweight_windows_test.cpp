// The bobweight windows from the main window: opening by button and key,
// entries into the card, the component window, store and retrieve through
// the file dialogs, New Job, the unsaved-changes question, the engine list,
// the scale and the print options.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "app/keypad_layout.h"
#include "app/main_commands.h"
#include "app/win32/kit/entry_window.h"
#include "app/win32/kit/value_box.h"
#include "bobweight/bobweight_files.h"
#include "bobweight/bobweight_screen.h"
#include "bobweight/win32/bobweight_window.h"
#include "bobweight/win32/engine_list_window.h"
#include "screen_fixture.h"

namespace balancer {
namespace {

// A scale on one port that answers its requests with `replies` in turn, the
// last one from then on.
class FakeScalePort : public SerialPort {
 public:
  FakeScalePort(std::string port, std::string reply) : port_(port), replies_{reply} {}
  FakeScalePort(std::string port, std::vector<std::string> replies)
      : port_(port), replies_(replies) {}
  bool Open(const std::string& name, const SerialLineSettings&) override {
    open_ = name == port_;
    return open_;
  }
  bool IsOpen() const override { return open_; }
  void Close() override { open_ = false; }
  void Purge() override { pending_.clear(); }
  int Write(const uint8_t*, int size) override {
    if (!open_) return -1;
    pending_ = replies_[std::min(writes_++, replies_.size() - 1)];
    return size;
  }
  int ReadByte(uint8_t& byte) override {
    if (!open_) return -1;
    if (pending_.empty()) return 0;
    byte = static_cast<uint8_t>(pending_.front());
    pending_.erase(0, 1);
    return 1;
  }

 private:
  std::string port_;
  std::vector<std::string> replies_;
  std::string pending_;
  size_t writes_ = 0;
  bool open_ = false;
};

struct BobweightWindowsFixture : testmain::ScreenFixture {
  void SetUp() override {
    ScreenFixture::SetUp();
    // The temp folder is shared by the screen tests: no card or list left over.
    for (const char* name : {"bwinfo.txt", "smith 350.bwi", "smith 350.bme", "smith.bwi",
                             "smith.bme", "company.txt"}) {
      DeleteFileA(folder.File(name).c_str());
    }
    main.bobweightCard = &card;
    main.rodPistonSet = &set;
    card.jobDate = "12/8/2026";
    settings.bobweightFolder = folder.File("");
    if (!settings.bobweightFolder.empty() && settings.bobweightFolder.back() == '\\') {
      settings.bobweightFolder.pop_back();
    }
    kit.fileDialogStandIn = [this](HWND, const FileRequest& request) {
      requests.push_back(request);
      return answer;
    };
  }
  void TearDown() override {
    SetScalePortFactory(nullptr);
    for (HWND w = FindWindowA(kEngineWindowClass, nullptr); w != nullptr;
         w = FindWindowA(kEngineWindowClass, nullptr)) {
      DestroyWindow(w);
    }
    ScreenFixture::TearDown();
  }
  HWND Open() {
    CreateMain();
    RunMainCommand(main, kCmdBobweight);
    return kit.childScreen;
  }
  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  void Press(HWND screen, int id) { SendMessageA(GetDlgItem(screen, id), BM_CLICK, 0, 0); }
  // Types into the open entry window and presses Enter.
  void Type(const std::string& text) {
    ASSERT_NE(kit.entry.hwnd, nullptr);
    SetWindowTextA(kit.entry.edit, text.c_str());
    SendMessageA(kit.entry.edit, WM_CHAR, VK_RETURN, 0);
  }
  void Answer(int answer) {
    ASSERT_NE(message.hwnd, nullptr);
    AnswerMessageWindow(message, answer);
    Pump();
  }
  std::string MessageText() const {
    char text[200] = {};
    GetWindowTextA(FindWindowExA(message.hwnd, nullptr, "STATIC", nullptr), text, sizeof text);
    return text;
  }
  std::string CardPath(const std::string& name) { return settings.bobweightFolder + "\\" + name; }

  BobweightCard card;
  RodPistonSet set;
  std::vector<FileRequest> requests;
  std::optional<std::string> answer;
};

TEST_F(BobweightWindowsFixture, OpensByButtonAndByKeyWithItsToolbar) {
  HWND mainHwnd = CreateMain();
  SendMessageA(mainHwnd, WM_CHAR, 'b', 0);
  HWND screen = kit.childScreen;
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(Title(screen), "Bobweight Calculation");
  EXPECT_EQ(kit.screenCode, 'b');
  EXPECT_FALSE(IsWindowEnabled(mainHwnd));
  for (const BobweightButton& b : BobweightToolbar()) {
    HWND button = GetDlgItem(screen, b.id);
    ASSERT_NE(button, nullptr) << b.text;
    EXPECT_EQ(Title(button), b.text);
  }
  EXPECT_EQ(Title(GetDlgItem(screen, 103)), "Rod &Total Weight");
  EXPECT_EQ(Title(GetDlgItem(screen, 136)), "&Select Engine");
  EXPECT_EQ(Title(GetDlgItem(screen, 260)), "&Date");
  Press(screen, kBobExit);
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_TRUE(IsWindowEnabled(mainHwnd));

  RunMainCommand(main, kCmdBobweight);
  ASSERT_NE(kit.childScreen, nullptr);
  EXPECT_EQ(kit.screenCode, 'b');
}

TEST_F(BobweightWindowsFixture, TypedValuesReachTheCardAndTheEmptyBobweightTheSettings) {
  settings.bobweightDetail = 0;
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  SendMessageA(screen, WM_CHAR, 'b', 0);  // Rod Bearing Weight
  EXPECT_EQ(kit.entry.fieldCode, 105);
  Type("60");
  EXPECT_DOUBLE_EQ(card.rodBearingWeight, 60.0);
  EXPECT_TRUE(card.changed);
  Press(screen, 103);  // single mode: a plain entry
  Type("1,250");
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 1250.0);
  SendMessageA(screen, WM_CHAR, 'm', 0);
  Type("1500");
  EXPECT_DOUBLE_EQ(settings.emptyBobweight, 1500.0);
  std::ifstream written(folder.File("balsetup.dta"));
  EXPECT_TRUE(written.good());
  SendMessageA(screen, WM_CHAR, 'v', 0);
  Type("-2");
  EXPECT_DOUBLE_EQ(card.overbalancePercent, 0.0);
}

TEST_F(BobweightWindowsFixture, ComponentEntryTakesPistonsAndMatchesPins) {
  settings.bobweightDetail = 1;
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  SendMessageA(screen, WM_CHAR, 'p', 0);
  HWND component = kit.childScreen;
  ASSERT_NE(component, screen);
  EXPECT_EQ(Title(component), "Bobweight Component Entry");
  EXPECT_EQ(kit.screenCode, 'i');
  EXPECT_FALSE(IsWindowEnabled(screen));
  ASSERT_NE(GetDlgItem(component, kComponentMatchPins), nullptr);
  const double pistons[] = {500, 502, 498}, pins[] = {120, 121, 119};
  for (int row = 0; row < 3; ++row) {
    SendMessageA(GetDlgItem(component, 211 + row), WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(kit.entry.fieldCode, 211 + row);
    Type(std::to_string(static_cast<int>(pistons[row])));
    SendMessageA(GetDlgItem(component, 223 + row), WM_LBUTTONDOWN, 0, 0);
    Type(std::to_string(static_cast<int>(pins[row])));
  }
  EXPECT_DOUBLE_EQ(set.pistons[2], 498.0);
  EXPECT_EQ(set.pinNumbers[1], 2);
  Press(component, kComponentMatchPins);
  EXPECT_TRUE(IsWindow(component));
  EXPECT_DOUBLE_EQ(set.pins[2], 121.0);
  EXPECT_DOUBLE_EQ(set.pins[0], 120.0);
  EXPECT_DOUBLE_EQ(set.pins[1], 119.0);
  Press(component, kComponentLightest);
  EXPECT_FALSE(IsWindow(component));
  EXPECT_DOUBLE_EQ(card.pistonWeight, 498.0);
  EXPECT_DOUBLE_EQ(card.pinWeight, 119.0);
  EXPECT_EQ(kit.childScreen, screen);
  EXPECT_EQ(kit.screenCode, 'b');
  EXPECT_TRUE(IsWindowEnabled(screen));

  // Rod mode has no Match Pins; Use Average closes with the means.
  SendMessageA(screen, WM_CHAR, 't', 0);
  component = kit.childScreen;
  EXPECT_EQ(GetDlgItem(component, kComponentMatchPins), nullptr);
  SendMessageA(GetDlgItem(component, 187), WM_LBUTTONDOWN, 0, 0);
  Type("400");
  SendMessageA(GetDlgItem(component, 189), WM_LBUTTONDOWN, 0, 0);
  Type("410");
  Press(component, kComponentAverage);
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 405.0);
}

TEST_F(BobweightWindowsFixture, StoreNewJobAndRetrieveBringTheCardBack) {
  settings.bobweightDetail = 0;
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  Press(screen, 103);
  Type("600");
  Press(screen, 106);
  Type("500");
  set.rodTotals[0] = 601;
  answer = CardPath("smith 350.bwi");
  Press(screen, kBobSave);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(requests[0].save);
  EXPECT_EQ(requests[0].title, "Store Bobweight Data");
  EXPECT_EQ(requests[0].filterName, "Bobweight Files (.bwi files)");
  EXPECT_EQ(requests[0].patterns, "*.bwi");
  EXPECT_EQ(requests[0].defaultExtension, "bwi");
  EXPECT_EQ(requests[0].folder, settings.bobweightFolder);
  EXPECT_EQ(card.jobName, "smith 350");
  EXPECT_FALSE(card.changed);
  EXPECT_TRUE(std::ifstream(CardPath("smith 350.bme")).good());

  Press(screen, kBobNewJob);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "New Job");
  Answer(kMessageYesId);
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 0.0);
  EXPECT_DOUBLE_EQ(set.rodTotals[0], 0.0);
  EXPECT_TRUE(card.jobName.empty());
  ASSERT_NE(kit.entry.hwnd, nullptr);  // "Enter a job name"
  EXPECT_EQ(Title(kit.entry.hwnd), "Enter a job name");
  Type("jones");
  EXPECT_EQ(card.jobName, "jones");

  Press(screen, kBobOpen);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_FALSE(requests[1].save);
  EXPECT_EQ(requests[1].title, "Retrieve Bobweight Data");
  EXPECT_EQ(requests[1].proposedName, "jones.bwi");
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 600.0);
  EXPECT_DOUBLE_EQ(card.pistonWeight, 500.0);
  EXPECT_DOUBLE_EQ(set.rodTotals[0], 601.0);
  EXPECT_EQ(card.jobName, "smith 350");
}

TEST_F(BobweightWindowsFixture, NewJobAnsweredNoKeepsTheCard) {
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  card.pistonWeight = 500;
  Press(screen, kBobNewJob);
  Answer(kMessageNoId);
  EXPECT_DOUBLE_EQ(card.pistonWeight, 500.0);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
}

TEST_F(BobweightWindowsFixture, SavingAnEmptyCardWarnsFirstAndACancelledDialogWritesNothing) {
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  Press(screen, kBobSave);
  EXPECT_TRUE(requests.empty());
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "WARNING");
  Answer(kMessageOkId);
  ASSERT_EQ(requests.size(), 1u);  // then the dialog, which is cancelled
  EXPECT_TRUE(card.jobName.empty());
  EXPECT_EQ(message.hwnd, nullptr);  // no message without a touch screen
}

TEST_F(BobweightWindowsFixture, ClosingWithUnsavedChangesAsks) {
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  card.jobName = "smith";
  SendMessageA(screen, WM_CHAR, 'o', 0);
  Type("7");
  EXPECT_TRUE(card.changed);
  SendMessageA(screen, WM_CHAR, VK_ESCAPE, 0);
  EXPECT_TRUE(IsWindow(screen));
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "Alert");
  Answer(kMessageYesId);  // SAVE: under the folder and job name, no dialog
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_TRUE(requests.empty());
  EXPECT_TRUE(std::ifstream(CardPath("smith.bwi")).good());

  screen = kit.childScreen;
  RunMainCommand(main, kCmdBobweight);
  screen = kit.childScreen;
  SendMessageA(screen, WM_CHAR, 'o', 0);
  Type("8");
  SendMessageA(screen, WM_CLOSE, 0, 0);
  Answer(kMessageNoId);  // DON'T SAVE
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_FALSE(card.changed);
}

TEST_F(BobweightWindowsFixture, EnterOnTheWindowsQuestionsSaysYes) {
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  card.jobName = "smith";
  SendMessageA(screen, WM_CHAR, 'o', 0);
  Type("7");
  SendMessageA(screen, WM_CHAR, VK_ESCAPE, 0);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(MessageText(),
            "You appear to have changed the bobweight without saving.\n\n"
            "Do you want to save the changes?");
  SendMessageA(message.hwnd, WM_KEYDOWN, VK_RETURN, 0);  // answer 1: SAVE
  Pump();
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_TRUE(std::ifstream(CardPath("smith.bwi")).good());
  EXPECT_FALSE(card.changed);

  RunMainCommand(main, kCmdBobweight);
  screen = kit.childScreen;
  ASSERT_NE(screen, nullptr);
  card.pistonWeight = 500;
  Press(screen, kBobNewJob);
  ASSERT_NE(message.hwnd, nullptr);
  SendMessageA(message.hwnd, WM_KEYDOWN, VK_RETURN, 0);  // answer 1: YES
  Pump();
  EXPECT_DOUBLE_EQ(card.pistonWeight, 0.0);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(Title(kit.entry.hwnd), "Enter a job name");
}

TEST_F(BobweightWindowsFixture, TouchScreenDateIsTypedOnTheKeypadWithItsSlash) {
  settings.touchscreen = 1;
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  Press(screen, kBobDate);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(kit.entry.kind, EntryKind::kKeypad);
  char typed[32] = {};
  GetWindowTextA(kit.entry.edit, typed, sizeof typed);
  EXPECT_STREQ(typed, "12/8/2026") << "prefilled with the date";
  SendMessageA(GetDlgItem(kit.entry.hwnd, kKeyClear), BM_CLICK, 0, 0);
  for (int key : std::vector<int>{'1', '/', '2', '/', '2', '0', '2', '7', kKeyEnter}) {
    HWND button = GetDlgItem(kit.entry.hwnd, key);
    ASSERT_NE(button, nullptr) << key;
    SendMessageA(button, BM_CLICK, 0, 0);
  }
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_EQ(card.jobDate, "1/2/2027");
  EXPECT_TRUE(card.changed);
}

TEST_F(BobweightWindowsFixture, TypewriterEnterStaysOutOfTheJobNameSoSilentSavesWork) {
  settings.touchscreen = 1;
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  Press(screen, kBobNewJob);
  Answer(kMessageYesId);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(kit.entry.kind, EntryKind::kText);
  for (int key : std::vector<int>{'j', 'o', 'n', 'e', 's', kKeyEnter, kKeyNoteOk}) {
    SendMessageA(GetDlgItem(kit.entry.hwnd, key), BM_CLICK, 0, 0);
  }
  EXPECT_EQ(card.jobName, "jones");
  SendMessageA(screen, WM_CHAR, 'o', 0);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  SetWindowTextA(kit.entry.edit, "6");
  SendMessageA(GetDlgItem(kit.entry.hwnd, kKeyEnter), BM_CLICK, 0, 0);
  SendMessageA(screen, WM_CLOSE, 0, 0);
  Answer(kMessageYesId);  // SAVE, without a dialog
  EXPECT_FALSE(IsWindow(screen)) << MessageText();
  EXPECT_TRUE(std::ifstream(CardPath("jones.bwi")).good());
  EXPECT_TRUE(std::ifstream(CardPath("jones.bme")).good());
}

TEST_F(BobweightWindowsFixture, EngineListAppliesTheChosenRow) {
  {
    std::ofstream list(folder.File("bwinfo.txt"));
    list << "h1\nh2\nh3\nh4\nh5\n^Chevrolet^\nV-8 350^50^100^2^i^small block\n"
            "V-6 90^46^100^1^e^odd fire\n";
  }
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  SendMessageA(screen, WM_CHAR, 's', 0);
  HWND engine = FindWindowA(kEngineWindowClass, nullptr);
  ASSERT_NE(engine, nullptr);
  EXPECT_EQ(Title(engine), "Bobweight Reciprocating and Rotating Percentages");
  EXPECT_FALSE(IsWindowEnabled(screen));
  SendMessageA(engine, WM_KEYDOWN, VK_DOWN, 0);  // scrolls; the selection stays
  SendMessageA(engine, WM_KEYDOWN, VK_UP, 0);
  // Row 0 was a heading: the first engine is selected. Click the second.
  const int rowY = static_cast<int>((70 + 2 * 22 + 5) * kit.screenScale);
  SendMessageA(engine, WM_LBUTTONDOWN, 0, MAKELPARAM(20, rowY));
  SendMessageA(engine, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_FALSE(IsWindow(engine));
  EXPECT_TRUE(IsWindowEnabled(screen));
  EXPECT_EQ(card.engineName, "V-6 90");
  EXPECT_DOUBLE_EQ(card.reciprocatingPercent, 46.0);
  EXPECT_DOUBLE_EQ(card.cylindersPerBobweight, 1.0);
  EXPECT_TRUE(card.changed);
}

TEST_F(BobweightWindowsFixture, MissingEngineListTellsAndAppliesTheDefaultRow) {
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  card.engineName = "Other";
  card.reciprocatingPercent = 40;
  SendMessageA(screen, WM_CHAR, 's', 0);
  EXPECT_EQ(FindWindowA(kEngineWindowClass, nullptr), nullptr);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "Error");
  EXPECT_EQ(card.engineName, "V-8");
  EXPECT_DOUBLE_EQ(card.reciprocatingPercent, 50.0);
}

TEST_F(BobweightWindowsFixture, ScaleFoundAsTheWindowOpensFillsTheEntry) {
  settings.scaleType = 1;  // AND: three characters blanked
  settings.bobweightDetail = 0;
  SetScalePortFactory([] { return std::make_unique<FakeScalePort>("COM3", "ST,+00123.4  g\r\n"); });
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(ScaleOpen(kit));
  SendMessageA(screen, WM_CHAR, 't', 0);
  HWND transfer = GetDlgItem(kit.entry.hwnd, 144);
  ASSERT_NE(transfer, nullptr);
  SendMessageA(transfer, BM_CLICK, 0, 0);
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 123.4);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  Press(screen, kBobExit);
  EXPECT_FALSE(ScaleOpen(kit));
}

// The scale belongs to the bobweight screen: the component boxes over it
// offer the transfer too, and nothing does once it has closed.
TEST_F(BobweightWindowsFixture, TheComponentBoxesOverTheCardOfferTheScale) {
  settings.scaleType = 1;
  settings.bobweightDetail = 1;
  SetScalePortFactory([] { return std::make_unique<FakeScalePort>("COM3", "ST,+00498.0  g\r\n"); });
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  SendMessageA(screen, WM_CHAR, 'p', 0);
  HWND component = kit.childScreen;
  ASSERT_NE(component, screen);
  SendMessageA(GetDlgItem(component, 211), WM_LBUTTONDOWN, 0, 0);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  HWND transfer = GetDlgItem(kit.entry.hwnd, 144);
  ASSERT_NE(transfer, nullptr);
  SendMessageA(transfer, BM_CLICK, 0, 0);
  EXPECT_DOUBLE_EQ(set.pistons[0], 498.0);
  Press(component, kComponentCancel);
  card.changed = false;
  Press(screen, kBobExit);
  ASSERT_FALSE(IsWindow(screen));
  kit.actionCode = 106;
  ASSERT_NE(OpenNumberEntry(kit, 402, 178), nullptr);
  EXPECT_EQ(GetDlgItem(kit.entry.hwnd, 144), nullptr);
  CloseEntryWindow(kit);
}

TEST_F(BobweightWindowsFixture, WithAModelButNoScaleTheTransferReportsUnstable) {
  settings.scaleType = 2;
  settings.bobweightDetail = 0;
  SetScalePortFactory([] { return std::make_unique<FakeScalePort>("COM10", "1.0 g\r\n"); });
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(ScaleOpen(kit));
  card.rodTotalWeight = 600;
  SendMessageA(screen, WM_CHAR, 't', 0);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  ASSERT_NE(GetDlgItem(kit.entry.hwnd, 144), nullptr);
  SendMessageA(kit.entry.edit, WM_CHAR, 'T', 0);  // reads the scale rather than typing
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "ERROR");
  EXPECT_EQ(MessageText(), "SCALE UNSTABLE\n\nNo Reading Was Transferred");
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 600.0);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  char typed[16] = {};
  GetWindowTextA(kit.entry.edit, typed, sizeof typed);
  EXPECT_STREQ(typed, "");
}

TEST_F(BobweightWindowsFixture, AScaleThatKeepsAnsweringErrorTransfersNothing) {
  settings.scaleType = 2;
  settings.bobweightDetail = 0;
  // Found with a weight, then only error replies.
  SetScalePortFactory([] {
    return std::make_unique<FakeScalePort>("COM2",
                                           std::vector<std::string>{"12.0 g\r\n", "E1\r\n"});
  });
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  card.pistonWeight = 500;
  SendMessageA(screen, WM_CHAR, 'p', 0);
  SendMessageA(GetDlgItem(kit.entry.hwnd, 144), BM_CLICK, 0, 0);
  EXPECT_DOUBLE_EQ(card.pistonWeight, 500.0) << "an error reply is no weight of 0";
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "ERROR");
}

TEST_F(BobweightWindowsFixture, PrintOptionsToggleTakeBoxesAndWriteTheSettingsOnExit) {
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  Press(screen, kBobPrintOptions);
  HWND options = kit.childScreen;
  ASSERT_NE(options, screen);
  EXPECT_EQ(Title(options), "Bobweight Print Options");
  EXPECT_EQ(kit.screenCode, 'o');
  EXPECT_EQ(Title(GetDlgItem(options, kPrintBottomBanner)), "Bottom\nPrint Banner");
  Press(options, kPrintForceTable);
  EXPECT_EQ(settings.printOption, 2);
  EXPECT_EQ(SendDlgItemMessageA(options, kPrintForceTable, BM_GETCHECK, 0, 0), BST_CHECKED);
  answer = std::string("C:\\balancer\\left.png");
  Press(options, kPrintLeftImage);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].title, "Select Print Image");
  EXPECT_EQ(requests[0].folder, "C:\\balancer");
  EXPECT_EQ(settings.leftPhotoPath, "C:\\balancer\\left.png");
  SendMessageA(GetDlgItem(options, 276), WM_LBUTTONDOWN, 0, 0);
  Type("1.5");
  EXPECT_DOUBLE_EQ(card.tolerance, 1.5);
  std::string shown;
  ASSERT_NE(OpenScreenOf(kit), nullptr);
  ASSERT_TRUE(OpenScreenOf(kit)->BoxText(276, shown));
  EXPECT_EQ(shown, "1.5");
  Press(options, kPrintExit);
  EXPECT_FALSE(IsWindow(options));
  EXPECT_EQ(kit.childScreen, screen);
  EXPECT_TRUE(std::ifstream(folder.File("balsetup.dta")).good());
}

TEST_F(BobweightWindowsFixture, PrintOptionsToleranceIsTypedShownAndPrintedInOunceMillimetres) {
  settings.weightUnit = 1;
  settings.lengthUnit = 1;
  card.tolerance = 2.0;  // gram-inches
  HWND screen = Open();
  ASSERT_NE(screen, nullptr);
  Press(screen, kBobPrintOptions);
  HWND options = kit.childScreen;
  ASSERT_NE(options, screen);
  std::string shown;
  ASSERT_NE(OpenScreenOf(kit), nullptr);
  ASSERT_TRUE(OpenScreenOf(kit)->BoxText(276, shown));
  EXPECT_EQ(shown, "1.79");  // 2.0 / 28.349525 * 25.4
  SendMessageA(GetDlgItem(options, 276), WM_LBUTTONDOWN, 0, 0);
  Type("2.25");
  OpenScreenOf(kit)->BoxText(276, shown);
  EXPECT_EQ(shown, "2.25");
  // Page 2 prints the stored gram-inches back as this number.
  EXPECT_NEAR(card.tolerance, 2.25 * 28.349525 / 25.4, 1e-9);
}

}  // namespace
}  // namespace balancer
