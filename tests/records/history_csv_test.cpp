#include "records/history_csv.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/killed_write.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

History Job() {
  History h;
  h.records[0] = {kHistoryInitial, 86.1, 212, 3.5, 63.7, 48, 3.5};
  h.records[1] = {kHistorySpin, 12.2, 201, 2.0, 8.4, 55, 4.0};
  h.records[2] = {kHistorySpin, kNoLeftMoment, 0, 3.5, 2.2, 359.6, 3.5};
  h.records[3] = {kHistoryFinal, 1.47, 188, 3.5, 2.14, 64, 3.5};
  h.historyCount = 4;
  return h;
}

TEST(HistoryCsv, OneRowPerRecordInUseAsTheWindowShowsIt) {
  EXPECT_EQ(
      FormatHistoryCsv(Job(), 0, 0),
      "\"Number\",\"Kind\",\"Left amount (grams)\",\"Left angle (degrees)\",\"Left radius (inches)\",\"Right amount (grams)\",\"Right angle (degrees)\",\"Right radius (inches)\"\r\n"
      ",\"Initial\",24.6,212,3.50,18.2,48,3.50\r\n"
      "1,\"Spin\",6.10,201,2.00,2.10,55,4.00\r\n"
      "2,\"Spin\",,,,0.63,360,3.50\r\n"
      ",\"Final\",0.42,188,3.50,0.61,64,3.50\r\n");

  // Ounces switch to three decimals below 28.35 grams, millimetres are whole.
  const std::string metric = FormatHistoryCsv(Job(), 1, 1);
  EXPECT_EQ(
      metric.substr(0, metric.find("\r\n")),
      "\"Number\",\"Kind\",\"Left amount (ounces)\",\"Left angle (degrees)\",\"Left radius (millimetres)\",\"Right amount (ounces)\",\"Right angle (degrees)\",\"Right radius (millimetres)\"");
  EXPECT_NE(metric.find("\r\n,\"Initial\",0.868,212,89,0.642,48,89\r\n"), std::string::npos);
  History heavy;
  heavy.records[0] = {kHistoryInitial, 3.5 * 28.4, 10, 3.5, 3.5 * 28.3, 20, 3.5};
  heavy.historyCount = 1;
  EXPECT_NE(FormatHistoryCsv(heavy, 1, 0).find(",\"Initial\",1.00,10,3.50,0.998,20,3.50\r\n"),
            std::string::npos);
}

TEST(HistoryCsv, OnlyRecordsInUseAndNoNumberBreaksACell) {
  History h = Job();
  h.historyCount = 2;
  EXPECT_EQ(FormatHistoryCsv(h, 0, 0).find("Final"), std::string::npos);
  History none;
  const std::string empty = FormatHistoryCsv(none, 0, 0);
  EXPECT_EQ(empty.find("\r\n"), empty.size() - 2) << "the header row alone";

  // A damaged value prints as 0 and a zero radius gives no amount, never a
  // text that would shift the columns.
  History odd;
  odd.records[0] = {kHistoryInitial, std::nan(""), HUGE_VAL, 0.0, 5, 90, -1.0};
  odd.historyCount = 1;
  const std::string text = FormatHistoryCsv(odd, 0, 0);
  EXPECT_NE(text.find(",\"Initial\",0.00,0,0.00,0.00,90,-1.00\r\n"), std::string::npos) << text;
}

TEST(HistoryCsv, NamesEndingInCsvAreSpreadsheets) {
  EXPECT_TRUE(IsCsvFileName("C:\\balancer\\job.csv"));
  EXPECT_TRUE(IsCsvFileName("job.CsV"));
  EXPECT_FALSE(IsCsvFileName("job.hst"));
  EXPECT_FALSE(IsCsvFileName("job.csv.hst"));
  EXPECT_FALSE(IsCsvFileName("csv"));
  EXPECT_FALSE(IsCsvFileName(""));
}

TEST(HistoryCsv, SavedCrashSafelyAndTheFolderFollows) {
  test::TempFolder folder;
  MachineSettings settings;
  RecordingOperatorUi ui;
  ASSERT_TRUE(SaveHistoryCsvFile(folder.File("job.csv"), Job(), settings, &ui));
  EXPECT_EQ(folder.Read("job.csv"), FormatHistoryCsv(Job(), 0, 0));
  EXPECT_EQ(settings.historyFolder, folder.Path());
  EXPECT_TRUE(ui.messages.empty());

  // A crash at any step leaves the old spreadsheet or the new one.
  History shorter = Job();
  shorter.historyCount = 1;
  const std::string before = FormatHistoryCsv(shorter, 0, 0);
  const std::string after = FormatHistoryCsv(Job(), 0, 0);
  int kills = test::KillAtEveryStep([&] { folder.Write("job.csv", before); },
                                    [&] {
                                      MachineSettings s;
                                      SaveHistoryCsvFile(folder.File("job.csv"), Job(), s, nullptr);
                                    },
                                    [&](int step) {
                                      const std::string now = folder.Read("job.csv");
                                      EXPECT_TRUE(now == before || now == after) << "step " << step;
                                    });
  EXPECT_GT(kills, 0);

  settings.historyFolder = "C:\\kept";
  EXPECT_FALSE(SaveHistoryCsvFile(folder.File("no such folder/job.csv"), Job(), settings, &ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(settings.historyFolder, "C:\\kept");
}

}  // namespace
}  // namespace balancer
