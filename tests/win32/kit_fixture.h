// Shared set-up of the dialogue kit's Windows-side tests: an owner window
// standing in for the main window, a kit wired to a fake control, and a
// recorder of what the kit asks of the main window.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/entry_window.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/message_routing.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/kit/value_box.h"
#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "base/program_folder.h"
#include "base/win32/window_base.h"
#include "device/clock.h"
#include "device/control_commands.h"
#include "support/fake_transport.h"

namespace balancer::kit_test {

struct RecordingActions : MainWindowActions {
  void SendCommand(int id) override {
    commands.push_back(id);
    messageOpenAtCommand = message != nullptr && message->hwnd != nullptr;
  }
  void ClearFinalSaved() override { ++finalSavedCleared; }
  void RecomputeAndRepaint() override { ++recomputes; }
  void OpenCalibrationWindow() override { ++calibrationOpened; }
  void RunAnsweredAction(int code, bool accepted) override {
    answered.push_back(accepted ? code : -code);
  }
  void BobweightAnswer(bool save) override { bobweight.push_back(save); }

  const MessageWindowState* message = nullptr;
  std::vector<int> commands;
  bool messageOpenAtCommand = false;
  int finalSavedCleared = 0;
  int recomputes = 0;
  int calibrationOpened = 0;
  std::vector<int> answered;
  std::vector<bool> bobweight;
};

// Opens every message in the kit's MessageWindow, as the program's UI does.
class WindowUi : public RecordingOperatorUi {
 public:
  explicit WindowUi(MessageWindowState& state) : state_(state) {}
  void ShowMessage(const OperatorMessage& message) override {
    RecordingOperatorUi::ShowMessage(message);
    OpenMessageWindow(state_, message);
  }
  bool MessageWindowOpen() const override { return state_.hwnd != nullptr; }

 private:
  MessageWindowState& state_;
};

inline HINSTANCE Instance() {
  return GetModuleHandleA(nullptr);
}

// The stand-in main window answers its value boxes with the fixture's kit.
inline LRESULT OwnerMessage(HWND hwnd, KitContext& kit, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kKitContextQuery) return reinterpret_cast<LRESULT>(&kit);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

inline void EnsureKitClasses() {
  static bool registered = [] {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = StateWindowProc<KitContext, OwnerMessage>;
    wc.hInstance = Instance();
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = "kittestowner";
    RegisterClassExA(&wc);
    return RegisterKitWindowClasses(Instance());
  }();
  ASSERT_TRUE(registered);
}

inline std::string FreshFolder(const char* name) {
  char base[MAX_PATH] = {};
  GetTempPathA(sizeof base, base);
  std::string folder = std::string(base) + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  DeleteFileA((folder + "\\balsetup.dta").c_str());
  DeleteFileA((folder + "\\balsetup.bak").c_str());
  return folder;
}

inline bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string WindowText(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

inline std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

// Size of a window in pixels.
inline SIZE WindowSize(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// A child's rectangle in its parent's client coordinates.
inline RECT ChildRect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline void Click(HWND parent, int id) {
  HWND button = GetDlgItem(parent, id);
  ASSERT_NE(button, nullptr) << "no control " << id;
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

inline void Type(HWND edit, const std::string& text) {
  for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

// A screen that hands what the kit asks of the open screen to the test.
class AskingScreen : public ChildScreen {
 public:
  using ChildScreen::ChildScreen;
  char Code() const override { return 'z'; }
  void TextEntered(int code, const std::string& text) override {
    if (onText) onText(code, text);
  }
  bool TransferScale(int fieldCode) override { return onScale ? onScale(fieldCode) : false; }
  void FontColourChanged(int index) override {
    if (onColour) onColour(index);
  }
  KnownWeightCalibration* Calibration() override { return calibration; }

  std::function<void(int, const std::string&)> onText;
  std::function<bool(int)> onScale;
  std::function<void(int)> onColour;
  KnownWeightCalibration* calibration = nullptr;
};

struct NoHost : ScreenHost {
  void RecomputeAndRepaint() override {}
  void Repaint(RepaintArea) override {}
  bool SettingsChanged() override { return true; }
  void ScreenClosed() override {}
};

// Real records for every service of a kit, for any test that makes a kit:
// a control link over a fake transport, a message window, a UI that opens
// it, and recorders standing in for the main window.
struct KitRecords {
  KitRecords() {
    message.instance = Instance();
    message.screenScale = 1.0f;
    link.transport = &fake;
    link.clock = &clock;
    link.ui = &ui;
    actions.message = &message;
  }
  // All of them; `otherUi` in place of the one opening messages.
  KitServices Services() { return Services(ui); }
  KitServices Services(OperatorUi& otherUi) {
    return KitServices{settings,   folder,  otherUi, link,      history,
                       correction, message, actions, screenHost};
  }

  test::FakeTransport fake;
  VirtualClock clock;
  MessageWindowState message;
  WindowUi ui{message};
  ControlLink link;
  MachineSettings settings;
  ProgramFolder folder;
  History history;
  CorrectionState correction;
  RecordingActions actions;
  NoHost screenHost;
};

struct KitFixture : ::testing::Test, KitRecords {
  void SetUp() override {
    EnsureKitClasses();
    main = CreateWindowExA(0, "kittestowner", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1280,
                           680, nullptr, nullptr, Instance(), &kit);
    ASSERT_NE(main, nullptr);
    SetActiveWindow(main);
    message.owner = main;
    folder.path = FreshFolder("balancer-kit-test");
    kit.instance = Instance();
    kit.mainWindow = main;
    kit.screenScale = 1.0f;
    ConnectMessageRouting(kit);
  }
  void TearDown() override {
    CloseEntryWindow(kit);
    if (kit.childScreen != nullptr && IsWindow(kit.childScreen)) DestroyWindow(kit.childScreen);
    if (message.hwnd != nullptr) DestroyWindow(message.hwnd);
    if (IsWindow(main)) DestroyWindow(main);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  // Opens an AskingScreen as the kit's open screen; the main window is
  // enabled again so that entry windows behave as over the main screen.
  AskingScreen& OpenAskingScreen() {
    EXPECT_TRUE(RegisterChildScreenClass(Instance()));
    ScreenContext context{kit,   screenHost, left,   right,
                          zones, correction, result, indicatorReading};
    HWND hwnd = OpenChildScreen(std::make_unique<AskingScreen>(context), "asking", WS_POPUP, 0, 0,
                                100, 100);
    EXPECT_NE(hwnd, nullptr);
    EnableWindow(main, TRUE);
    SetActiveWindow(main);
    return *static_cast<AskingScreen*>(ChildScreenOf(hwnd));
  }
  void SetScale(float scale) {
    kit.screenScale = scale;
    message.screenScale = scale;
  }

  HWND main = nullptr;
  KitContext kit{Services()};
  PlaneReading left, right;
  CorrectionZones zones;
  CorrectionResult result;
  int indicatorReading = 0;
};

}  // namespace balancer::kit_test
