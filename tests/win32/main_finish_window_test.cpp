// The main window's current-position tick repaint and the bobweight card
// written again after a stored shaft condition.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_commands.h"
#include "app/win32/app_state.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/main_window.h"
#include "app/win32/win32_operator_ui.h"
#include "base/program_identity.h"
#include "bobweight/bobweight_files.h"
#include "device/clock.h"
#include "main_fixture.h"
#include "records/settings_file.h"
#include "support/fake_transport.h"

namespace balancer {
namespace {

using testmain::Drain;
using testmain::Instance;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct MainFinishFixture : ::testing::Test {
  void SetUp() override {
    static bool registered = RegisterAppWindowClasses(Instance());
    ASSERT_TRUE(registered);
    folder = testmain::FreshTempFolder("main_finish_test");
    testmain::WireMainWindow(main, link, fake, clock, message, folder, settings, ui);
    main.bobweightCard = &card;
    main.rodPistonSet = &set;
    fake.responder = [this](uint8_t request, uint16_t, uint8_t* reply) -> uint32_t {
      std::vector<uint8_t> bytes;
      if (request == 2) bytes = test::FakeTransport::AngleReply(angle);
      if (request == 1) bytes = test::FakeTransport::SpeedReply(0);
      std::copy(bytes.begin(), bytes.end(), reply);
      return 0;
    };
  }
  void TearDown() override { testmain::CloseMainWindows(main, message); }
  HWND Create() { return testmain::CreateMainWindowPastNotice(main, link, message); }

  int angle = 20;
  test::FakeTransport fake;
  VirtualClock clock;
  ControlLink link;
  ProgramFolder folder;
  MachineSettings settings;
  MainWindowState main;
  MessageWindowState message;
  Win32OperatorUi ui{main, message};
  BobweightCard card;
  RodPistonSet set;
};

TEST_F(MainFinishFixture, TurningByHandRepaintsTheTicksNotTheDials) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  SendMessageA(hwnd, WM_TIMER, kMainTimerId, 0);
  UpdateWindow(hwnd);
  EXPECT_EQ(main.displayedPosition, 20);

  angle = 25;  // a hand on the shaft, too slow for a free run
  SendMessageA(hwnd, WM_TIMER, kMainTimerId, 0);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetUpdateRgn(hwnd, region, FALSE), ERROR);
  const float s = main.screenScale;
  auto inside = [&](double x, double y) {
    return PtInRegion(region, static_cast<int>(x * s), static_cast<int>(y * s)) != 0;
  };
  double x, y;
  for (int a : {20, 25}) {
    DialPoint(DialCentreX(0, true), kDialY, kDialRadius + 6, a, x, y);
    EXPECT_TRUE(inside(x, y)) << a;
    DialPoint(DialCentreX(1, true), kDialY, kDialRadius + 6, a, x, y);
    EXPECT_TRUE(inside(x, y)) << a;
  }
  EXPECT_FALSE(inside(kLeftDialX, kDialY));
  EXPECT_FALSE(inside(kRightDialX, kDialY));
  DialPoint(DialCentreX(0, true), kDialY, kDialRadius + 6, 200, x, y);
  EXPECT_FALSE(inside(x, y));
  DeleteObject(region);

  UpdateWindow(hwnd);
  EXPECT_EQ(main.displayedPosition, 25);
  SendMessageA(hwnd, WM_TIMER, kMainTimerId, 0);  // still: nothing to repaint
  RECT r;
  EXPECT_FALSE(GetUpdateRect(hwnd, &r, FALSE));
}

TEST_F(MainFinishFixture, SaveInitialAndFinalWriteTheNamedCardAgain) {
  const std::string path = folder.File("crank7.bwi");
  DeleteFileA(path.c_str());
  card.jobName = "crank7";
  card.filePath = path;
  Create();
  main.left.amount = 10.0;
  main.right.amount = 20.0;
  main.correction.readingsPresent = true;
  RecomputeCorrections(main);

  RunMainCommand(main, kCmdSaveInitial);
  ASSERT_NE(message.hwnd, nullptr);  // the storing message stays up
  AnswerMessageWindow(message, kMessageOkId);
  ASSERT_FALSE(main.history.initial.text.empty());
  EXPECT_EQ(card.initialConditionText, main.history.initial.text);
  EXPECT_NE(ReadAll(path).find(main.history.initial.text), std::string::npos);
  EXPECT_FALSE(card.changed);

  RunMainCommand(main, kCmdSaveFinal);
  AnswerMessageWindow(message, kMessageOkId);
  EXPECT_EQ(card.finalConditionText, main.history.final.text);
  EXPECT_NE(ReadAll(path).find(main.history.final.text), std::string::npos);

  // Asked to overwrite and told NO: the card keeps the first final condition.
  const std::string first = card.finalConditionText;
  main.right.amount = 99.0;
  RecomputeCorrections(main);
  RunMainCommand(main, kCmdSaveFinal);
  AnswerMessageWindow(message, kMessageNoId);
  EXPECT_EQ(card.finalConditionText, first);
  DeleteFileA(path.c_str());
  DeleteFileA(BmePathFor(path).c_str());
}

// A screen reaches the main window only through the kit's ScreenHost.
TEST_F(MainFinishFixture, ScreensReachTheMainWindowThroughItsHost) {
  KitContext kit{MainKitServices(main, settings, folder, ui, link, message)};
  main.kit = &kit;
  HWND hwnd = Create();
  ASSERT_NE(kit.screenHost, nullptr);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);

  // A changed value recomputes the corrections and repaints.
  main.left.amount = 40.0;
  main.correction.readingsPresent = true;
  const std::string before = main.result.left.text;
  kit.screenHost->RecomputeAndRepaint();
  EXPECT_NE(main.result.left.text, before);
  RECT r;
  EXPECT_TRUE(GetUpdateRect(hwnd, &r, FALSE));

  // Changed settings reach both files at once.
  settings.shaftRpm = 777;
  ASSERT_TRUE(kit.screenHost->SettingsChanged());
  for (const char* name : {"balsetup.dta", "balsetup.bak"}) {
    MachineSettings read;
    ASSERT_TRUE(readSettings(folder.File(name), read, nullptr, false)) << name;
    EXPECT_EQ(read.shaftRpm, 777) << name;
  }

  // A closed screen is forgotten.
  kit.childScreen = hwnd;
  kit.screenCode = 'd';
  kit.screenHost->ScreenClosed();
  EXPECT_EQ(kit.childScreen, nullptr);
  EXPECT_EQ(kit.screenCode, 0);

  // Once the window is gone the kit says so, and its host does nothing.
  DestroyWindow(hwnd);
  EXPECT_TRUE(MainWindowGone(kit));
  settings.shaftRpm = 555;
  EXPECT_FALSE(kit.screenHost->SettingsChanged());
  MachineSettings read;
  ASSERT_TRUE(readSettings(folder.File("balsetup.dta"), read, nullptr, false));
  EXPECT_NE(read.shaftRpm, 555);
  main.kit = nullptr;
}

}  // namespace
}  // namespace balancer
