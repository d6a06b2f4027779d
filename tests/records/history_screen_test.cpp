#include "records/history_screen.h"

#include <gtest/gtest.h>

#include "records/history_csv.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

HistoryRecord Record(int kind, double leftMoment, double leftAngle, double rightMoment) {
  HistoryRecord r;
  r.kind = kind;
  r.leftMoment = leftMoment;
  r.leftAngle = leftAngle;
  r.leftRadius = 2.0;
  r.rightMoment = rightMoment;
  r.rightAngle = 181.0;
  r.rightRadius = 2.5;
  return r;
}

struct HistoryScreenTest : ::testing::Test {
  void SetUp() override {
    settings.historyFolder = folder.Path();
    history.records[0] = Record(kHistoryInitial, 40.0, 12.0, 25.0);
    history.records[1] = Record(kHistorySpin, 10.0, 45.0, 5.0);
    history.records[2] = Record(kHistoryFinal, kNoLeftMoment, 0.0, 2.0);
    history.historyCount = 3;
  }
  test::TempFolder folder;
  MachineSettings settings;
  History history;
  RecordingOperatorUi ui;
  HistoryScreen screen{history, settings, &ui};
};

TEST_F(HistoryScreenTest, RowsShowTheRecordsInUseInTheDisplayUnits) {
  std::vector<HistoryRow> rows = screen.Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].label, "Initial");
  EXPECT_EQ(rows[0].left, "20.0 grams at 12\xB0 & 2.00\" radius");
  EXPECT_EQ(rows[0].right, "10.0 grams at 181\xB0 & 2.50\" radius");
  EXPECT_EQ(rows[1].label, "1");
  EXPECT_EQ(rows[1].left, "5.00 grams at 45\xB0 & 2.00\" radius");
  EXPECT_EQ(rows[2].label, "Final");
  EXPECT_EQ(rows[2].left, "");  // single-plane record

  settings.weightUnit = 1;
  settings.lengthUnit = 1;
  rows = screen.Rows();
  EXPECT_EQ(rows[0].left, "0.705 ounces at 12\xB0 & 51mm radius");
  EXPECT_EQ(rows[2].right, "0.028 ounces at 181\xB0 & 64mm radius");

  history.historyCount = 0;
  EXPECT_TRUE(screen.Rows().empty());
}

TEST_F(HistoryScreenTest, ButtonsAndKeys) {
  // No letter stands for a button: a stray key leaves the job's history,
  // opens no dialog and prints nothing.
  for (int c : {'c', 'C', 's', 'S', 'l', 'L', 'p', 'P', 'e', 'E', 'x', 'X', 'q'}) {
    ScreenPress press = screen.Key(c);
    EXPECT_FALSE(press.handled) << char(c);
    EXPECT_FALSE(press.print || press.close || press.dialog || press.nameEntry) << char(c);
  }
  EXPECT_EQ(history.historyCount, 3);
  EXPECT_EQ(history.records[0].kind, kHistoryInitial);

  ScreenPress press = screen.Press(kHistoryClearId);
  EXPECT_TRUE(press.handled);
  EXPECT_TRUE(press.repaint);
  EXPECT_EQ(history.historyCount, 0);
  EXPECT_EQ(history.records[0].kind, kHistoryEmpty);

  EXPECT_TRUE(screen.Press(kHistoryPrintId).print);
  press = screen.Key(27);
  EXPECT_TRUE(press.close);
  EXPECT_TRUE(press.writeSettings);
  EXPECT_TRUE(screen.Press(kHistoryExitId).close);
  EXPECT_FALSE(screen.Press(999).handled);
}

TEST_F(HistoryScreenTest, SaveAsksForANameOnTheTouchKeyboardOnlyWithoutOne) {
  ScreenPress press = screen.Press(kHistorySaveId);
  ASSERT_TRUE(press.dialog);
  EXPECT_FALSE(press.nameEntry);
  EXPECT_TRUE(press.dialog->save);
  EXPECT_EQ(press.dialog->title, "Save History Data");
  EXPECT_EQ(press.dialog->filterName, "History Files (.hst files)");
  EXPECT_EQ(press.dialog->patterns, "*.hst");
  EXPECT_EQ(press.dialog->defaultExtension, "hst");
  EXPECT_EQ(press.dialog->folder, folder.Path());
  EXPECT_EQ(press.dialog->proposedName, "");

  settings.touchscreen = 1;
  press = screen.Press(kHistorySaveId);
  EXPECT_FALSE(press.dialog);
  ASSERT_TRUE(press.nameEntry);
  EXPECT_EQ(press.nameEntry->code, kHistoryNameCode);
  EXPECT_EQ(press.nameEntry->heading, "Enter history file name");

  press = screen.NameEntered("  job 12.HST \r\n");
  EXPECT_EQ(history.historyName, "job 12");
  ASSERT_TRUE(press.dialog);
  EXPECT_EQ(press.dialog->proposedName, "job 12.hst");

  // With a name the keyboard is not asked again.
  press = screen.Press(kHistorySaveId);
  EXPECT_FALSE(press.nameEntry);
  ASSERT_TRUE(press.dialog);
}

TEST_F(HistoryScreenTest, SavedAndLoadedFilesNameTheHistoryAndMoveTheFolder) {
  const FileRequest save = SaveHistoryRequest(history, settings);
  settings.historyFolder = "C:\\elsewhere";
  screen.FileChosen(save, folder.File("crank 4.hst"));
  EXPECT_EQ(history.historyName, "crank 4");
  EXPECT_EQ(settings.historyFolder, folder.Path());
  EXPECT_EQ(folder.Read("crank 4.hst").substr(0, 2), "2 ");

  history.Clear();
  const FileRequest load = LoadHistoryRequest(settings);
  EXPECT_FALSE(load.save);
  EXPECT_EQ(load.title, "Retrieve History Data");
  EXPECT_EQ(load.filterName, "History Files (.hst files)");
  ScreenPress press = screen.FileChosen(load, folder.File("crank 4.hst"));
  EXPECT_TRUE(press.repaint);
  EXPECT_TRUE(press.repaintReadings);
  EXPECT_EQ(history.historyCount, 3);
  EXPECT_EQ(screen.Rows()[2].label, "Final");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(HistoryScreenTest, SaveOffersASpreadsheetAndTheChosenNameDecidesTheFormat) {
  const FileRequest save = SaveHistoryRequest(history, settings);
  EXPECT_EQ(save.filterName, "History Files (.hst files)");
  EXPECT_EQ(save.secondFilterName, "Spreadsheet Files (.csv files)");
  EXPECT_EQ(save.secondPatterns, "*.csv");
  EXPECT_EQ(save.defaultExtension, "hst");
  EXPECT_TRUE(LoadHistoryRequest(settings).secondFilterName.empty()) << "only .hst files load";

  settings.historyFolder = "C:\\elsewhere";
  screen.FileChosen(save, folder.File("crank 4.CSV"));
  EXPECT_EQ(folder.Read("crank 4.CSV"), FormatHistoryCsv(history, 0, 0));
  EXPECT_EQ(settings.historyFolder, folder.Path());
  EXPECT_EQ(history.historyName, "crank 4");
  EXPECT_FALSE(folder.Exists("crank 4.hst"));

  // Any other name is the .hst, as ever.
  screen.FileChosen(save, folder.File("crank 4.txt"));
  EXPECT_EQ(folder.Read("crank 4.txt"), FormatHistory(history));
  EXPECT_TRUE(ui.messages.empty());

  // The type chosen in the dialog gives a bare name its extension.
  EXPECT_EQ(PathOfChosenType(save, "C:\\jobs\\crank", 2), "C:\\jobs\\crank.csv");
  EXPECT_EQ(PathOfChosenType(save, "C:\\jobs\\crank", 1), "C:\\jobs\\crank.hst");
  EXPECT_EQ(PathOfChosenType(save, "C:\\jobs\\crank.hst", 2), "C:\\jobs\\crank.hst");
  EXPECT_EQ(PathOfChosenType(save, "C:\\jobs.v2\\crank", 2), "C:\\jobs.v2\\crank.csv");
}

TEST_F(HistoryScreenTest, AKeyboardNameEndingInCsvProposesTheSpreadsheet) {
  settings.touchscreen = 1;
  ScreenPress press = screen.NameEntered(" job 12.Csv ");
  EXPECT_EQ(history.historyName, "job 12");
  ASSERT_TRUE(press.dialog);
  EXPECT_EQ(press.dialog->proposedName, "job 12.csv");
  press = screen.NameEntered("job 12");
  ASSERT_TRUE(press.dialog);
  EXPECT_EQ(press.dialog->proposedName, "job 12.hst");
}

TEST_F(HistoryScreenTest, CancelledOrUnreadableChoicesChangeNothing) {
  const FileRequest load = LoadHistoryRequest(settings);
  ScreenPress press = screen.FileChosen(load, std::nullopt);
  EXPECT_FALSE(press.repaint);
  press = screen.FileChosen(load, folder.File("missing.hst"));
  EXPECT_FALSE(press.repaint);
  EXPECT_EQ(history.historyCount, 3);
  EXPECT_TRUE(history.historyName.empty());
  EXPECT_TRUE(ui.messages.empty());

  screen.FileChosen(SaveHistoryRequest(history, settings), std::nullopt);
  EXPECT_TRUE(history.historyName.empty());
}

TEST_F(HistoryScreenTest, AnOldFormatFileIsToldAndItsLinesKept) {
  folder.Write("old.hst", "0 1 2 3 4 5 6\n1 30.000 90 3.000 6.000 270 3.000\n");
  screen.FileChosen(LoadHistoryRequest(settings), folder.File("old.hst"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Error");
  EXPECT_EQ(ui.messages[0].text,
            "Error, this is an old format history file.\n\nThe file can be viewed with Notepad.");
  EXPECT_EQ(history.historyCount, 0);
  EXPECT_EQ(history.records[1].kind, kHistorySpin);
  EXPECT_EQ(history.historyName, "old");
}

TEST(FileNames, TypedNamesLoseFolderPartsBlanksAndTheirExtension) {
  EXPECT_EQ(CleanFileName("  V8 street.JSI  ", ".jsi"), "V8 street");
  EXPECT_EQ(CleanFileName("..\\a:b*?.hst", ".hst"), "..ab");
  EXPECT_EQ(CleanFileName(".hst", ".hst"), ".hst");
  EXPECT_EQ(CleanFileName(" \r\n", ".hst"), "");
  EXPECT_EQ(CleanFileName(std::string("ab\0c", 4), ".hst"), "abc");
}

}  // namespace
}  // namespace balancer
