#include "records/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "records/history.h"
#include "records/presets.h"
#include "records/settings_file.h"
#include "records/settings_startup.h"
#include "records/side_files.h"
#include "support/killed_write.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Temporaries(const test::TempFolder& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(folder.Path())) {
    std::string name = e.path().filename().string();
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0) names.push_back(name);
  }
  return names;
}

// Two processes replacing one file over and over: every write succeeds and
// the file is always one of the two texts, never empty or a mixture, which a
// shared temporary name cannot give.
TEST(AtomicFile, TwoWritersOfOneFileNeverShareATemporary) {
  test::TempFolder folder;
  const std::string path = folder.File("balsetup.dta");
  const std::string texts[2] = {std::string(6000, 'a'), std::string(9000, 'b')};
  ASSERT_TRUE(WriteFileAtomically(path, texts[0]));
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      int failed = 0;
      for (int i = 0; i < 300; ++i) failed += WriteFileAtomically(path, texts[c]) ? 0 : 1;
      _exit(failed > 100 ? 100 : failed);
    }
  }
  int badReads = 0;
  for (int i = 0; i < 300; ++i) {
    std::optional<std::string> now = ReadWholeFile(path);
    if (!now || (*now != texts[0] && *now != texts[1])) ++badReads;
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "writes that failed";
  }
  EXPECT_EQ(badReads, 0);
  std::optional<std::string> last = ReadWholeFile(path);
  ASSERT_TRUE(last);
  EXPECT_TRUE(*last == texts[0] || *last == texts[1]);
  EXPECT_TRUE(Temporaries(folder).empty());
}

TEST(AtomicFile, StaleTemporariesOfOurFilesAreRemovedAndOthersKept) {
  test::TempFolder folder;
  // A process id that is not running: a child that has ended.
  pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  const std::string dead = std::to_string(gone);
  const std::string alive = std::to_string(getppid());
  for (const std::string& name : std::vector<std::string>{
           "balsetup.dta." + dead + ".3.tmp", "balsetup.dta.tmp", "job.bwi." + dead + ".0.tmp",
           "JOB.BME." + dead + ".1.tmp", "preset.jsi.tmp", "company.txt." + dead + ".7.tmp",
           "balsetup.dta.bad." + dead + ".0.tmp", "job.csv." + dead + ".2.tmp"}) {
    folder.Write(name, "half");
  }
  const std::vector<std::string> kept = {
      "balsetup.dta." + alive + ".3.tmp",  // a running copy is still writing it
      "picture.bmp." + dead + ".0.tmp",    // not one of the program's files
      "notes.tmp",
      ".dta.tmp",
      "balsetup.dta.x1.2.tmp",
      "balsetup.dta",
      "job.bwi"};
  for (const std::string& name : kept) folder.Write(name, "keep");

  EXPECT_EQ(RemoveStaleTemporaries(folder.Path()), 8);
  std::vector<std::string> left;
  for (const fs::directory_entry& e : fs::directory_iterator(folder.Path())) {
    left.push_back(e.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  std::vector<std::string> expected = kept;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(left, expected);
  EXPECT_EQ(RemoveStaleTemporaries(folder.File("missing")), 0);
}

TEST(AtomicFile, StartUpClearsWhatAKilledWriteLeft) {
  test::TempFolder folder;
  MachineSettings s;
  ASSERT_TRUE(WriteSettingsFiles(folder.Folder(), s, nullptr));
  // Killed after the first half of the new text went to the temporary.
  ASSERT_EQ(test::RunWriteKilledAtStep(
                2, [&] { WriteSettingsFiles(folder.Folder(), MachineSettings{}, nullptr); }),
            test::KilledWrite::kKilled);
  ASSERT_EQ(Temporaries(folder).size(), 1u);
  RecordingOperatorUi ui;
  MachineSettings loaded;
  ConfigChecker agree = [](const MachineSettings&, int, bool&) { return 1; };
  SettingsLoadResult result = StartupSettingsLoad(folder.Folder(), agree, ui, loaded);
  EXPECT_EQ(result.source, "dta");
  EXPECT_TRUE(Temporaries(folder).empty());
}

// A file that must read back, after a kill at any step of its write, as the
// whole old text or the whole new one.
void ExpectOldOrNew(const test::TempFolder& folder, const std::string& name,
                    const std::string& oldText, const std::string& newText, int step) {
  SCOPED_TRACE(testing::Message() << name << " killed at step " << step);
  std::optional<std::string> now = ReadWholeFile(folder.File(name));
  ASSERT_TRUE(now);
  EXPECT_TRUE(*now == oldText || *now == newText) << now->size() << " bytes";
}

MachineSettings OldSettings() {
  MachineSettings s;
  s.shaftRpm = 400;
  s.historyFolder = std::string(kFolderPathMax, 'h');
  return s;
}

MachineSettings NewSettings() {
  MachineSettings s;
  s.shaftRpm = 900;
  s.calibrationFactorLeft = 3.25;
  s.presetFolder = "D:\\presets";
  return s;
}

TEST(KilledWrite, SettingsFilesAreOldOrNewAtEveryStep) {
  test::TempFolder folder;
  const std::string oldText = FormatSettings(OldSettings());
  const std::string newText = FormatSettings(NewSettings());
  for (bool atExit : {false, true}) {
    int kills = test::KillAtEveryStep(
        [&] {
          ASSERT_TRUE(WriteSettingsFiles(folder.Folder(), OldSettings(), nullptr));
          RemoveStaleTemporaries(folder.Path());
        },
        [&] {
          if (atExit) {
            WriteSettingsAtExit(folder.Folder(), NewSettings(), 1, nullptr);
          } else {
            WriteSettingsFiles(folder.Folder(), NewSettings(), nullptr);
          }
        },
        [&](int step) {
          ExpectOldOrNew(folder, kSettingsFileName, oldText, newText, step);
          ExpectOldOrNew(folder, kSettingsBackupName, oldText, newText, step);
          MachineSettings loaded;
          EXPECT_TRUE(readSettings(folder.File(kSettingsFileName), loaded, nullptr, false));
          EXPECT_TRUE(loaded.shaftRpm == 400 || loaded.shaftRpm == 900);
          EXPECT_EQ(RemoveStaleTemporaries(folder.Path()) > 0, step % 6 != 0 && step % 6 != 5);
          EXPECT_TRUE(Temporaries(folder).empty());
        });
    // Two files of six steps each; the last step is after the second rename.
    EXPECT_EQ(kills, 12) << "at exit " << atExit;
  }
}

// A damaged balsetup.dta is kept as balsetup.dta.bad before it is replaced:
// at every step the damaged bytes are whole in one of the two files.
TEST(KilledWrite, TheDamagedSettingsFileIsNeverLost) {
  test::TempFolder folder;
  const std::string damaged = "750\n-12.3\ngarbage " + std::string(3000, 'g') + "\n";
  const std::string newText = FormatSettings(NewSettings());
  int kills = test::KillAtEveryStep(
      [&] {
        fs::remove(folder.File(kDamagedSettingsName));
        folder.Write(kSettingsFileName, damaged);
        RemoveStaleTemporaries(folder.Path());
      },
      [&] { WriteSettingsFiles(folder.Folder(), NewSettings(), nullptr); },
      [&](int step) {
        SCOPED_TRACE(step);
        std::optional<std::string> dta = ReadWholeFile(folder.File(kSettingsFileName));
        std::optional<std::string> kept = ReadWholeFile(folder.File(kDamagedSettingsName));
        ASSERT_TRUE(dta);
        EXPECT_TRUE(*dta == damaged || *dta == newText);
        if (*dta != damaged) {
          ASSERT_TRUE(kept);
          EXPECT_EQ(*kept, damaged);
        } else if (kept) {
          EXPECT_EQ(*kept, damaged);
        }
      });
  // balsetup.dta.bad, balsetup.dta and balsetup.bak.
  EXPECT_EQ(kills, 18);
}

TEST(KilledWrite, SideFilesHistoryAndPresetsAreOldOrNewAtEveryStep) {
  test::TempFolder folder;
  RecordingOperatorUi ui;

  const std::string oldCompany = "Old Cranks Ltd", newCompany = std::string(600, 'N');
  int kills = test::KillAtEveryStep(
      [&] { ASSERT_TRUE(WriteCompanyText(folder.Folder(), oldCompany, nullptr)); },
      [&] { WriteCompanyText(folder.Folder(), newCompany, nullptr); },
      [&](int step) { ExpectOldOrNew(folder, kCompanyFileName, oldCompany, newCompany, step); });
  EXPECT_EQ(kills, 6);

  History oldHistory, newHistory;
  MachineSettings s;
  SaveInitial(oldHistory, s, CurrentResult{}, ui);
  for (int i = 0; i < 30; ++i) {
    CurrentResult r;
    r.leftMoment = 10.0 + i;
    r.rightMoment = 1e300;
    AppendSpin(newHistory, r, 1);
  }
  const std::string hst = folder.File("job.hst");
  kills = test::KillAtEveryStep([&] { ASSERT_TRUE(SaveHistoryFile(hst, oldHistory, s, nullptr)); },
                                [&] { SaveHistoryFile(hst, newHistory, s, nullptr); },
                                [&](int step) {
                                  ExpectOldOrNew(folder, "job.hst", FormatHistory(oldHistory),
                                                 FormatHistory(newHistory), step);
                                });
  EXPECT_EQ(kills, 6);

  MachineSettings oldPreset, newPreset;
  oldPreset.shaftRadiusLeft = 2.5;
  newPreset.shaftRadiusLeft = 4.75;
  newPreset.slugSizeSelected[4] = true;
  const std::string jsi = folder.File("v8.jsi");
  std::string name;
  kills = test::KillAtEveryStep([&] { ASSERT_TRUE(StorePreset(jsi, oldPreset, name, nullptr)); },
                                [&] { StorePreset(jsi, newPreset, name, nullptr); },
                                [&](int step) {
                                  ExpectOldOrNew(folder, "v8.jsi", FormatPreset(oldPreset),
                                                 FormatPreset(newPreset), step);
                                });
  EXPECT_EQ(kills, 6);
}

}  // namespace
}  // namespace balancer
