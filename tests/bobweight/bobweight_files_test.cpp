#include "bobweight/bobweight_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/operator_ui.h"
#include "bobweight/text_file.h"
#include "records/atomic_file.h"
#include "support/killed_write.h"

namespace balancer {
namespace {

namespace fs = std::filesystem;

class BobweightFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("bobweight_files_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder_);
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  fs::path folder_;
};

BobweightCard FullCard() {
  BobweightCard card;
  card.rodTotalWeight = 600;
  card.rodBigEndWeight = 400.25;  // written with one decimal
  card.rodBearingWeight = 60;
  card.pistonWeight = 500;
  card.pinWeight = 120;
  card.pinLockWeight = 4;
  card.ringWeight = 40;
  card.supportRailWeight = 1.5;
  card.oilWeight = 5;
  card.reciprocatingPercent = 50;
  card.rotatingPercent = 100;
  card.cylindersPerBobweight = 2;
  card.overbalancePercent = 2;
  card.engineName = "350";
  card.jobDate = "12/7/2026";
  card.jobNotes = "Customer wants it back Friday\r\nKnife-edged counterweights";
  card.externalWeightText = "Front: 28 g      Rear: 14 g";
  card.initialConditionText = "Left 12.3 grams      Right 4.56 grams";
  card.finalConditionText = "Left 0.42 grams      Right 0.31 grams";
  card.initialLeft = 12.3;
  card.initialRight = 4.56;
  card.finalLeft = 0.42;
  card.finalRight = 0.31;
  card.leftRadius = 3.5;
  card.rightRadius = 3.25;
  card.tolerance = 1.5;
  return card;
}

TEST_F(BobweightFilesTest, CardFileHasTheFixedLayout) {
  std::string text = FormatBwi(FullCard());
  EXPECT_EQ(text,
            "600.0\n400.2\n60.0\n500.0\n120.0\n4.0\n40.0\n1.5\n5.0\n50.0\n100.0\n2\n2.0\n"
            "Left 12.3 grams      Right 4.56 grams\nLeft 0.42 grams      Right 0.31 grams\n"
            "Front: 28 g      Rear: 14 g\n350\n"
            "Customer wants it back Friday\r\nKnife-edged counterweights\n\x1b"
            "12/7/2026\n12.300\n4.560\n0.420\n0.310\n3.500\n3.250\n1.500\n");
}

TEST_F(BobweightFilesTest, SaveAndLoadRestoreTheJob) {
  BobweightCard card = FullCard();
  card.jobName = "smith 350";
  card.changed = true;
  RodPistonSet set;
  set.rodTotals[0] = 601.5;
  set.rodBigEnds[11] = 399.9;
  set.pistons[5] = 498;
  set.pins[5] = 121.2;
  set.pinNumbers[5] = 2;
  RecordingOperatorUi ui;
  std::string folder = folder_.string();
  ASSERT_TRUE(SaveCardSilently(card, set, folder, &ui));
  EXPECT_FALSE(card.changed);
  EXPECT_TRUE(ui.messages.empty());
  ASSERT_TRUE(fs::exists(Path("smith 350.bwi")));
  ASSERT_TRUE(fs::exists(Path("smith 350.bme")));
  std::string weights = Read(Path("smith 350.bme"));
  // 60 values and the save's stamp.
  EXPECT_EQ(std::count(weights.begin(), weights.end(), '\n'), 61);

  BobweightCard loaded;
  loaded.changed = true;
  loaded.engineRow = 7;
  RodPistonSet loadedSet;
  std::string loadedFolder;
  ASSERT_TRUE(LoadCardFile(Path("smith 350.bwi"), loaded, loadedSet, loadedFolder));
  EXPECT_EQ(loaded.jobName, "smith 350");
  EXPECT_EQ(loaded.savedJobName, "smith 350");
  EXPECT_EQ(loadedFolder, folder);
  EXPECT_EQ(loaded.engineRow, 0);
  EXPECT_FALSE(loaded.changed);
  EXPECT_EQ(loaded.jobNotes, card.jobNotes);
  EXPECT_EQ(loaded.externalWeightText, card.externalWeightText);
  EXPECT_EQ(loaded.initialConditionText, card.initialConditionText);
  EXPECT_EQ(loaded.finalConditionText, card.finalConditionText);
  EXPECT_EQ(loaded.engineName, "350");
  EXPECT_EQ(loaded.jobDate, "12/7/2026");
  EXPECT_DOUBLE_EQ(loaded.supportRailWeight, 1.5);
  EXPECT_DOUBLE_EQ(loaded.overbalancePercent, 2);
  EXPECT_DOUBLE_EQ(loaded.rightRadius, 3.25);
  EXPECT_DOUBLE_EQ(loaded.tolerance, 1.5);
  EXPECT_NEAR(loaded.bobweightTotal, 1826.514, 1e-9);  // big end read back as 400.2
  EXPECT_DOUBLE_EQ(loadedSet.rodTotals[0], 601.5);
  EXPECT_DOUBLE_EQ(loadedSet.rodBigEnds[11], 399.9);
  EXPECT_DOUBLE_EQ(loadedSet.pins[5], 121.2);
  EXPECT_EQ(loadedSet.pinNumbers[5], 2);
  EXPECT_EQ(loadedSet.extremes.heavyPistonPin, 5);
}

TEST_F(BobweightFilesTest, NotesKeepTheirLinesAndCannotBreakTheFile) {
  for (std::string notes : {std::string("first\r\nsecond"), std::string("ends in a line\r\n"),
                            std::string(""), std::string("\n\nblank lines above")}) {
    BobweightCard card = FullCard();
    card.jobNotes = notes;
    BobweightCard loaded;
    ParseBwi(ToFileLineEnds(FormatBwi(card)), loaded);
    EXPECT_EQ(loaded.jobNotes, notes);
    EXPECT_EQ(loaded.jobDate, "12/7/2026");
    EXPECT_DOUBLE_EQ(loaded.tolerance, 1.5);
  }
  // An ESC typed into the notes, or notes past their field, never shift the
  // date and the numbers after them.
  BobweightCard card = FullCard();
  card.jobNotes = "stray\x1b escape " + std::string(800, 'n');
  BobweightCard loaded;
  ASSERT_TRUE(ParseBwi(FormatBwi(card), loaded));
  EXPECT_EQ(loaded.jobNotes.size(), kJobNotesMax);
  EXPECT_EQ(loaded.jobNotes.substr(0, 13), "stray escape ");
  EXPECT_EQ(loaded.jobDate, "12/7/2026");
  EXPECT_DOUBLE_EQ(loaded.rightRadius, 3.25);
}

TEST_F(BobweightFilesTest, CardWrittenWithCrLfLineEndsReads) {
  std::string lf = FormatBwi(FullCard());
  std::string crlf;
  for (char c : lf) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  BobweightCard loaded;
  ASSERT_TRUE(ParseBwi(crlf, loaded));
  EXPECT_EQ(loaded.engineName, "350");
  EXPECT_EQ(loaded.jobNotes, FullCard().jobNotes);
  EXPECT_EQ(loaded.jobDate, "12/7/2026");
  EXPECT_DOUBLE_EQ(loaded.leftRadius, 3.5);
}

TEST_F(BobweightFilesTest, DamagedCardKeepsWhatCannotBeReadAndCutsLongLines) {
  BobweightCard loaded;
  loaded.pinWeight = 111;
  loaded.tolerance = 9;
  std::string text = "600\n400\n60\n500\nbad\n4\n40\n0\n5\n50\n100\n2\n0\n" + std::string(70, 'L') +
                     "\nF\n" + std::string(90, 'X') + "\n" + std::string(60, 'E') +
                     "\nnotes\n\x1b" + "1/2/2027\n1\n2\n";
  EXPECT_FALSE(ParseBwi(text, loaded));
  EXPECT_DOUBLE_EQ(loaded.rodTotalWeight, 600);
  EXPECT_DOUBLE_EQ(loaded.pinWeight, 111);
  EXPECT_DOUBLE_EQ(loaded.pinLockWeight, 4);
  EXPECT_EQ(loaded.initialConditionText.size(), kConditionTextMax);
  EXPECT_EQ(loaded.finalConditionText, "F");
  EXPECT_EQ(loaded.externalWeightText.size(), kExternalWeightTextMax);
  EXPECT_EQ(loaded.engineName.size(), kEngineNameMax);
  EXPECT_EQ(loaded.jobNotes, "notes");
  EXPECT_EQ(loaded.jobDate, "1/2/2027");
  EXPECT_DOUBLE_EQ(loaded.initialRight, 2);
  EXPECT_DOUBLE_EQ(loaded.tolerance, 9);
}

// A number too large for a double is no number: the field keeps its value,
// as it does for any word that cannot be read.
TEST_F(BobweightFilesTest, NumbersThatOverflowAreNotRead) {
  double value = 3;
  EXPECT_FALSE(LeadingNumber("1e999", value));
  EXPECT_FALSE(LeadingNumber("-1e999 g", value));
  EXPECT_DOUBLE_EQ(value, 3);
  EXPECT_TRUE(LeadingNumber("1e300", value));

  std::string text = FormatBwi(FullCard());
  text.replace(text.find("600.0\n"), 5, "1e999");
  text.replace(text.rfind("1.500\n"), 5, "-1e999");
  BobweightCard loaded;
  loaded.rodTotalWeight = 7;
  loaded.tolerance = 9;
  EXPECT_FALSE(ParseBwi(text, loaded));
  EXPECT_DOUBLE_EQ(loaded.rodTotalWeight, 7);
  EXPECT_DOUBLE_EQ(loaded.rodBigEndWeight, 400.2);  // the next line still reads
  EXPECT_DOUBLE_EQ(loaded.tolerance, 9);
  EXPECT_EQ(loaded.engineName, "350");

  RodPistonSet set;
  set.rodTotals[0] = 5;
  set.pinNumbers[0] = 4;
  std::string weights = FormatBme(set);
  weights.replace(0, 3, "1e999");
  weights.replace(weights.rfind("4\n0\n"), 1, "1e999");
  ParseBme(weights, set);
  EXPECT_DOUBLE_EQ(set.rodTotals[0], 5);
  EXPECT_EQ(set.pinNumbers[0], 4);
}

// A number no card can have does not read back: the field keeps what it had,
// as for any number that cannot be read, and the card never computes
// infinity. The writer never writes one, so a card it wrote always reads.
TEST_F(BobweightFilesTest, NumbersBeyondTheCardAreRefused) {
  auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  std::string text = FormatBwi(FullCard());
  text = replaced(text, "600.0\n", "1e300\n");
  text = replaced(text, "500.0\n", std::string(309, '9') + ".0\n");
  text = replaced(text, "\n1.500\n", "\n-100000.1\n");
  BobweightCard loaded;
  loaded.rodTotalWeight = 7;
  loaded.pistonWeight = 8;
  loaded.tolerance = 9;
  EXPECT_FALSE(ParseBwi(text, loaded));
  EXPECT_DOUBLE_EQ(loaded.rodTotalWeight, 7);
  EXPECT_DOUBLE_EQ(loaded.pistonWeight, 8);
  EXPECT_DOUBLE_EQ(loaded.tolerance, 9);
  EXPECT_DOUBLE_EQ(loaded.rodBigEndWeight, 400.2);
  EXPECT_EQ(loaded.engineName, "350");
  EXPECT_DOUBLE_EQ(loaded.rightRadius, 3.25);

  RodPistonSet set;
  set.rodTotals[1] = 2;
  std::string weights = replaced(FormatBme(set), "0.0\n2.0\n", "1e300\n2.0\n");
  RodPistonSet read;
  read.rodTotals[0] = 3;
  ParseBme(weights, read);
  EXPECT_DOUBLE_EQ(read.rodTotals[0], 3);
  EXPECT_DOUBLE_EQ(read.rodTotals[1], 2);

  // Loaded and computed, such a file gives a finite bobweight.
  Write(Path("huge.bwi"),
        replaced(replaced(FormatBwi(FullCard()), "600.0\n", "1.7e308\n"), "400.2\n", "1.7e308\n"));
  BobweightCard job = FullCard();
  RodPistonSet held;
  std::string folder;
  ASSERT_TRUE(LoadCardFile(Path("huge.bwi"), job, held, folder));
  EXPECT_TRUE(std::isfinite(job.bobweightTotal));
  EXPECT_EQ(PerSideLine(PerSide(job, 0), 0).find("inf"), std::string::npos);
}

TEST_F(BobweightFilesTest, TheWriterKeepsEveryNumberWithinTheCard) {
  BobweightCard card = FullCard();
  card.rodTotalWeight = 1e300;
  card.pistonWeight = std::nan("");
  card.initialLeft = 5e6;  // a reading's grams at a small radius
  card.tolerance = -1.7e308;
  RodPistonSet set;
  set.pins[11] = kCardValueMax * 2;
  BobweightCard loaded;
  EXPECT_TRUE(ParseBwi(FormatBwi(card), loaded));
  EXPECT_DOUBLE_EQ(loaded.rodTotalWeight, kCardValueMax);
  EXPECT_DOUBLE_EQ(loaded.pistonWeight, 0.0);
  EXPECT_DOUBLE_EQ(loaded.initialLeft, kCardValueMax);
  EXPECT_DOUBLE_EQ(loaded.tolerance, -kCardValueMax);
  EXPECT_DOUBLE_EQ(loaded.rodBigEndWeight, 400.2);
  RodPistonSet read;
  ParseBme(FormatBme(set), read);
  EXPECT_DOUBLE_EQ(read.pins[11], kCardValueMax);
}

TEST_F(BobweightFilesTest, MissingWeightsFileKeepsThePreviousJobsWeights) {
  BobweightCard card = FullCard();
  Write(Path("other.bwi"), FormatBwi(card));
  BobweightCard loaded;
  loaded.changed = true;
  RodPistonSet set;
  set.pistons[2] = 505;
  RecomputeExtremes(set, loaded);
  std::string folder = "unchanged";
  ASSERT_TRUE(LoadCardFile(Path("other.bwi"), loaded, set, folder));
  EXPECT_EQ(loaded.jobName, "other");
  EXPECT_DOUBLE_EQ(set.pistons[2], 505);
  EXPECT_TRUE(loaded.changed);
  EXPECT_EQ(folder, folder_.string());

  BobweightCard untouched = FullCard();
  EXPECT_FALSE(LoadCardFile(Path("missing.bwi"), untouched, set, folder));
  EXPECT_EQ(untouched.jobName, "");
  EXPECT_EQ(untouched.engineName, "350");
}

// Every text of the card at its length and one longer, alone and all at once:
// saved and loaded, each is its text cut to the field, and nothing moves into
// the next field.
TEST_F(BobweightFilesTest, TextFieldsAtTheirLengthRoundTrip) {
  struct TextField {
    std::string BobweightCard::*field;
    size_t max;
  };
  const TextField fields[] = {
      {&BobweightCard::initialConditionText, kConditionTextMax},
      {&BobweightCard::finalConditionText, kConditionTextMax},
      {&BobweightCard::externalWeightText, kExternalWeightTextMax},
      {&BobweightCard::engineName, kEngineNameMax},
      {&BobweightCard::jobNotes, kJobNotesMax},
      {&BobweightCard::jobDate, kJobDateMax},
  };
  for (size_t extra : {0u, 1u}) {
    for (int only = -1; only < 6; ++only) {
      SCOPED_TRACE(testing::Message() << "extra " << extra << " field " << only);
      BobweightCard card = FullCard();
      card.jobName = "long";
      for (int i = 0; i < 6; ++i) {
        if (only >= 0 && i != only) continue;
        card.*fields[i].field = std::string(fields[i].max + extra, static_cast<char>('a' + i));
      }
      // The notes may hold line ends; the longest notes keep them too.
      if (only < 0 || only == 4) card.jobNotes.replace(10, 2, "\r\n");
      BobweightCard expected = card;
      for (const TextField& f : fields) {
        expected.*f.field = (card.*f.field).substr(0, f.max);
      }
      ASSERT_TRUE(SaveCardSilently(card, RodPistonSet{}, folder_.string(), nullptr));
      BobweightCard loaded;
      RodPistonSet set;
      std::string folder;
      ASSERT_TRUE(LoadCardFile(Path("long.bwi"), loaded, set, folder));
      for (const TextField& f : fields) EXPECT_EQ(loaded.*f.field, expected.*f.field);
      EXPECT_DOUBLE_EQ(loaded.initialLeft, card.initialLeft);
      EXPECT_DOUBLE_EQ(loaded.tolerance, card.tolerance);
    }
  }
}

// The weights of another save (one stopped after its .bme was written but
// before its .bwi) are not taken with the card; older files without a stamp
// still pair up as before.
TEST_F(BobweightFilesTest, WeightsOfAnotherSaveAreNotMixedIntoTheCard) {
  BobweightCard card = FullCard();
  RodPistonSet set;
  set.pistons[0] = 501;
  Write(Path("job.bwi"), FormatBwi(card, "100.1.1"));
  Write(Path("job.bme"), FormatBme(set, "100.1.2"));
  BobweightCard loaded;
  loaded.changed = true;
  RodPistonSet held;
  held.pistons[0] = 77;
  std::string folder;
  bool weightsLoaded = true;
  ASSERT_TRUE(LoadCardFile(Path("job.bwi"), loaded, held, folder, &weightsLoaded));
  EXPECT_FALSE(weightsLoaded);
  EXPECT_DOUBLE_EQ(held.pistons[0], 77);
  EXPECT_TRUE(loaded.changed);
  EXPECT_EQ(loaded.engineName, "350");

  Write(Path("job.bme"), FormatBme(set, "100.1.1"));
  ASSERT_TRUE(LoadCardFile(Path("job.bwi"), loaded, held, folder, &weightsLoaded));
  EXPECT_TRUE(weightsLoaded);
  EXPECT_DOUBLE_EQ(held.pistons[0], 501);

  Write(Path("old.bwi"), FormatBwi(card));
  Write(Path("old.bme"), FormatBme(set));
  held.pistons[0] = 77;
  ASSERT_TRUE(LoadCardFile(Path("old.bwi"), loaded, held, folder, &weightsLoaded));
  EXPECT_TRUE(weightsLoaded);
  EXPECT_DOUBLE_EQ(held.pistons[0], 501);

  // Two saves write two different stamps.
  card.jobName = "twice";
  ASSERT_TRUE(SaveCardSilently(card, set, folder_.string(), nullptr));
  std::string first = Read(Path("twice.bme"));
  ASSERT_TRUE(SaveCardSilently(card, set, folder_.string(), nullptr));
  EXPECT_NE(Read(Path("twice.bme")), first);
  EXPECT_EQ(Read(Path("twice.bme")).substr(0, 100), first.substr(0, 100));
}

// A save killed at any step leaves a job that loads as the old save or the
// new one, never the new weights under the old card.
TEST_F(BobweightFilesTest, KilledSaveLeavesTheOldJobOrTheNewOne) {
  BobweightCard oldCard = FullCard();
  oldCard.jobName = "job";
  RodPistonSet oldSet;
  oldSet.rodTotals[3] = 611;
  BobweightCard newCard = FullCard();
  newCard.jobName = "job";
  newCard.engineName = "427";
  RodPistonSet newSet;
  newSet.rodTotals[3] = 622;
  const std::string folder = folder_.string();
  int kills = test::KillAtEveryStep(
      [&] {
        BobweightCard card = oldCard;
        ASSERT_TRUE(SaveCardSilently(card, oldSet, folder, nullptr));
        RemoveStaleTemporaries(folder);
      },
      [&] {
        BobweightCard card = newCard;
        SaveCardSilently(card, newSet, folder, nullptr);
      },
      [&](int step) {
        SCOPED_TRACE(testing::Message() << "killed at step " << step);
        BobweightCard loaded;
        RodPistonSet held;
        held.rodTotals[3] = 1;
        std::string where;
        bool weightsLoaded = false;
        ASSERT_TRUE(LoadCardFile(Path("job.bwi"), loaded, held, where, &weightsLoaded));
        if (loaded.engineName == "427") {
          EXPECT_TRUE(weightsLoaded);
          EXPECT_DOUBLE_EQ(held.rodTotals[3], 622);
        } else {
          EXPECT_EQ(loaded.engineName, "350");
          // The old card with its own weights, or (the new .bme already in
          // place) with none.
          EXPECT_DOUBLE_EQ(held.rodTotals[3], weightsLoaded ? 611 : 1);
        }
      });
  EXPECT_EQ(kills, 12);
}

TEST_F(BobweightFilesTest, PathsNameTheJobAndItsWeightsFile) {
  EXPECT_EQ(JobNameFromPath("D:\\jobs\\smith 350.bwi"), "smith 350");
  EXPECT_EQ(JobNameFromPath("/home/x/smith 350.BWI"), "smith 350");
  EXPECT_EQ(JobNameFromPath("D:\\jobs\\smith350"), "smith350");
  EXPECT_EQ(BmePathFor("D:\\jobs\\smith 350.bwi"), "D:\\jobs\\smith 350.bme");
  EXPECT_EQ(BmePathFor("D:\\jobs\\smith350"), "D:\\jobs\\smith350.bme");
  EXPECT_EQ(CardPathFor("D:\\jobs", "smith 350"), "D:\\jobs\\smith 350.bwi");
  EXPECT_EQ(CardPathFor("/tmp/jobs/", "a"), "/tmp/jobs/a.bwi");
  EXPECT_EQ(CardPathFor("", "a"), "C:\\balancer\\a.bwi");
  EXPECT_EQ(CardPathFor("D:\\jobs", ""), "");
}

TEST_F(BobweightFilesTest, SaveThroughTheDialogMovesTheFolder) {
  fs::create_directories(folder_ / "jobs");
  BobweightCard card = FullCard();
  card.jobName = "old";
  card.changed = true;
  std::string bobweightFolder = "C:\\balancer";
  ASSERT_TRUE(
      SaveCardAs(Path("jobs/smith 350.bwi"), card, RodPistonSet{}, bobweightFolder, nullptr));
  EXPECT_EQ(card.jobName, "smith 350");
  EXPECT_EQ(bobweightFolder, (folder_ / "jobs").string());
  EXPECT_FALSE(card.changed);
  EXPECT_TRUE(fs::exists(folder_ / "jobs" / "smith 350.bme"));
}

TEST_F(BobweightFilesTest, UnwritableCardIsToldAndStaysChanged) {
  BobweightCard card = FullCard();
  card.jobName = "job";
  card.changed = true;
  RecordingOperatorUi ui;
  EXPECT_FALSE(SaveCardSilently(card, RodPistonSet{}, Path("no such folder"), &ui));
  EXPECT_TRUE(card.changed);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Error");
  // The weights go first: the card that names them follows only after them.
  EXPECT_NE(ui.messages[0].text.find("job.bme"), std::string::npos);

  // The card goes through but its weights file cannot be written.
  fs::create_directories(Path("job.bme"));
  ui.messages.clear();
  EXPECT_FALSE(SaveCardSilently(card, RodPistonSet{}, folder_.string(), &ui));
  EXPECT_TRUE(card.changed);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("job.bme"), std::string::npos);
  EXPECT_FALSE(fs::exists(Path("job.bwi")));

  // No job name: nothing to write, nothing to tell.
  card.jobName = "";
  ui.messages.clear();
  EXPECT_FALSE(SaveCardSilently(card, RodPistonSet{}, folder_.string(), &ui));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BobweightFilesTest, WeightsFileReadsPartlyAndRejectsBadPinNumbers) {
  RodPistonSet set;
  set.pins[0] = 77;
  std::string text;
  for (int i = 0; i < 36; ++i) text += "1.0\n";
  text += "x\n";  // pin 1 unreadable
  for (int i = 0; i < 11; ++i) text += "2.0\n";
  text += "3\n99\n";
  ParseBme(text, set);
  EXPECT_DOUBLE_EQ(set.pistons[11], 1.0);
  EXPECT_DOUBLE_EQ(set.pins[0], 77);
  EXPECT_DOUBLE_EQ(set.pins[1], 2.0);
  EXPECT_EQ(set.pinNumbers[0], 3);
  EXPECT_EQ(set.pinNumbers[1], 0);
}

TEST_F(BobweightFilesTest, ClosingAnswersAndFailedDialogs) {
  BobweightCard card = FullCard();
  card.jobName = "close";
  card.changed = true;
  EXPECT_TRUE(AnswerUnsavedChanges(false, card, RodPistonSet{}, folder_.string(), nullptr));
  EXPECT_FALSE(card.changed);
  EXPECT_FALSE(fs::exists(Path("close.bwi")));
  card.changed = true;
  EXPECT_TRUE(AnswerUnsavedChanges(true, card, RodPistonSet{}, folder_.string(), nullptr));
  EXPECT_FALSE(card.changed);
  EXPECT_TRUE(fs::exists(Path("close.bwi")));

  RecordingOperatorUi ui;
  SaveDialogFailed(card, 0, ui);
  EXPECT_EQ(card.jobName, "close");
  EXPECT_TRUE(ui.messages.empty());
  SaveDialogFailed(card, 1, ui);
  EXPECT_EQ(card.jobName, "");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "INVALID FILE NAME\n\nYou cannot use \\ / > < : | * ? or \" characters.");
}

TEST(BobweightMessages, CloseAsksOnlyForANamedChangedJob) {
  BobweightCard card;
  card.changed = true;
  EXPECT_FALSE(AsksToSaveOnClose(card));
  card.jobName = "a";
  EXPECT_TRUE(AsksToSaveOnClose(card));
  OperatorMessage m = UnsavedChangesQuestion(42);
  EXPECT_EQ(m.caption, "Alert");
  EXPECT_EQ(m.firstButtonText, "SAVE");
  EXPECT_EQ(m.secondButtonText, "DON'T SAVE");
  EXPECT_EQ(m.actionCode, 42);
  EXPECT_TRUE(CardIsEmpty(BobweightCard{}));
  card.supportRailWeight = 0.1;
  EXPECT_FALSE(CardIsEmpty(card));
}

}  // namespace
}  // namespace balancer
