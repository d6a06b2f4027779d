#include "records/history.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/temp_folder.h"

namespace balancer {
namespace {

CurrentResult Result(double leftMoment, double rightMoment) {
  CurrentResult r;
  r.leftMoment = leftMoment;
  r.leftAngle = 45;
  r.leftRadius = 3.0;
  r.rightMoment = rightMoment;
  r.rightAngle = 271;
  r.rightRadius = 2.5;
  r.leftReadingMoment = leftMoment * 2;
  r.rightReadingMoment = rightMoment * 2;
  return r;
}

MachineSettings TwoPlane() {
  MachineSettings s;
  s.twoPlaneMode = 1;
  s.shaftRadiusLeft = 4.0;
  s.shaftRadiusRight = 3.0;
  return s;
}

TEST(ConditionTexts, DecimalsFollowTheAmount) {
  EXPECT_EQ(ConditionLine(9.995, 9.99, 0), "Left 10.0 grams      Right 9.99 grams");
  EXPECT_EQ(ConditionLine(1.234, 12.34, 0), "Left 1.23 grams      Right 12.3 grams");
  EXPECT_EQ(ConditionLine(28.35, 28.0, 1), "Left 1.00 ounces      Right 0.988 ounces");

  CurrentResult r = Result(30.0, 60.0);  // 10 g left, 24 g right
  EXPECT_EQ(CorrectionText(r, 1, 0), "Left 10.0 grams      Right 24.0 grams");
  EXPECT_EQ(CorrectionText(r, 0, 0), "Right 24.0 grams");
  EXPECT_EQ(CorrectionText(Result(90.0, 75.0), 1, 1), "Left 1.06 ounces      Right 1.06 oz.");
  EXPECT_EQ(CorrectionText(Result(3.0, 2.5), 1, 1), "Left 0.035 ounces      Right 0.035 ounces");
}

TEST(History, SaveInitialStartsANewHistory) {
  History h;
  h.historyCount = 5;
  h.finalStored = 1;
  h.records[4].kind = kHistorySpin;
  RecordingOperatorUi ui;
  SaveInitial(h, TwoPlane(), Result(30, 60), ui);
  EXPECT_EQ(h.historyCount, 1);
  EXPECT_EQ(h.finalStored, 0);
  EXPECT_EQ(h.records[0].kind, kHistoryInitial);
  EXPECT_DOUBLE_EQ(h.records[0].leftMoment, 30);
  EXPECT_EQ(h.records[4].kind, kHistoryEmpty);
  EXPECT_DOUBLE_EQ(h.initial.leftAmount, 15.0);   // 60 / 4.0
  EXPECT_DOUBLE_EQ(h.initial.rightAmount, 40.0);  // 120 / 3.0
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Storing Initial Shaft Condition");
  EXPECT_EQ(ui.messages[0].text,
            "Unbalance at the specified correction radius and plane offsets is...\n"
            "Left 10.0 grams      Right 24.0 grams\n\n"
            "This is a correction amount based on the specified location,\n"
            "it is not the actual shaft unbalance.\n\n"
            "The initial shaft unbalance will be stored as...\n"
            "Left 15.0 grams      Right 40.0 grams\n\n"
            "This is the actual shaft unbalance,\n"
            "it is measured at the shaft radius and zero plane offsets.");
}

TEST(History, TheTwentyFourthSpinDropsTheOldestAndKeepsTheInitial) {
  History h;
  RecordingOperatorUi ui;
  SaveInitial(h, TwoPlane(), Result(1, 1), ui);
  for (int spin = 1; spin <= 24; ++spin) AppendSpin(h, Result(spin, spin), 1);
  EXPECT_EQ(h.historyCount, 24);
  EXPECT_EQ(h.records[0].kind, kHistoryInitial);
  EXPECT_DOUBLE_EQ(h.records[1].leftMoment, 2);    // spin 1 dropped
  EXPECT_DOUBLE_EQ(h.records[23].leftMoment, 24);  // the latest is last
}

TEST(History, SpinsInSinglePlaneModeHaveNoLeftValueAndStopAfterFinal) {
  History h;
  AppendSpin(h, Result(5, 6), 0);
  EXPECT_EQ(h.historyCount, 1);
  EXPECT_DOUBLE_EQ(h.records[0].leftMoment, kNoLeftMoment);
  h.finalStored = 1;
  AppendSpin(h, Result(5, 6), 0);
  EXPECT_EQ(h.historyCount, 1);
}

TEST(History, SaveFinalAsksBeforeOverwriting) {
  History h;
  RecordingOperatorUi ui;
  // Without any record the final condition becomes record 0.
  ASSERT_TRUE(SaveFinal(h, TwoPlane(), Result(3, 4), ui));
  EXPECT_EQ(h.historyCount, 1);
  EXPECT_EQ(h.records[0].kind, kHistoryFinal);
  EXPECT_EQ(ui.messages.back().caption, "Storing Final Shaft Condition");
  EXPECT_NE(ui.messages.back().text.find("The final shaft unbalance will be stored as..."),
            std::string::npos);

  EXPECT_FALSE(SaveFinal(h, TwoPlane(), Result(7, 8), ui));
  EXPECT_EQ(ui.messages.back().buttonMode, kTwoButtons);
  EXPECT_EQ(ui.messages.back().actionCode, 135);
  EXPECT_EQ(ui.messages.back().text,
            "Final Shaft Condition has been previously saved.\n\nDo you want to overwrite?");
  EXPECT_DOUBLE_EQ(h.records[0].leftMoment, 3);  // "NO" keeps the first final record

  h.finalStored = 0;  // what the "YES" answer does before running it again
  ASSERT_TRUE(SaveFinal(h, TwoPlane(), Result(7, 8), ui));
  EXPECT_DOUBLE_EQ(h.records[0].leftMoment, 7);
}

TEST(HistoryFile, RoundTripsThroughTheFile) {
  test::TempFolder folder;
  History h;
  RecordingOperatorUi ui;
  MachineSettings s = TwoPlane();
  SaveInitial(h, s, Result(12.3456, 7.5), ui);
  AppendSpin(h, Result(4.5, 2.25), 0);
  ASSERT_TRUE(SaveHistoryFile(folder.File("job 7.hst"), h, s, &ui));
  EXPECT_EQ(s.historyFolder, folder.Path());
  std::string text = folder.Read("job 7.hst");
  EXPECT_EQ(text.substr(0, text.find('\n') + 1), "2 12.346 45 3.000 7.500 271 2.500\n");
  EXPECT_NE(text.find("1 -1000.000 45 3.000 2.250 271 2.500\n"), std::string::npos);

  History loaded;
  MachineSettings t;
  ASSERT_TRUE(LoadHistoryFile(folder.File("job 7.hst"), loaded, t, &ui));
  EXPECT_EQ(loaded.historyName, "job 7");
  EXPECT_EQ(loaded.historyCount, 2);
  EXPECT_DOUBLE_EQ(loaded.records[1].leftMoment, -1000.0);
  EXPECT_DOUBLE_EQ(loaded.records[0].leftMoment, 12.346);
  EXPECT_EQ(t.historyFolder, folder.Path());
  EXPECT_EQ(FormatHistory(loaded), text);
}

TEST(HistoryFile, OldFormatAndShortFiles) {
  History h;
  // A first record of kind 0 is an old file: told, but the lines are kept.
  EXPECT_FALSE(ParseHistory("0 1 2 3 4 5 6\n1 1.5 2 3 4 5 6\n", h));
  EXPECT_EQ(h.historyCount, 0);
  EXPECT_EQ(h.records[1].kind, kHistorySpin);

  // A damaged line leaves its record cleared and the lines after it are read;
  // lines the file does not have stay cleared.
  EXPECT_TRUE(ParseHistory("2 1 2 3 4 5 6\n1 1 2 3\n1 1 2 3 4 5 6\n", h));
  EXPECT_EQ(h.historyCount, 1);
  EXPECT_EQ(h.records[1].kind, kHistoryEmpty);
  EXPECT_DOUBLE_EQ(h.records[1].leftMoment, 0.0);
  EXPECT_EQ(h.records[2].kind, kHistorySpin);
  EXPECT_EQ(h.records[3].kind, kHistoryEmpty);

  test::TempFolder folder;
  folder.Write("old.hst", "0 0 0 0 0 0 0\n");
  RecordingOperatorUi ui;
  MachineSettings s;
  ASSERT_TRUE(LoadHistoryFile(folder.File("old.hst"), h, s, &ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Error");
  EXPECT_EQ(ui.messages[0].text,
            "Error, this is an old format history file.\n\nThe file can be viewed with Notepad.");

  History untouched;
  untouched.historyCount = 3;
  EXPECT_FALSE(LoadHistoryFile(folder.File("none.hst"), untouched, s, &ui));
  EXPECT_EQ(untouched.historyCount, 3);
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(HistoryFile, AllRecordsAreReadAndTheLeadingOnesInUseCounted) {
  History h;
  // An unknown kind still counts as a record in use.
  EXPECT_TRUE(ParseHistory("2 1 2 3 4 5 6\n5 1 2 3 4 5 6\n1 7 2 3 4 5 6\n", h));
  EXPECT_EQ(h.historyCount, 3);
  EXPECT_EQ(h.records[1].kind, 5);
  EXPECT_DOUBLE_EQ(h.records[2].leftMoment, 7.0);

  // Damaged and overflowing lines each lose only their own record; records
  // past the 24th line are not read.
  std::string text;
  for (int i = 0; i < 30; ++i) {
    if (i == 4) {
      text += "1 1e999 2 3 4 5 6\n";
    } else if (i == 9) {
      text += "garbage\n";
    } else {
      text += "1 " + std::to_string(i) + " 2 3 4 5 6\n";
    }
  }
  h.historyCount = 0;
  EXPECT_TRUE(ParseHistory(text, h));
  EXPECT_EQ(h.historyCount, 4);
  EXPECT_EQ(h.records[4].kind, kHistoryEmpty);
  EXPECT_EQ(h.records[9].kind, kHistoryEmpty);
  EXPECT_DOUBLE_EQ(h.records[5].leftMoment, 5.0);
  EXPECT_DOUBLE_EQ(h.records[23].leftMoment, 23.0);
}

// However long a record's numbers print, it stays one line of its own: no
// record is cut short or merged into the next. Read back, such values are
// damaged ones and leave only their own record cleared.
TEST(HistoryFile, RecordsWithLongNumbersStayOneLineEach) {
  History h;
  for (int i = 0; i < kHistorySize; ++i) {
    HistoryRecord& r = h.records[i];
    r.kind = kHistorySpin;
    // The longest numbers a double prints on every other line: lines near
    // 1900 characters.
    double huge = i % 2 ? -1.7e308 : 1.0;
    r.leftMoment = i % 2 ? huge : 10.0 + i;
    r.leftAngle = huge;
    r.leftRadius = huge;
    r.rightMoment = huge;
    r.rightAngle = huge;
    r.rightRadius = huge;
  }
  h.historyCount = kHistorySize;
  std::string text = FormatHistory(h);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kHistorySize);
  History loaded;
  ASSERT_TRUE(ParseHistory(text, loaded));
  EXPECT_EQ(loaded.historyCount, 1);
  for (int i = 0; i < kHistorySize; ++i) {
    SCOPED_TRACE(i);
    if (i % 2) {
      EXPECT_EQ(loaded.records[i].kind, kHistoryEmpty);
    } else {
      EXPECT_EQ(loaded.records[i].kind, kHistorySpin);
      EXPECT_DOUBLE_EQ(loaded.records[i].leftMoment, 10.0 + i);
      EXPECT_DOUBLE_EQ(loaded.records[i].rightRadius, 1.0);
    }
  }
}

TEST(HistoryWindow, RowsNameTheRecordAndShowAmountAndRadius) {
  History h;
  RecordingOperatorUi ui;
  SaveInitial(h, TwoPlane(), Result(30, 60), ui);  // 10 g at 3", 24 g at 2.5"
  AppendSpin(h, Result(3, 2.5), 0);
  HistoryRow initial = HistoryRowText(h, 0, 0, 0);
  EXPECT_EQ(initial.label, "Initial");
  EXPECT_EQ(initial.left, "10.0 grams at 45\xB0 & 3.00\" radius");
  EXPECT_EQ(initial.right, "24.0 grams at 271\xB0 & 2.50\" radius");
  HistoryRow spin = HistoryRowText(h, 1, 1, 1);
  EXPECT_EQ(spin.label, "1");
  EXPECT_EQ(spin.left, "");  // single-plane record
  EXPECT_EQ(spin.right, "0.035 ounces at 271\xB0 & 64mm radius");
  EXPECT_EQ(HistoryRowText(h, 2, 0, 0).label, "");
}

}  // namespace
}  // namespace balancer
