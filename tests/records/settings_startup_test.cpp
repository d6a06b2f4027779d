#include "records/settings_startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "records/settings_file.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

// The control holds one left calibration factor; the settings match it when
// theirs is the same. A control without a record matches anything.
struct FakeControl {
  double factor = 0.0;
  bool hasRecord = true;
  std::vector<int> warnings;  // showWarning of each compare

  ConfigChecker Checker() {
    return [this](const MachineSettings& s, int showWarning, bool& disable) {
      warnings.push_back(showWarning);
      bool match = !hasRecord || s.calibrationFactorLeft == factor;
      if (!match && showWarning) disable = true;
      return match ? 1 : 0;
    };
  }
};

std::string FileWithFactor(double factor) {
  MachineSettings s;
  s.calibrationFactorLeft = factor;
  return FormatSettings(s);
}

// Same values as FileWithFactor but laid out differently, so a rewrite shows.
std::string LooseFileWithFactor(double factor) {
  std::string text = FileWithFactor(factor);
  for (char& c : text) {
    if (c == '\n') c = ' ';
  }
  return text;
}

const std::string kDamaged = "500\n0.0\n0.0\n5.5\n3.1\n";

// The first `count` lines of a file text.
std::string FirstLines(const std::string& text, int count) {
  size_t end = 0;
  for (int i = 0; i < count && end != std::string::npos; ++i) {
    end = text.find('\n', end);
    if (end != std::string::npos) ++end;
  }
  return end == std::string::npos ? text : text.substr(0, end);
}

// A file whose values differ from the defaults where the tests look, cut
// inside the block of fields 43 to 56.
std::string DtaCutAtLine50() {
  MachineSettings s;
  s.shaftRpm = 700;
  s.calibrationFactorLeft = 2.1234;
  s.sampleQuality = 0;                   // the limiter makes it 1
  s.twoPlaneSet.shaftRadiusRight = 4.0;  // the working value follows the set
  return FirstLines(FormatSettings(s), 50);
}

class StartupLoad : public ::testing::Test {
 protected:
  SettingsLoadResult Load() {
    settings = MachineSettings{};
    return StartupSettingsLoad(folder.Folder(), control.Checker(), ui, settings);
  }
  test::TempFolder folder;
  FakeControl control;
  RecordingOperatorUi ui;
  MachineSettings settings;
};

TEST_F(StartupLoad, GoodMatchingDtaIsAllThatIsRead) {
  control.factor = 2.5;
  folder.Write("balsetup.dta", LooseFileWithFactor(2.5));
  folder.Write("balsetup.bak", FileWithFactor(3.0));
  SettingsLoadResult r = Load();
  EXPECT_EQ(r.source, "dta");
  EXPECT_TRUE(r.readOk);
  EXPECT_FALSE(r.disableMainWindow);
  EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, 2.5);
  EXPECT_EQ(control.warnings, std::vector<int>({0}));
  EXPECT_EQ(folder.Read("balsetup.dta"), LooseFileWithFactor(2.5));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartupLoad, DamagedOrMissingDtaIsRepairedFromAMatchingBackupSilently) {
  for (bool missing : {true, false}) {
    SCOPED_TRACE(missing ? "missing" : "damaged");
    if (!missing) folder.Write("balsetup.dta", kDamaged);
    control.factor = 3.0;
    control.warnings.clear();
    folder.Write("balsetup.bak", LooseFileWithFactor(3.0));
    SettingsLoadResult r = Load();
    EXPECT_EQ(r.source, "bak");
    EXPECT_TRUE(r.dtaRepaired);
    EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, 3.0);
    // Nothing of the damaged file is left over.
    EXPECT_DOUBLE_EQ(settings.emptyBobweight, 0.0);
    EXPECT_EQ(control.warnings, std::vector<int>({0, 1}));
    EXPECT_EQ(folder.Read("balsetup.dta"), FileWithFactor(3.0));
    EXPECT_EQ(folder.Read("balsetup.bak"), LooseFileWithFactor(3.0));
    EXPECT_TRUE(ui.messages.empty());
    // The damaged file's bytes are kept before the repair replaces it.
    EXPECT_EQ(folder.Exists("balsetup.dta.bad"), !missing);
    if (!missing) {
      EXPECT_EQ(folder.Read("balsetup.dta.bad"), kDamaged);
    }
  }
}

TEST_F(StartupLoad, ControlDisputingBothFilesLeavesThemAlone) {
  control.factor = 9.0;
  folder.Write("balsetup.dta", LooseFileWithFactor(2.5));
  folder.Write("balsetup.bak", LooseFileWithFactor(3.0));
  SettingsLoadResult r = Load();
  EXPECT_EQ(r.source, "bak");
  EXPECT_FALSE(r.dtaRepaired);
  EXPECT_EQ(r.calibrationMatch, 0);
  EXPECT_TRUE(r.disableMainWindow);
  EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, 3.0);
  EXPECT_EQ(control.warnings, std::vector<int>({0, 1}));
  EXPECT_EQ(folder.Read("balsetup.dta"), LooseFileWithFactor(2.5));
}

TEST_F(StartupLoad, DisputedDtaWithoutBackupIsKept) {
  control.factor = 9.0;
  folder.Write("balsetup.dta", FileWithFactor(2.5));
  SettingsLoadResult r = Load();
  EXPECT_EQ(r.source, "dta");
  EXPECT_EQ(r.calibrationMatch, 0);
  EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, 2.5);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(folder.Exists("balsetup.bak"));
}

TEST_F(StartupLoad, NoFilesGiveDefaultsAndTheWarningAndWriteNothing) {
  control.hasRecord = false;
  SettingsLoadResult r = Load();
  EXPECT_EQ(r.source, "defaults");
  EXPECT_FALSE(r.readOk);
  EXPECT_TRUE(r.disableMainWindow);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Check Machine Settings");
  EXPECT_EQ(ui.messages[0].text.rfind("Warning, stored machine settings could not be retrieved.\n\n"
                                      "Please check \"Settings\" to insure all balancer\n"
                                      "settings are proper.\n\n"
                                      "Default settings have been loaded.\n\n"
                                      "MACHINE CALIBRATION IS INCORRECT.\n\n"
                                      "CONTACT HALVORN TECHNOLOGY FOR ASSISTANCE.\n\n",
                                      0),
            0u);
  EXPECT_FALSE(folder.Exists("balsetup.dta"));
  EXPECT_FALSE(folder.Exists("balsetup.bak"));
}

TEST_F(StartupLoad, BothDamagedKeepWhatTheyHeldBehindTheLoadError) {
  control.hasRecord = false;
  folder.Write("balsetup.dta", kDamaged);
  folder.Write("balsetup.bak", kDamaged);
  SettingsLoadResult r = Load();
  EXPECT_EQ(r.source, "defaults");
  EXPECT_FALSE(r.readOk);
  EXPECT_DOUBLE_EQ(settings.emptyBobweight, 5.5);
  EXPECT_DOUBLE_EQ(settings.correctionRadiusLeft, 3.1);
  EXPECT_DOUBLE_EQ(settings.uprightDistance, 18.0);  // not in the files: the default
  // The backup's load error is open, so the second warning waits.
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Attention");
  EXPECT_TRUE(r.disableMainWindow);
}

TEST_F(StartupLoad, ADtaCutShortKeepsWhatWasReadAndIsLimited) {
  control.hasRecord = false;
  folder.Write("balsetup.dta", DtaCutAtLine50());
  SettingsLoadResult r = Load();
  EXPECT_EQ(r.source, "defaults");
  EXPECT_FALSE(r.readOk);
  EXPECT_EQ(settings.shaftRpm, 700);
  EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, 2.1234);
  EXPECT_EQ(settings.sampleQuality, 1);
  EXPECT_DOUBLE_EQ(settings.shaftRadiusRight, 4.0);
  EXPECT_DOUBLE_EQ(settings.spareValueB, 1.0);  // past the cut: the default
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Check Machine Settings");
  // Nothing is written at start-up; the damaged file is still there.
  EXPECT_EQ(folder.Read("balsetup.dta"), DtaCutAtLine50());
  EXPECT_FALSE(folder.Exists("balsetup.bak"));
}

TEST_F(StartupLoad, TheBackupIsReadOverWhatTheDtaLeft) {
  control.hasRecord = false;
  folder.Write("balsetup.dta", DtaCutAtLine50());
  MachineSettings bak;
  bak.shaftRpm = 800;
  bak.lagCompensationLeft = 1.5;
  folder.Write("balsetup.bak", FirstLines(FormatSettings(bak), 3));
  SettingsLoadResult r = Load();
  EXPECT_EQ(r.source, "defaults");
  EXPECT_EQ(settings.shaftRpm, 800);
  EXPECT_DOUBLE_EQ(settings.lagCompensationLeft, 1.5);
  EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, 2.1234);
  // The backup's load error is open, so the settings warning waits.
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Attention");

  // A sound backup replaces all of it.
  bak.calibrationFactorLeft = 2.5;
  folder.Write("balsetup.bak", FormatSettings(bak));
  ui.messages.clear();
  r = Load();
  EXPECT_EQ(r.source, "bak");
  EXPECT_EQ(FormatSettings(settings), FormatSettings(bak));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartupLoad, AScaleModelPastTheListBecomesNone) {
  control.hasRecord = false;
  MachineSettings s;
  for (int scaleType : {12, -1, 9, 8}) {
    SCOPED_TRACE(scaleType);
    s.scaleType = scaleType;
    folder.Write("balsetup.dta", FormatSettings(s));
    Load();
    EXPECT_EQ(settings.scaleType, scaleType == 8 ? 8 : 0);
  }
  // From the backup and after a failed read alike.
  s.scaleType = 12;
  folder.Write("balsetup.dta", "garbage");
  folder.Write("balsetup.bak", FormatSettings(s));
  EXPECT_EQ(Load().source, "bak");
  EXPECT_EQ(settings.scaleType, 0);
  folder.Write("balsetup.bak", FirstLines(FormatSettings(s), 45));
  Load();
  EXPECT_EQ(settings.scaleType, 0);
}

TEST_F(StartupLoad, AnOpenMessageHoldsBackTheSettingsWarning) {
  control.hasRecord = false;
  ui.messageWindowOpen = true;
  SettingsLoadResult r = Load();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(r.disableMainWindow);
}

TEST(SettingsExit, BackupOnlyWhenTheControlAgrees) {
  test::TempFolder folder;
  MachineSettings s;
  s.calibrationFactorRight = 2.25;
  ASSERT_TRUE(WriteSettingsAtExit(folder.Folder(), s, 0, nullptr));
  EXPECT_EQ(folder.Read("balsetup.dta"), FormatSettings(s));
  EXPECT_FALSE(folder.Exists("balsetup.bak"));
  ASSERT_TRUE(WriteSettingsAtExit(folder.Folder(), s, 1, nullptr));
  EXPECT_EQ(folder.Read("balsetup.bak"), FormatSettings(s));

  RecordingOperatorUi ui;
  test::TempFolder gone;
  ProgramFolder missing{gone.File("no-such-folder")};
  EXPECT_FALSE(WriteSettingsFiles(missing, s, &ui));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].caption, "Error");
}

TEST(SettingsExit, ADamagedDtaIsKeptAsBadBeforeItIsReplaced) {
  test::TempFolder folder;
  MachineSettings s;
  folder.Write("balsetup.dta", kDamaged);
  ASSERT_TRUE(WriteSettingsAtExit(folder.Folder(), s, 0, nullptr));
  EXPECT_EQ(folder.Read("balsetup.dta.bad"), kDamaged);
  EXPECT_EQ(folder.Read("balsetup.dta"), FormatSettings(s));

  // Replacing a sound file leaves the kept copy alone; the next damaged file
  // takes its place.
  s.shaftRpm = 600;
  ASSERT_TRUE(WriteSettingsAtExit(folder.Folder(), s, 1, nullptr));
  EXPECT_EQ(folder.Read("balsetup.dta.bad"), kDamaged);
  folder.Write("balsetup.dta", "garbage");
  ASSERT_TRUE(WriteSettingsFiles(folder.Folder(), s, nullptr));
  EXPECT_EQ(folder.Read("balsetup.dta.bad"), "garbage");
  EXPECT_EQ(folder.Read("balsetup.dta"), FormatSettings(s));
}

TEST(SettingsExit, ADamagedDtaThatCannotBeKeptIsNotReplaced) {
  test::TempFolder folder;
  folder.Write("balsetup.dta", kDamaged);
  std::filesystem::create_directory(folder.File("balsetup.dta.bad"));
  MachineSettings s;
  RecordingOperatorUi ui;
  EXPECT_FALSE(WriteSettingsAtExit(folder.Folder(), s, 1, &ui));
  EXPECT_EQ(folder.Read("balsetup.dta"), kDamaged);
  EXPECT_EQ(folder.Read("balsetup.bak"), FormatSettings(s));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Error");
  EXPECT_NE(ui.messages[0].text.find("balsetup.dta.bad"), std::string::npos);
}

}  // namespace
}  // namespace balancer
