// Machine Setup and Machine Calibration from the main window: opened by
// button, key and the calibration warning; toggles, cycles and entries
// change the settings, the files are written on close, and the control gets
// its bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_commands.h"
#include "app/win32/app_state.h"
#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/message_routing.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/main_window.h"
#include "app/win32/win32_operator_ui.h"
#include "device/clock.h"
#include "device/control_commands.h"
#include "device/control_config.h"
#include "records/machine_calibration_screen.h"
#include "records/machine_setup_screen.h"
#include "records/settings_file.h"
#include "screen_fixture.h"
#include "support/fake_transport.h"

namespace balancer {
namespace {

struct SetupWindowFixture : testmain::ScreenFixture {
  void SetUp() override {
    ScreenFixture::SetUp();
    angle = 10;
  }
  HWND Create(uint16_t firmware = 0x0304) {
    fake.firmwareVersion = firmware;
    return CreateMain();
  }
  void Click(HWND screen, int id) {
    HWND button = GetDlgItem(screen, id);
    ASSERT_NE(button, nullptr) << id;
    SendMessageA(button, BM_CLICK, 0, 0);
  }
  void Type(HWND edit, const char* text) {
    for (const char* c = text; *c != '\0'; ++c) SendMessageA(edit, WM_CHAR, *c, 0);
  }
  MachineSettings Written(const char* name) {
    MachineSettings read;
    EXPECT_TRUE(readSettings(folder.File(name), read, nullptr, false)) << name;
    return read;
  }
  std::string MessageText() const {
    HWND text = FindWindowExA(message.hwnd, nullptr, "STATIC", nullptr);
    char buffer[512] = {};
    if (text != nullptr) GetWindowTextA(text, buffer, sizeof buffer);
    return buffer;
  }
  HWND OpenCalibration(HWND hwnd) {
    SendMessageA(hwnd, WM_SYSCOMMAND, 1, 0);
    EXPECT_NE(message.hwnd, nullptr);
    EXPECT_EQ(kit.actionCode, kActionCalibrationWarning);
    AnswerMessageWindow(message, kMessageOkId);
    return kit.childScreen;
  }
};

TEST_F(SetupWindowFixture, SettingsButtonAndKeysOpenMachineSetup) {
  HWND hwnd = Create();
  for (int how : {0, int{'m'}, int{'E'}}) {
    if (how == 0) {
      RunMainCommand(main, kCmdSettings);
    } else {
      SendMessageA(hwnd, WM_CHAR, how, 0);
    }
    HWND screen = kit.childScreen;
    ASSERT_NE(screen, nullptr) << how;
    char cls[32] = {};
    GetClassNameA(screen, cls, sizeof cls);
    EXPECT_STREQ(cls, "childclass");
    EXPECT_EQ(Title(screen), "Machine Setup");
    EXPECT_EQ(kit.screenCode, 'm');
    EXPECT_FALSE(IsWindowEnabled(hwnd));
    EXPECT_EQ(Title(GetDlgItem(screen, kSetupShaftRpm)), "&Shaft RPM (250-1000)");
    EXPECT_EQ(Title(GetDlgItem(screen, kExitButton)), "Exit");
    SendMessageA(screen, WM_CHAR, VK_ESCAPE, 0);
    EXPECT_FALSE(IsWindow(screen));
    EXPECT_TRUE(IsWindowEnabled(hwnd));
  }
}

TEST_F(SetupWindowFixture, ToggleByKeyIsWrittenToBothFilesOnClose) {
  Create();
  main.left = {100.0, 30.0};
  main.right = {50.0, 200.0};
  main.correction.readingsPresent = true;
  RecomputeCorrections(main);
  const std::string inches = main.result.left.text;
  ASSERT_NE(inches.find('"'), std::string::npos) << inches;
  RunMainCommand(main, kCmdSettings);
  HWND screen = kit.childScreen;
  ASSERT_NE(screen, nullptr);
  SendMessageA(screen, WM_CHAR, 'g', 0);
  EXPECT_EQ(settings.weightUnit, 1);
  // The main screen follows at once.
  SendMessageA(screen, WM_CHAR, 'i', 0);
  EXPECT_EQ(settings.lengthUnit, 1);
  EXPECT_NE(main.result.left.text.find("mm"), std::string::npos) << main.result.left.text;
  Click(screen, kSetupScale);
  EXPECT_EQ(settings.scaleType, 1);
  Click(screen, kExitButton);
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_EQ(Written("balsetup.dta").weightUnit, 1);
  EXPECT_EQ(Written("balsetup.dta").lengthUnit, 1);
  EXPECT_EQ(Written("balsetup.bak").scaleType, 1);
}

TEST_F(SetupWindowFixture, SpeedControlChangesTheSpinFace) {
  Create();
  HWND spin = ButtonOf(main, kCmdSpin);
  ASSERT_NE(spin, nullptr);
  const LRESULT acquire = SendMessageA(spin, BM_GETIMAGE, IMAGE_BITMAP, 0);
  RunMainCommand(main, kCmdSettings);
  Click(kit.childScreen, kSetupSpeedControl);
  EXPECT_EQ(settings.speedControl, 1);
  const LRESULT spinFace = SendMessageA(spin, BM_GETIMAGE, IMAGE_BITMAP, 0);
  EXPECT_NE(spinFace, acquire);
  Click(kit.childScreen, kSetupSpeedControl);
  EXPECT_EQ(SendMessageA(spin, BM_GETIMAGE, IMAGE_BITMAP, 0), acquire);
}

TEST_F(SetupWindowFixture, ToleranceByKeyboardEntryAndRpmRefusedInManual) {
  Create();
  RunMainCommand(main, kCmdSettings);
  HWND screen = kit.childScreen;
  SendMessageA(screen, WM_CHAR, 's', 0);
  EXPECT_EQ(kit.entry.hwnd, nullptr) << "Manual: no speed entry";
  SendMessageA(screen, WM_CHAR, 't', 0);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(kit.actionCode, kSetupTolerance);
  Type(kit.entry.edit, "20\r");
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_DOUBLE_EQ(settings.toleranceMoment, 20.0);
  EXPECT_DOUBLE_EQ(Written("balsetup.dta").toleranceMoment, 20.0);
}

TEST_F(SetupWindowFixture, TouchscreenEntriesUseTheKeypad) {
  Create();
  settings.touchscreen = 1;
  RunMainCommand(main, kCmdSettings);
  Click(kit.childScreen, kSetupOilWeight);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(kit.entry.kind, EntryKind::kKeypad);
  SendMessageA(GetDlgItem(kit.entry.hwnd, '7'), BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(kit.entry.hwnd, 13), BM_CLICK, 0, 0);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_DOUBLE_EQ(settings.defaultOilWeight, 7.0);
}

TEST_F(SetupWindowFixture, PhotoEyeRowsOnlyForTheirControl) {
  Create(0x0304);
  link.optionPortType = 5;
  RunMainCommand(main, kCmdSettings);
  HWND screen = kit.childScreen;
  ASSERT_NE(GetDlgItem(screen, kSetupPhotoEye), nullptr);
  EXPECT_EQ(GetDlgItem(screen, kSetupOptionEncoderRes), nullptr);
  Click(screen, kSetupPhotoEye);
  EXPECT_EQ(fake.TransfersOf(kRequestPhotoEyeMode).size(), 1u);
  SendMessageA(screen, WM_CHAR, VK_ESCAPE, 0);
  link.optionPortType = 0;
  RunMainCommand(main, kCmdSettings);
  EXPECT_EQ(GetDlgItem(kit.childScreen, kSetupPhotoEye), nullptr);
}

TEST_F(SetupWindowFixture, CalibrationOpensFromTheWarningWithItsLowerGroup) {
  HWND hwnd = Create(0x0304);
  HWND screen = OpenCalibration(hwnd);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(Title(screen), "Machine Calibration");
  EXPECT_EQ(kit.screenCode, 'c');
  EXPECT_FALSE(IsWindowEnabled(hwnd));
  for (int id : {kCalEncoderCount, kCalEncoderDirection, kCalOptionPortType, kCalLoadEeprom,
                 kCalSaveEeprom}) {
    EXPECT_NE(GetDlgItem(screen, id), nullptr) << id;
  }
  RECT tall;
  GetClientRect(screen, &tall);
  SendMessageA(screen, WM_CHAR, VK_ESCAPE, 0);
  EXPECT_TRUE(IsWindowEnabled(hwnd));

  // Without a control the lower group is not there and the window is lower.
  link.connected = 0;
  fake.Unplug();
  screen = OpenCalibration(hwnd);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDlgItem(screen, kCalEncoderCount), nullptr);
  EXPECT_EQ(GetDlgItem(screen, kCalSaveEeprom), nullptr);
  RECT low;
  GetClientRect(screen, &low);
  EXPECT_LT(low.bottom, tall.bottom);
}

TEST_F(SetupWindowFixture, DesiredReadingByCtrlLCalibratesOnce) {
  HWND hwnd = Create();
  main.left = {28.0, 30.0};  // shows 8.00 g at 3.5"
  main.right = {0.0, 0.0};
  main.correction.readingsPresent = true;
  main.correction.measured = {true, false};  // as a spin leaves them
  RecomputeCorrections(main);
  HWND screen = OpenCalibration(hwnd);
  ASSERT_NE(screen, nullptr);
  ASSERT_NEAR(main.result.left.plane.moment, 28.0, 1e-9);
  SendMessageA(screen, WM_CHAR, kCtrlL, 0);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  Type(kit.entry.edit, "10\r");
  EXPECT_NEAR(settings.calibrationFactorLeft, 2.5, 1e-12);
  // The second one is refused until the window opens again.
  SendMessageA(screen, WM_CHAR, kCtrlL, 0);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  ASSERT_NE(message.hwnd, nullptr);
  AnswerMessageWindow(message, kMessageOkId);
  SendMessageA(screen, WM_CHAR, VK_ESCAPE, 0);
  ChildScreen* open = OpenScreenOf(kit);
  EXPECT_EQ(open != nullptr ? open->Calibration() : nullptr, nullptr);
  EXPECT_NEAR(Written("balsetup.bak").calibrationFactorLeft, 2.5, 1e-9);
}

TEST_F(SetupWindowFixture, DesiredReadingBeforeAnySpinIsRefused) {
  HWND hwnd = Create();
  // No spin yet (or a failed one): 0 and 0, which the correction pass still
  // turns into a small moment on each side.
  main.left = {0.0, 0.0};
  main.right = {0.0, 0.0};
  RecomputeCorrections(main);
  HWND screen = OpenCalibration(hwnd);
  ASSERT_NE(screen, nullptr);
  for (int key : {kCtrlL, kCtrlR}) {
    SendMessageA(screen, WM_CHAR, key, 0);
    EXPECT_EQ(kit.entry.hwnd, nullptr) << key;
    ASSERT_NE(message.hwnd, nullptr) << key;
    EXPECT_EQ(Title(message.hwnd), "Alert");
    AnswerMessageWindow(message, kMessageOkId);
  }
  // Clicking the button asks the same.
  Click(screen, kCalDesiredRight);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  ASSERT_NE(message.hwnd, nullptr);
  AnswerMessageWindow(message, kMessageOkId);
  SendMessageA(screen, WM_CHAR, VK_ESCAPE, 0);
  EXPECT_DOUBLE_EQ(Written("balsetup.dta").calibrationFactorLeft, 2.0);
  EXPECT_DOUBLE_EQ(Written("balsetup.bak").calibrationFactorRight, 2.0);
}

TEST_F(SetupWindowFixture, RefusedLoadFromTheControlIsAnswered) {
  // Ctrl+L on the main window, LOAD, with a control that keeps no record.
  HWND hwnd = Create(0x0210);
  settings.calibrationFactorLeft = 1.75;
  SendMessageA(hwnd, WM_CHAR, kCtrlL, 0);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(kit.actionCode, kActionLoadConfiguration);
  AnswerMessageWindow(message, kMessageYesId);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "Warning");
  EXPECT_EQ(MessageText(), ConfigNotLoadedMessage().text);
  AnswerMessageWindow(message, kMessageOkId);
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, 1.75);
}

TEST_F(SetupWindowFixture, LoadButtonWhoseReadFailsIsAnswered) {
  HWND hwnd = Create(0x0304);
  HWND screen = OpenCalibration(hwnd);
  ASSERT_NE(screen, nullptr);
  settings.calibrationFactorLeft = 1.75;
  // The option port type reads, the record's block does not.
  fake.QueueReply({1});
  fake.QueueError(31);
  Click(screen, kCalLoadEeprom);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "Warning");
  EXPECT_EQ(MessageText(), ConfigNotLoadedMessage().text);
  AnswerMessageWindow(message, kMessageOkId);
  EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, 1.75);
  EXPECT_TRUE(IsWindow(screen));
}

TEST_F(SetupWindowFixture, SuspensionAndEepromQuestions) {
  HWND hwnd = Create(0x0304);
  HWND screen = OpenCalibration(hwnd);
  ASSERT_NE(screen, nullptr);
  Click(screen, kCalSuspension);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "WARNING");
  AnswerMessageWindow(message, kMessageNoId);
  EXPECT_EQ(settings.suspension, 0);
  Click(screen, kCalSuspension);
  AnswerMessageWindow(message, kMessageYesId);
  EXPECT_EQ(settings.suspension, 1);
  EXPECT_EQ(settings.sensorType, 3);

  Click(screen, kCalSaveEeprom);
  ASSERT_NE(message.hwnd, nullptr);
  AnswerMessageWindow(message, kMessageNoId);
  EXPECT_TRUE(fake.EepromWrites().empty());
  Click(screen, kCalSaveEeprom);
  AnswerMessageWindow(message, kMessageYesId);
  EXPECT_FALSE(fake.EepromWrites().empty());
  ASSERT_NE(message.hwnd, nullptr);  // "Configuration was stored ..."
  AnswerMessageWindow(message, kMessageOkId);

  fake.transfers.clear();
  Click(screen, kCalEncoderCount);
  std::vector<test::FakeTransport::Transfer> expected = {{kRequestPhotoEyeMode, 0x40}};
  EXPECT_EQ(fake.TransfersOf(kRequestPhotoEyeMode), expected);
  EXPECT_EQ(settings.encoderCountIndex, 2);
}

TEST_F(SetupWindowFixture, CalculatorsOpenOverMachineSetupAndGiveItBack) {
  HWND hwnd = Create();
  RunMainCommand(main, kCmdSettings);
  HWND setup = kit.childScreen;
  ASSERT_NE(setup, nullptr);

  Click(setup, kSetupToleranceCalculator);
  HWND tolerance = kit.childScreen;
  ASSERT_NE(tolerance, setup);
  EXPECT_EQ(Title(tolerance), "Tolerance Calculation");
  EXPECT_EQ(kit.screenCode, 't');
  EXPECT_EQ(GetWindow(tolerance, GW_OWNER), setup);
  EXPECT_FALSE(IsWindowEnabled(setup));
  EXPECT_FALSE(IsWindowEnabled(hwnd));

  SendMessageA(tolerance, WM_CHAR, VK_ESCAPE, 0);
  EXPECT_FALSE(IsWindow(tolerance));
  EXPECT_EQ(kit.childScreen, setup);
  EXPECT_EQ(kit.screenCode, 'm');
  EXPECT_TRUE(IsWindowEnabled(setup));
  EXPECT_FALSE(IsWindowEnabled(hwnd));  // Machine Setup is still open over it

  // The main window closing with both open takes both down in order.
  Click(setup, kSetupReluctorSimulator);
  HWND reluctor = kit.childScreen;
  EXPECT_EQ(Title(reluctor), "Reluctor Simulator");
  EXPECT_EQ(kit.screenCode, 'r');
  DestroyWindow(hwnd);
  EXPECT_FALSE(IsWindow(reluctor));
  EXPECT_FALSE(IsWindow(setup));
  EXPECT_EQ(kit.childScreen, nullptr);
  EXPECT_EQ(kit.screenCode, 0);
}

}  // namespace
}  // namespace balancer
