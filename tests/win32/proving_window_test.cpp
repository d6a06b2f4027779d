// The Machine Proving Test window over Machine Setup, spinning the simulated
// machine in virtual time: its spins never reach the job (readings, history,
// settings), the whole run keeps its dated file, and Cancel keeps nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/main_commands.h"
#include "app/proving_screen.h"
#include "app/win32/app_state.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/message_routing.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/kit/print_dialog.h"
#include "app/win32/main_window.h"
#include "app/win32/win32_operator_ui.h"
#include "device/clock.h"
#include "main_fixture.h"
#include "records/atomic_file.h"
#include "records/machine_setup_screen.h"
#include "records/settings_file.h"
#include "sim/sim_config.h"
#include "sim/sim_transport.h"

namespace balancer {
namespace {

using testmain::Drain;
using testmain::Instance;

struct StandInCall {
  ProvingStepKind kind;
  int position;
  bool plan;
};

struct ProvingWindowFixture : ::testing::Test {
  void SetUp() override {
    static bool registered = RegisterAppWindowClasses(Instance());
    ASSERT_TRUE(registered);
    folder = testmain::FreshTempFolder("proving_window_test");
    for (const std::string& name : Kept()) DeleteFileA(folder.File(name).c_str());
    testmain::WireMainWindow(main, link, transport, clock, message, folder, settings, ui);
    link.spinActive = &spinActive;
    kit.instance = Instance();
    main.kit = &kit;
    ConnectMessageRouting(kit);
    kit.provingStandIn = [this](const ProvingSetup&, const ProvingStep& step,
                                const CorrectionResult* plan) {
      calls.push_back({step.kind, step.position, plan != nullptr});
    };
  }
  void TearDown() override {
    if (kit.childScreen != nullptr) DestroyWindow(kit.childScreen);
    testmain::CloseMainWindows(main, message);
  }
  std::vector<std::string> Kept() const {
    std::vector<std::string> kept;
    for (const std::string& name : FileNamesIn(folder.path)) {
      if (name.rfind("proving-", 0) == 0) kept.push_back(name);
    }
    return kept;
  }
  HWND CreateInAuto() {
    HWND hwnd = testmain::CreateMainWindowPastNotice(main, link, message);
    Drain();
    settings.speedControl = 1;
    transport.control().ClearManualDrive();
    return hwnd;
  }
  void CloseMessages() {
    for (int i = 0; i < 5 && message.hwnd != nullptr; ++i) {
      AnswerMessageWindow(message, kMessageOkId);
    }
  }
  void Click(HWND screen, int id) {
    HWND button = GetDlgItem(screen, id);
    ASSERT_NE(button, nullptr) << id;
    SendMessageA(button, BM_CLICK, 0, 0);
  }
  HWND OpenProving() {
    RunMainCommand(main, kCmdSettings);
    HWND setup = kit.childScreen;
    EXPECT_NE(setup, nullptr);
    if (setup == nullptr) return nullptr;
    SendMessageA(GetDlgItem(setup, kSetupProvingTest), BM_CLICK, 0, 0);
    return kit.childScreen != setup ? kit.childScreen : nullptr;
  }
  std::string Settings() const { return FormatSettings(settings); }

  VirtualClock clock;
  sim::SimTransport transport{clock, sim::SimConfig()};
  ControlLink link;
  int spinActive = 0;
  ProgramFolder folder;
  MachineSettings settings;
  MainWindowState main;
  MessageWindowState message;
  Win32OperatorUi ui{main, message};
  KitContext kit{MainKitServices(main, settings, folder, ui, link, message)};
  std::vector<StandInCall> calls;
};

TEST_F(ProvingWindowFixture, AWholeRunKeepsItsFileAndLeavesTheJobAsItWas) {
  HWND hwnd = CreateInAuto();
  // A job spin first: its readings and history record are what must stay.
  SendMessageA(hwnd, WM_CHAR, 's', 0);
  CloseMessages();
  ASSERT_EQ(main.history.historyCount, 1);
  const PlaneReading left = main.left;
  const PlaneReading right = main.right;
  const std::string leftText = main.result.left.text;
  const double lastSpin = main.spin.left.amount;
  const std::string before = Settings();

  HWND proving = OpenProving();
  ASSERT_NE(proving, nullptr);
  char title[64] = {};
  GetWindowTextA(proving, title, sizeof title);
  EXPECT_STREQ(title, "Machine Proving Test");
  EXPECT_EQ(kit.screenCode, kScreenProving);
  EXPECT_FALSE(IsWindowEnabled(hwnd));

  // Baseline, twelve positions, the URR's initial spin, its correction and
  // the residual spin: sixteen presses of Spin.
  for (int press = 0; press < 16; ++press) {
    Click(proving, kProvingSpin);
    if (press < 15) {
      EXPECT_EQ(message.hwnd, nullptr) << "press " << press;
    }
    ASSERT_TRUE(IsWindow(proving));
    EXPECT_FALSE(IsWindowEnabled(hwnd)) << "the main window stays under the screens";
  }
  ASSERT_EQ(calls.size(), 16u);
  EXPECT_EQ(calls[0].kind, ProvingStepKind::kBaseline);
  for (int i = 0; i < kProvingPositions; ++i) {
    EXPECT_EQ(calls[1 + i].kind, ProvingStepKind::kPosition);
    EXPECT_EQ(calls[1 + i].position, i);
    EXPECT_FALSE(calls[1 + i].plan);
  }
  EXPECT_EQ(calls[13].kind, ProvingStepKind::kUrrInitial);
  EXPECT_EQ(calls[14].kind, ProvingStepKind::kUrrCorrect);
  EXPECT_TRUE(calls[14].plan) << "the correction step hands over the program's plan";
  EXPECT_EQ(calls[15].kind, ProvingStepKind::kUrrResidual);

  // The end is told, and the dated file is there.
  ASSERT_NE(message.hwnd, nullptr);
  CloseMessages();
  const std::vector<std::string> kept = Kept();
  ASSERT_EQ(kept.size(), 1u);
  std::optional<std::string> text = ReadWholeFile(folder.File(kept[0]));
  ASSERT_TRUE(text.has_value());
  EXPECT_FALSE(text->empty());

  // Print: one page through the print dialog, with ink on it.
  HDC paper = CreateCompatibleDC(nullptr);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 850;
  info.bmiHeader.biHeight = -1100;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(paper, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(paper, bitmap);
  int dialogs = 0;
  int pages = 0;
  long ink = 0;
  bool noPrinter = false;
  kit.printDialogStandIn =
      [&](HWND, const PrintDialogRequest& request) -> std::optional<PrintDialogResult> {
    ++dialogs;
    EXPECT_EQ(request.maxPage, 1);
    PrintDialogResult result;
    if (noPrinter) {
      result.failure = PrintDialogFailure::kNoPrinter;
      return result;
    }
    result.dc = paper;
    result.printer = false;
    result.width = 850;
    result.height = 1100;
    result.pageDone = [&](int) {
      ++pages;
      const DWORD* p = static_cast<const DWORD*>(bits);
      for (int i = 0; i < 850 * 1100; ++i) ink += (p[i] & 0xFFFFFF) != 0xFFFFFF;
      return true;
    };
    return result;
  };
  Click(proving, kProvingPrint);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(pages, 1);
  EXPECT_GT(ink, 1000);
  EXPECT_EQ(message.hwnd, nullptr) << "a page printed says nothing";
  // No printer: the operator is told.
  noPrinter = true;
  Click(proving, kProvingPrint);
  EXPECT_EQ(pages, 1);
  ASSERT_NE(message.hwnd, nullptr);
  CloseMessages();
  kit.printDialogStandIn = nullptr;
  SelectObject(paper, old);
  DeleteObject(bitmap);
  DeleteDC(paper);

  // Nothing of the job moved.
  EXPECT_EQ(main.history.historyCount, 1);
  EXPECT_EQ(main.left.amount, left.amount);
  EXPECT_EQ(main.right.angle, right.angle);
  EXPECT_EQ(main.result.left.text, leftText);
  EXPECT_EQ(main.spin.left.amount, lastSpin);
  EXPECT_EQ(Settings(), before);
}

TEST_F(ProvingWindowFixture, CancelInTheMiddleKeepsNothingAndStartsAfresh) {
  CreateInAuto();
  const std::string before = Settings();
  HWND proving = OpenProving();
  ASSERT_NE(proving, nullptr);
  HWND cancel = GetDlgItem(proving, kProvingCancel);
  HWND mass = GetDlgItem(proving, kProvingMass);
  Click(proving, kProvingSpin);
  Click(proving, kProvingSpin);
  Click(proving, kProvingSpin);
  UpdateWindow(proving);
  EXPECT_TRUE(IsWindowEnabled(cancel));
  EXPECT_FALSE(IsWindowEnabled(mass)) << "the setup waits while a test runs";

  Click(proving, kProvingCancel);
  ASSERT_NE(message.hwnd, nullptr);
  CloseMessages();
  UpdateWindow(proving);
  EXPECT_FALSE(IsWindowEnabled(cancel));
  EXPECT_TRUE(IsWindowEnabled(mass));
  EXPECT_TRUE(Kept().empty());
  EXPECT_EQ(main.history.historyCount, 0);
  EXPECT_EQ(Settings(), before);

  // The next Spin starts a new test from its baseline.
  calls.clear();
  Click(proving, kProvingSpin);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].kind, ProvingStepKind::kBaseline);

  // Esc leaves for Machine Setup with nothing kept.
  SendMessageA(proving, WM_CHAR, VK_ESCAPE, 0);
  EXPECT_FALSE(IsWindow(proving));
  EXPECT_EQ(kit.screenCode, kScreenMachineSetup);
  EXPECT_TRUE(Kept().empty());
}

TEST_F(ProvingWindowFixture, ASpinThatCannotRunRecordsNothing) {
  CreateInAuto();
  HWND proving = OpenProving();
  ASSERT_NE(proving, nullptr);
  // The control goes away: the spin fails and the step stays.
  link.connected = 0;
  Click(proving, kProvingSpin);
  CloseMessages();
  link.connected = 1;
  calls.clear();
  Click(proving, kProvingSpin);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].kind, ProvingStepKind::kBaseline);
  EXPECT_EQ(main.history.historyCount, 0);
}

}  // namespace
}  // namespace balancer
