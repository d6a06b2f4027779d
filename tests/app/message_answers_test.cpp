#include "app/message_answers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "device/control_commands.h"
#include "device/control_config.h"
#include "records/settings_startup.h"
#include "support/fake_transport.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

TEST(PlanMessageAnswer, YesOnlyQuestionsIgnoreOkAndNo) {
  for (int code : {135, 261, 250, 316}) {
    EXPECT_NE(PlanMessageAnswer(kAnswerYes, code, 0).step, AnswerStep::kNone) << code;
    EXPECT_EQ(PlanMessageAnswer(kAnswerOk, code, 0).step, AnswerStep::kNone) << code;
    EXPECT_EQ(PlanMessageAnswer(kAnswerNo, code, 0).step, AnswerStep::kNone) << code;
  }
}

TEST(PlanMessageAnswer, YesOrOkQuestionsAndTheirSteps) {
  struct Case {
    int code;
    AnswerStep step;
  };
  for (Case c : {Case{23, AnswerStep::kOpenCalibration}, Case{249, AnswerStep::kLoadConfig},
                 Case{11, AnswerStep::kPrint}, Case{20, AnswerStep::kPresets},
                 Case{180, AnswerStep::kStartUpdate}}) {
    EXPECT_EQ(PlanMessageAnswer(kAnswerYes, c.code, 0).step, c.step) << c.code;
    EXPECT_EQ(PlanMessageAnswer(kAnswerOk, c.code, 0).step, c.step) << c.code;
  }
  EXPECT_EQ(PlanMessageAnswer(kAnswerNo, 249, 0).step, AnswerStep::kNone);
  EXPECT_EQ(PlanMessageAnswer(kAnswerNo, 23, 0).step, AnswerStep::kNone);
  // Declining the update closes its screen too.
  EXPECT_EQ(PlanMessageAnswer(kAnswerNo, 180, 0).step, AnswerStep::kCloseUpdate);
  // The calibration and load questions are done with once answered yes.
  EXPECT_TRUE(PlanMessageAnswer(kAnswerYes, 249, 0).resetActionCode);
  EXPECT_TRUE(PlanMessageAnswer(kAnswerOk, 23, 0).resetActionCode);
  EXPECT_FALSE(PlanMessageAnswer(kAnswerNo, 249, 0).resetActionCode);
  EXPECT_EQ(PlanMessageAnswer(kAnswerYes, 0, 0).step, AnswerStep::kNone);
}

TEST(PlanMessageAnswer, BobweightScreenSavesOnYesOrOkAndDropsOtherwise) {
  AnswerPlan yes = PlanMessageAnswer(kAnswerYes, 0, 'b');
  EXPECT_TRUE(yes.bobweightSave);
  EXPECT_FALSE(yes.bobweightDrop);
  EXPECT_TRUE(PlanMessageAnswer(kAnswerOk, 0, 'b').bobweightSave);
  AnswerPlan no = PlanMessageAnswer(kAnswerNo, 0, 'b');
  EXPECT_FALSE(no.bobweightSave);
  EXPECT_TRUE(no.bobweightDrop);
  // Other screens never touch the bobweight file.
  AnswerPlan elsewhere = PlanMessageAnswer(kAnswerYes, 0, 'c');
  EXPECT_FALSE(elsewhere.bobweightSave || elsewhere.bobweightDrop);
}

TEST(ToggleSuspension, SwitchesBearingAndSensorTogether) {
  MachineSettings s;
  s.suspension = 0;
  s.sensorType = 1;
  ToggleSuspension(s);
  EXPECT_EQ(s.suspension, 1);
  EXPECT_EQ(s.sensorType, 3);
  ToggleSuspension(s);
  EXPECT_EQ(s.suspension, 0);
  EXPECT_EQ(s.sensorType, 0);
}

class LoadConfigTest : public ::testing::Test {
 protected:
  void Connect(uint16_t firmware) {
    fake.firmwareVersion = firmware;
    link.transport = &fake;
    link.clock = &clock;
    link.ui = &ui;
    OpenControl(link);
    ASSERT_EQ(link.connected, 1);
  }
  std::string ReadFile(const std::string& name) {
    std::ifstream in(folder.File(name), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  test::FakeTransport fake;
  VirtualClock clock;
  RecordingOperatorUi ui;
  ControlLink link;
  test::TempFolder folder;
};

TEST_F(LoadConfigTest, CopiesTheControlsRecordIntoTheSettingsAndWritesBothFiles) {
  Connect(0x0304);
  fake.SetEepromRecord(0x00, "1.5,-2.5,3.2500,4.7500,0,0.0,1.0000,0,");
  MachineSettings s;
  ASSERT_TRUE(LoadConfigIntoSettings(link, s, folder.Folder(), &ui));
  EXPECT_DOUBLE_EQ(s.lagCompensationLeft, 1.5);
  EXPECT_DOUBLE_EQ(s.lagCompensationRight, -2.5);
  EXPECT_DOUBLE_EQ(s.calibrationFactorLeft, 3.25);
  EXPECT_DOUBLE_EQ(s.calibrationFactorRight, 4.75);
  const std::string dta = ReadFile("balsetup.dta");
  EXPECT_FALSE(dta.empty());
  EXPECT_EQ(dta, ReadFile("balsetup.bak"));
  // What was written loads back as the loaded values.
  MachineSettings reread;
  RecordingOperatorUi quiet;
  auto noCheck = [](const MachineSettings&, int, bool&) { return 1; };
  SettingsLoadResult load = StartupSettingsLoad(folder.Folder(), noCheck, quiet, reread);
  EXPECT_TRUE(load.readOk);
  EXPECT_DOUBLE_EQ(reread.calibrationFactorRight, 4.75);
}

TEST_F(LoadConfigTest, ControlWithoutARecordLeavesSettingsAndFilesAlone) {
  Connect(0x0250);  // before the record existed
  MachineSettings s;
  s.calibrationFactorLeft = 7.0;
  EXPECT_FALSE(LoadConfigIntoSettings(link, s, folder.Folder(), &ui));
  EXPECT_DOUBLE_EQ(s.calibrationFactorLeft, 7.0);
  EXPECT_FALSE(std::filesystem::exists(folder.File("balsetup.dta")));
}

TEST_F(LoadConfigTest, StoreWritesTheSettingsRecordToTheControl) {
  Connect(0x0304);
  MachineSettings s;
  s.calibrationFactorLeft = 3.25;
  EXPECT_TRUE(StoreSettingsIntoControl(link, s));
  ControlConfig back;
  ASSERT_TRUE(LoadControlConfig(link, back));
  EXPECT_DOUBLE_EQ(back.calibrationFactorLeft, 3.25);
}

TEST(PlanMessageAnswer, AnOpenScreensOwnQuestionGoesBackToItWithYesOrOk) {
  AnswerPlan yes = PlanMessageAnswer(kAnswerYes, 31, 'b');
  EXPECT_EQ(yes.step, AnswerStep::kScreen);
  EXPECT_TRUE(yes.accepted);
  EXPECT_TRUE(PlanMessageAnswer(kAnswerOk, 30, 'b').accepted);
  AnswerPlan no = PlanMessageAnswer(kAnswerNo, 31, 'b');
  EXPECT_EQ(no.step, AnswerStep::kScreen);
  EXPECT_FALSE(no.accepted);
  // Without a screen, or without a question code, nobody is asked.
  EXPECT_EQ(PlanMessageAnswer(kAnswerYes, 31, 0).step, AnswerStep::kNone);
  EXPECT_EQ(PlanMessageAnswer(kAnswerYes, 0, 'b').step, AnswerStep::kNone);
}

}  // namespace
}  // namespace balancer
