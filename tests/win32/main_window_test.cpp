#include "app/win32/main_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/win32/app_state.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/single_instance.h"
#include "app/win32/win32_operator_ui.h"
#include "base/machine_settings.h"
#include "base/program_folder.h"
#include "base/program_identity.h"
#include "device/clock.h"
#include "device/control_config.h"
#include "support/fake_transport.h"

namespace balancer {
namespace {

HINSTANCE Instance() {
  return GetModuleHandleA(nullptr);
}

void EnsureClasses() {
  static bool registered = RegisterAppWindowClasses(Instance());
  ASSERT_TRUE(registered);
}

// Destroying the main window posts WM_QUIT; take it off the queue so the
// next test starts clean. True when it was there.
bool TakeQuit() {
  MSG msg;
  bool quit = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) quit = true;
  }
  return quit;
}

// A main window over a scripted control, with the records wired as the
// program wires them.
struct MainWindowFixture : ::testing::Test {
  void SetUp() override {
    EnsureClasses();
    fake.plugged = false;
    link.transport = &fake;
    link.clock = &clock;
    link.ui = &ui;
    main.instance = Instance();
    main.link = &link;
    main.message = &message;
    message.instance = Instance();
  }
  void TearDown() override {
    if (main.hwnd != nullptr) DestroyWindow(main.hwnd);
    if (message.hwnd != nullptr) DestroyWindow(message.hwnd);
    TakeQuit();
  }
  HWND Create(float scale = 1.0f) {
    main.screenScale = scale;
    message.screenScale = scale;
    HWND hwnd = CreateMainWindow(main);
    message.owner = hwnd;
    return hwnd;
  }
  void Tick() { SendMessageA(main.hwnd, WM_TIMER, kMainTimerId, 0); }

  test::FakeTransport fake;
  VirtualClock clock;
  ControlLink link;
  MainWindowState main;
  MessageWindowState message;
  Win32OperatorUi ui{main, message};
};

TEST(MainWindowClass, RegisteredAsTheDesignAsks) {
  EnsureClasses();
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  ASSERT_TRUE(GetClassInfoExA(Instance(), "balclass", &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_BYTEALIGNCLIENT));
  EXPECT_EQ(wc.cbClsExtra, 0);
  EXPECT_EQ(wc.cbWndExtra, 0);
  LOGBRUSH brush = {};
  ASSERT_NE(GetObjectA(wc.hbrBackground, sizeof brush, &brush), 0);
  EXPECT_EQ(brush.lbColor, RGB(224, 224, 224));
  EXPECT_NE(wc.hIcon, nullptr) << "lgicon resource";
  EXPECT_NE(wc.hIconSm, nullptr) << "smicon resource";

  ASSERT_TRUE(GetClassInfoExA(Instance(), "TextBoxClass", &wc));
  EXPECT_EQ(wc.hbrBackground, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

TEST_F(MainWindowFixture, PopupWithoutCaptionAtTheTopLeftScaledToTheScreen) {
  for (float scale : {1.0f, 1.5f}) {
    HWND hwnd = Create(scale);
    ASSERT_NE(hwnd, nullptr);
    char text[64] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, "Vidoduz Azavodad");
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    EXPECT_STREQ(cls, "balclass");

    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX),
              WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & (WS_DLGFRAME | WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, scale == 1.0f ? 1280 : 1920);
    EXPECT_EQ(r.bottom - r.top, scale == 1.0f ? 680 : 1020);
    EXPECT_TRUE(link.mainWindowExists);
    DestroyWindow(hwnd);
    EXPECT_EQ(main.hwnd, nullptr);
    EXPECT_FALSE(link.mainWindowExists);
    EXPECT_TRUE(TakeQuit()) << "destroying the main window ends the program";
  }
}

TEST_F(MainWindowFixture, TimerKeepsLookingForTheControlAndShowsNoHardwareMeanwhile) {
  ASSERT_NE(Create(), nullptr);
  int attempts = fake.openAttempts;
  Tick();
  Tick();
  EXPECT_EQ(fake.openAttempts, attempts + 2);
  EXPECT_EQ(link.connected, 0);
  StatusFieldView view = CurrentStatusView(main);
  EXPECT_EQ(view.text, "No Hardware");
  EXPECT_TRUE(view.red);

  // Plugged in: the next tick connects and shows the angle.
  fake.Plug();
  fake.QueueReply(test::FakeTransport::AngleReply(123));
  Tick();
  EXPECT_EQ(link.connected, 1);
  EXPECT_EQ(main.currentAngle, 123);
  EXPECT_EQ(CurrentStatusView(main).text, "123\xB0");
  EXPECT_FALSE(CurrentStatusView(main).red);
  int opens = fake.opens;
  fake.QueueReply(test::FakeTransport::AngleReply(90));
  Tick();
  EXPECT_EQ(fake.opens, opens) << "no re-discovery while connected";
  EXPECT_TRUE(CurrentStatusView(main).red);

  // Unplugged: the read fails with 22, re-discovery fails, back to "No Hardware".
  fake.Unplug();
  Tick();
  EXPECT_EQ(link.connected, 0);
  EXPECT_EQ(main.currentAngle, 0);
  EXPECT_EQ(CurrentStatusView(main).text, "No Hardware");
}

TEST_F(MainWindowFixture, ClosingTheWindowClosesTheControl) {
  fake.Plug();
  OpenControl(link);
  ASSERT_EQ(link.connected, 1);
  ASSERT_NE(Create(), nullptr);
  int closes = fake.closes;
  DestroyWindow(main.hwnd);
  EXPECT_EQ(fake.closes, closes + 1);
  ASSERT_FALSE(fake.closeReleasedInterface.empty());
  EXPECT_TRUE(fake.closeReleasedInterface.back());
}

TEST_F(MainWindowFixture, SecondCopyFindsTheWindowAndGetsItShownNormally) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(FindWindowA("balclass", "Vidoduz Azavodad"), hwnd);
  EXPECT_TRUE(WakeRunningCopy());
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_FALSE(IsZoomed(hwnd)) << "the main window is never maximised";
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.right - r.left, 1280);
}

TEST(SingleInstance, TheNamedMutexTellsASecondCopy) {
  HANDLE first = nullptr;
  ASSERT_TRUE(ClaimSingleInstance(&first));
  ASSERT_NE(first, nullptr);
  HANDLE byName = OpenMutexA(SYNCHRONIZE, FALSE, "Halvorn Technology Vidoduz Azavodad");
  EXPECT_NE(byName, nullptr);
  HANDLE second = nullptr;
  EXPECT_FALSE(ClaimSingleInstance(&second));
  CloseHandle(second);
  CloseHandle(byName);
  CloseHandle(first);
}

TEST_F(MainWindowFixture, NoControlNoticeOpensAsATopmostLayeredMessage) {
  HWND hwnd = Create();
  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetActiveWindow(hwnd);
  ui.ShowMessage(NoControlMessage());
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_TRUE(ui.MessageWindowOpen());
  char cls[64] = {};
  GetClassNameA(message.hwnd, cls, sizeof cls);
  EXPECT_STREQ(cls, "TextBoxClass");
  char caption[64] = {};
  GetWindowTextA(message.hwnd, caption, sizeof caption);
  EXPECT_STREQ(caption, "Attention");
  LONG ex = GetWindowLongA(message.hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(message.hwnd, GW_OWNER), hwnd);
  RECT r;
  GetWindowRect(message.hwnd, &r);
  EXPECT_EQ(r.left, 310);
  EXPECT_EQ(r.top, 160);
  EXPECT_EQ(r.right - r.left, 520);
  EXPECT_EQ(r.bottom - r.top, 230);

  HWND ok = GetDlgItem(message.hwnd, kMessageOkId);
  ASSERT_NE(ok, nullptr);
  char label[16] = {};
  GetWindowTextA(ok, label, sizeof label);
  EXPECT_STREQ(label, "OK");
  RECT b;
  GetWindowRect(ok, &b);
  EXPECT_EQ(b.right - b.left, 60);
  EXPECT_EQ(b.bottom - b.top, 34);
  HWND text = FindWindowExA(message.hwnd, nullptr, "STATIC", nullptr);
  ASSERT_NE(text, nullptr);
  char body[512] = {};
  GetWindowTextA(text, body, sizeof body);
  EXPECT_EQ(std::string(body).rfind("The machine control interface was not found.", 0), 0u);

  EXPECT_FALSE(IsWindowEnabled(hwnd)) << "the main window waits for the answer";
  SendMessageA(ok, BM_CLICK, 0, 0);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_FALSE(ui.MessageWindowOpen());
  EXPECT_EQ(message.lastAnswer, kMessageOkId);
  EXPECT_TRUE(IsWindowEnabled(hwnd));
}

TEST_F(MainWindowFixture, QuestionsAnswerByKeyAndReportTheirActionCode) {
  HWND hwnd = Create(1.5f);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  int answered = 0;
  int code = 0;
  message.onAnswer = [&](int answer, int actionCode) {
    answered = answer;
    code = actionCode;
  };
  OperatorMessage question =
      MakeQuestion("Attention", "Do you want to load configuration data from the control?",
                   kDarkBlueText, kBeepNone, 310, 197, 520, 160, "LOAD", 80, "CANCEL", 100, 249);
  struct Case {
    WPARAM key;
    int answer;
  };
  for (Case c : {Case{'Y', kMessageYesId}, Case{'N', kMessageNoId}, Case{VK_ESCAPE, kMessageNoId},
                 Case{VK_RETURN, kMessageOkId}}) {
    ui.ShowMessage(question);
    ASSERT_NE(message.hwnd, nullptr);
    // Two buttons, right-aligned, scaled.
    HWND yes = GetDlgItem(message.hwnd, kMessageYesId);
    HWND no = GetDlgItem(message.hwnd, kMessageNoId);
    ASSERT_NE(yes, nullptr);
    ASSERT_NE(no, nullptr);
    RECT ry, rn, rw;
    GetWindowRect(yes, &ry);
    GetWindowRect(no, &rn);
    GetWindowRect(message.hwnd, &rw);
    EXPECT_EQ(ry.right - ry.left, 120);
    EXPECT_EQ(rn.right - rn.left, 150);
    EXPECT_EQ(rw.right - rw.left, 780);
    EXPECT_LT(ry.right, rn.left);

    SendMessageA(message.hwnd, WM_KEYDOWN, 'Q', 0);
    EXPECT_NE(message.hwnd, nullptr) << "other keys do not answer";
    SendMessageA(message.hwnd, WM_KEYDOWN, c.key, 0);
    EXPECT_EQ(message.hwnd, nullptr);
    EXPECT_EQ(answered, c.answer);
    EXPECT_EQ(code, 249);
  }
  EXPECT_TRUE(IsWindowEnabled(hwnd));
}

TEST_F(MainWindowFixture, ANewMessageWindowReplacesTheOpenOne) {
  HWND hwnd = Create();
  ShowWindow(hwnd, SW_SHOWNORMAL);
  int closedCalls = 0;
  message.onClosed = [&] { ++closedCalls; };
  OpenMessageWindow(message, NoControlMessage());
  HWND first = message.hwnd;
  OpenMessageWindow(message,
                    MakeOkMessage("Alert", "Second", kRedText, kBeepNone, 280, 187, 580, 180));
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(closedCalls, 0) << "a replaced message does not count as closed";
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_FALSE(IsWindowEnabled(hwnd));
  AnswerMessageWindow(message, kMessageOkId);
  EXPECT_EQ(closedCalls, 1);
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  EXPECT_FALSE(message.open);
}

}  // namespace
}  // namespace balancer

namespace balancer {
namespace {

std::string TempFolder(const char* name) {
  char base[MAX_PATH] = {};
  GetTempPathA(sizeof base, base);
  std::string folder = std::string(base) + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  DeleteFileA((folder + "\\balsetup.dta").c_str());
  DeleteFileA((folder + "\\balsetup.bak").c_str());
  return folder;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST_F(MainWindowFixture, SettingsLoadAtCreationAndAreWrittenWhenTheWindowGoes) {
  ProgramFolder folder{TempFolder("balancer-main-window-test")};
  MachineSettings settings;
  main.folder = &folder;
  main.settings = &settings;
  main.ui = &ui;
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  // Neither file: the defaults stay and the operator is warned; nothing is
  // written before the exit.
  EXPECT_EQ(main.settingsLoad.source, "defaults");
  ASSERT_NE(message.hwnd, nullptr);
  char caption[64] = {};
  GetWindowTextA(message.hwnd, caption, sizeof caption);
  EXPECT_STREQ(caption, "Check Machine Settings");
  EXPECT_FALSE(IsWindowEnabled(hwnd)) << "the main window waits for the warning";
  EXPECT_FALSE(FileExists(folder.File("balsetup.dta")));

  // The start-up notice comes after the warning instead of hiding it.
  ui.ShowMessage(NoControlMessage());
  EXPECT_EQ(ui.PendingMessages(), 1u);
  GetWindowTextA(message.hwnd, caption, sizeof caption);
  EXPECT_STREQ(caption, "Check Machine Settings");
  AnswerMessageWindow(message, kMessageOkId);
  ASSERT_NE(message.hwnd, nullptr);
  GetWindowTextA(message.hwnd, caption, sizeof caption);
  EXPECT_STREQ(caption, "Attention");
  EXPECT_EQ(ui.PendingMessages(), 0u);
  EXPECT_FALSE(IsWindowEnabled(hwnd));
  AnswerMessageWindow(message, kMessageOkId);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_TRUE(IsWindowEnabled(hwnd));

  // No control keeps no record to dispute the settings: both files.
  DestroyWindow(hwnd);
  EXPECT_TRUE(FileExists(folder.File("balsetup.dta")));
  EXPECT_TRUE(FileExists(folder.File("balsetup.bak")));

  // The next start reads them without a word.
  MachineSettings again;
  main.settings = &again;
  hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(main.settingsLoad.source, "dta");
  EXPECT_EQ(message.hwnd, nullptr);
  DestroyWindow(hwnd);
  DeleteFileA(folder.File("balsetup.dta").c_str());
  DeleteFileA(folder.File("balsetup.bak").c_str());
  RemoveDirectoryA(folder.path.c_str());
}

}  // namespace
}  // namespace balancer
