#include "app/main_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace balancer {
namespace {

bool Has(const std::vector<KeyAction>& actions, KeyAction a) {
  return std::find(actions.begin(), actions.end(), a) != actions.end();
}

TEST(MainKeys, SpinAndAcquireFollowSpeedControlAndNeedTheControl) {
  KeyContext autoMode{1, true, false};
  KeyContext manual{0, true, false};
  KeyContext semi{2, true, false};
  EXPECT_EQ(ActionsForKey('s', autoMode), std::vector<KeyAction>{KeyAction::kSpin});
  EXPECT_TRUE(ActionsForKey('a', autoMode).empty());
  EXPECT_TRUE(ActionsForKey('S', manual).empty());
  EXPECT_TRUE(ActionsForKey('S', semi).empty());
  EXPECT_EQ(ActionsForKey('a', manual), std::vector<KeyAction>{KeyAction::kAcquire});
  EXPECT_EQ(ActionsForKey('A', semi), std::vector<KeyAction>{KeyAction::kAcquire});

  KeyContext offline{1, false, true};
  EXPECT_TRUE(ActionsForKey('s', offline).empty());
  EXPECT_TRUE(ActionsForKey('z', offline).empty());
  EXPECT_TRUE(ActionsForKey(12, offline).empty());
  EXPECT_FALSE(ActionsForKey('b', offline).empty());  // no control needed
}

TEST(MainKeys, EachLetterRunsExactlyItsLines) {
  KeyContext c{0, true, true};
  EXPECT_EQ(ActionsForKey('l', c), std::vector<KeyAction>{KeyAction::kPlanes});
  EXPECT_EQ(ActionsForKey('r', c), std::vector<KeyAction>{KeyAction::kPresets});
  EXPECT_EQ(ActionsForKey('m', c), std::vector<KeyAction>{KeyAction::kMachineSetup});
  EXPECT_EQ(ActionsForKey('e', c), std::vector<KeyAction>{KeyAction::kMachineSetup});
  EXPECT_EQ(ActionsForKey('f', c), std::vector<KeyAction>{KeyAction::kSaveFinal});
  EXPECT_EQ(ActionsForKey(12, c), std::vector<KeyAction>{KeyAction::kLoadConfigAsk});
  EXPECT_TRUE(Has(ActionsForKey('c', c), KeyAction::kIndicator));
  c.indicatorAvailable = false;
  EXPECT_TRUE(ActionsForKey('c', c).empty());
  // Keys outside the table and odd values do nothing.
  for (int k : {int('q'), int('x'), int('1'), int(' '), -5, 300, 0})
    EXPECT_TRUE(ActionsForKey(k, c).empty()) << k;
}

TEST(MainButtons, TableIdsAreUniqueAndKeyLettersMatchTheKeys) {
  std::vector<MainButton> buttons = MainButtons(1);
  std::set<int> ids;
  for (const MainButton& b : buttons) {
    EXPECT_TRUE(ids.insert(b.id).second) << b.id;
    if (b.keyIndex < 0) continue;
    ASSERT_LT(b.keyIndex, static_cast<int>(std::string(b.line1).size())) << b.line1;
  }
  EXPECT_EQ(buttons.size(), 18u);
  // The underlined letter is a key that runs the same command.
  const std::map<int, KeyAction> actionOf = {{kCmdSpin, KeyAction::kSpin},
                                             {kCmdZeroShaft, KeyAction::kZeroShaft},
                                             {kCmdBobweight, KeyAction::kBobweight},
                                             {kCmdPresets, KeyAction::kPresets},
                                             {kCmdSettings, KeyAction::kMachineSetup},
                                             {kCmdHelp, KeyAction::kHelp},
                                             {kCmdDrillPoint, KeyAction::kDrillPoint},
                                             {kCmdDrillSetup, KeyAction::kDrillSetup},
                                             {kCmdZoneSetup, KeyAction::kZoneSetup},
                                             {kCmdHeavyMetal, KeyAction::kHeavyMetal},
                                             {kCmdSaveInitial, KeyAction::kSaveInitial},
                                             {kCmdSaveFinal, KeyAction::kSaveFinal},
                                             {kCmdPlanes, KeyAction::kPlanes},
                                             {kCmdHistory, KeyAction::kHistory},
                                             {kCmdIndicator, KeyAction::kIndicator}};
  KeyContext all{1, true, true};
  int underlined = 0;
  for (const MainButton& b : buttons) {
    if (b.keyIndex < 0) continue;
    ++underlined;
    ASSERT_TRUE(actionOf.count(b.id)) << b.id;
    EXPECT_TRUE(Has(ActionsForKey(b.line1[b.keyIndex], all), actionOf.at(b.id))) << b.line1;
  }
  EXPECT_EQ(underlined, 15);
  KeyContext manual{0, true, true};
  EXPECT_TRUE(Has(ActionsForKey(MainButtons(0)[0].line1[0], manual), KeyAction::kAcquire));
  EXPECT_EQ(std::string(MainButtons(0)[0].line1), "Acquire");
  EXPECT_EQ(std::string(MainButtons(2)[0].line1), "Acquire");
  EXPECT_EQ(std::string(buttons[0].line1), "Spin");
}

TEST(RotationDetector, OnlyFastTurningInTheCountingDirectionCounts) {
  EXPECT_TRUE(RotationSeen(40, 20));
  EXPECT_FALSE(RotationSeen(32, 20));  // 12 degrees is not more than 12
  EXPECT_TRUE(RotationSeen(33, 20));
  EXPECT_FALSE(RotationSeen(20, 40));  // backwards
  EXPECT_FALSE(RotationSeen(30, 10));  // reference at 12 or below
  EXPECT_FALSE(RotationSeen(5, 350));  // through 0
}

TEST(FreeRun, EndsAtThirtyAndTriggersSemiAutoInsideTheWindowOnly) {
  EXPECT_TRUE(DecideFreeRunTick(30, 0x0304, 0, 2, true, 500).ends);
  FreeRunTick t = DecideFreeRunTick(31, 0x0304, 0, 2, true, 500);
  EXPECT_FALSE(t.ends);
  EXPECT_FALSE(t.checkTrigger);
  EXPECT_TRUE(DecideFreeRunTick(490, 0x0304, 0, 2, true, 500).checkTrigger);
  EXPECT_TRUE(DecideFreeRunTick(510, 0x0304, 0, 2, true, 500).checkTrigger);
  EXPECT_FALSE(DecideFreeRunTick(489, 0x0304, 0, 2, true, 500).checkTrigger);
  EXPECT_FALSE(DecideFreeRunTick(511, 0x0304, 0, 2, true, 500).checkTrigger);
  EXPECT_FALSE(DecideFreeRunTick(500, 0x0304, 0, 2, false, 500).checkTrigger);  // disarmed
  EXPECT_FALSE(DecideFreeRunTick(500, 0x0304, 0, 0, true, 500).checkTrigger);   // Manual
  // Remote start only with firmware above 2.15.
  EXPECT_TRUE(DecideFreeRunTick(200, 0x0210, 1, 0, false, 500).sendAcquire);
  EXPECT_FALSE(DecideFreeRunTick(200, 0x020F, 1, 0, false, 500).sendAcquire);
  EXPECT_FALSE(DecideFreeRunTick(200, 0x0304, 0, 0, false, 500).sendAcquire);
  EXPECT_FALSE(FreeRunMayStart(1));
  EXPECT_TRUE(FreeRunMayStart(0));
  EXPECT_TRUE(FreeRunMayStart(2));
}

TEST(RemoteStart, SpinsOnlyInAutoWithTheButtonAndNoSpinRunning) {
  EXPECT_TRUE(RemoteStartSpins(0x0304, 1, 1, false));
  EXPECT_FALSE(RemoteStartSpins(0x0304, 1, 1, true));   // one spin at a time
  EXPECT_FALSE(RemoteStartSpins(0x0304, 0, 1, false));  // button not pressed
  EXPECT_FALSE(RemoteStartSpins(0x020F, 1, 1, false));  // no such button
  EXPECT_TRUE(RemoteStartSpins(0x0210, 1, 1, false));
  // Manual and Semi-Auto: the free run sends the acquire key instead.
  EXPECT_FALSE(RemoteStartSpins(0x0304, 1, 0, false));
  EXPECT_FALSE(RemoteStartSpins(0x0304, 1, 2, false));
}

TEST(MainMessages, AboutCarriesFirmwareAndCalibrationInTheirFormats) {
  MachineSettings s;
  s.lagCompensationLeft = 12.34;
  s.lagCompensationRight = -3.0;
  s.calibrationFactorLeft = 2.5;
  s.calibrationFactorRight = 1.23456;
  OperatorMessage m = AboutMessage(0x0304, s);
  EXPECT_EQ(m.caption, "About Vidoduz Azavodad");
  EXPECT_EQ(m.text,
            "Vidoduz azavodad program for Windows XP through Windows 11\n"
            "Software Release 8.0.88   5/22/2026\n"
            "Firmware Version 3.04\n\n"
            "Left side lag compensation  12.3\n"
            "Right side lag compensation  -3.0\n"
            "Left calibration factor  2.5000\n"
            "Right calibration factor  1.2346\n\n"
            "Go to Settings for automatic software updates.");
  EXPECT_EQ(m.x, 265);
  EXPECT_EQ(m.width, 610);
  EXPECT_EQ(m.height, 430);
  EXPECT_EQ(m.beep, kBeepAsterisk);
}

TEST(MainMessages, QuestionsCarryTheirActionCodesAndButtons) {
  OperatorMessage load = LoadConfigurationQuestion();
  EXPECT_EQ(load.actionCode, 249);
  EXPECT_EQ(load.buttonMode, kTwoButtons);
  EXPECT_EQ(load.firstButtonText, "LOAD");
  EXPECT_EQ(load.firstButtonWidth, 80);
  EXPECT_EQ(load.secondButtonText, "CANCEL");
  EXPECT_EQ(load.secondButtonWidth, 100);
  EXPECT_EQ(load.text, "Do you want to load configuration data from the control?");

  OperatorMessage cal = CalibrationWarningMessage();
  EXPECT_EQ(cal.actionCode, 23);
  EXPECT_EQ(cal.caption, "WARNING");
  EXPECT_TRUE(cal.colour == kRedText);
  EXPECT_EQ(cal.secondButtonWidth, 105);
}

TEST(Logo, HitAreaFollowsScaleAndView) {
  EXPECT_TRUE(LogoHit(549, 26, 1.0f, true));
  EXPECT_TRUE(LogoHit(591, 64, 1.0f, true));
  EXPECT_FALSE(LogoHit(548, 40, 1.0f, true));
  EXPECT_FALSE(LogoHit(570, 65, 1.0f, true));
  EXPECT_TRUE(LogoHit(824, 40, 1.5f, true));
  EXPECT_FALSE(LogoHit(570, 40, 1.0f, false));
  EXPECT_TRUE(LogoHit(200, 40, 1.0f, false));
}

}  // namespace
}  // namespace balancer
