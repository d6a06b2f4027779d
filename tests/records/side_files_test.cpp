#include "records/side_files.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace balancer {
namespace {

TEST(Preload, ReadsReadingsAndZonesAndTurnsTheReversedRightAngle) {
  std::optional<Preload> p = ParsePreload("12.5 30 8.25 200 10 50 300 20\n", 1);
  ASSERT_TRUE(p);
  EXPECT_DOUBLE_EQ(p->leftMoment, 12.5);
  EXPECT_DOUBLE_EQ(p->rightAngle, 20.0);  // 200 + 180 - 360
  EXPECT_EQ(p->zoneStartRight, 300);
  EXPECT_EQ(p->zoneEndRight, 20);
  EXPECT_DOUBLE_EQ(ParsePreload("1 2 3 360 0 0 0 0", 0)->rightAngle, 0.0);
  EXPECT_DOUBLE_EQ(ParsePreload("1 2 3 359 0 0 0 0", 0)->rightAngle, 359.0);
  EXPECT_FALSE(ParsePreload("1 2 3 4 5 6 7", 0));
  EXPECT_FALSE(ParsePreload("1 2 1e999 4 5 6 7 8", 0));

  test::TempFolder folder;
  EXPECT_FALSE(ReadPreload(folder.Folder(), 0));
}

// A value outside its range makes the whole file count as unreadable, as a
// file cut short does: no zone bound that overflows the planners' arithmetic,
// no moment that turns the transform into NaN.
TEST(Preload, ValuesOutsideTheirRangesMakeTheFileUnreadable) {
  for (const char* text :
       {"1 2 3 4 2147483647 6 7 8", "1 2 3 4 5 6 7 -2147483648", "1 2 3 4 360 6 7 8",
        "1 2 3 4 5 -1 7 8", "3e280 2 3 4 5 6 7 8", "1 2 3e280 4 5 6 7 8", "-1 2 3 4 5 6 7 8",
        "1 -0.5 3 4 5 6 7 8", "1 2 3 1e9 5 6 7 8", "1 2 3 4 99999999999 6 7 8", "1 nan 3 4 5 6 7 8",
        "inf 2 3 4 5 6 7 8"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(ParsePreload(text, 0));
  }
  std::optional<Preload> edge = ParsePreload("1000000 0 0 360 0 359 359 0", 1);
  ASSERT_TRUE(edge);
  EXPECT_DOUBLE_EQ(edge->leftMoment, kReadingMomentMax);
  EXPECT_DOUBLE_EQ(edge->rightAngle, 180.0);
  EXPECT_EQ(edge->zoneEndLeft, 359);

  test::TempFolder folder;
  folder.Write("preload.txt", "12.5 30 8.25 200 10 50 2147483647 20\n");
  EXPECT_FALSE(ReadPreload(folder.Folder(), 0));
}

TEST(CompanyText, IsCutToItsLengthAndWrittenWithoutTerminator) {
  test::TempFolder folder;
  EXPECT_EQ(ReadCompanyText(folder.Folder()), "");
  folder.Write("company.txt", std::string(1000, 'c'));
  EXPECT_EQ(ReadCompanyText(folder.Folder()), std::string(667, 'c'));

  for (size_t length : {kCompanyTextMax, kCompanyTextMax + 1}) {
    std::string text(length, 'k');
    text[100] = '\n';
    ASSERT_TRUE(WriteCompanyText(folder.Folder(), text, nullptr));
    EXPECT_EQ(ReadCompanyText(folder.Folder()), text.substr(0, kCompanyTextMax));
  }

  ASSERT_TRUE(WriteCompanyText(folder.Folder(), "Acme Cranks\r\nMain St.", nullptr));
  EXPECT_EQ(folder.Read("company.txt"), "Acme Cranks\r\nMain St.");
  EXPECT_EQ(ReadCompanyText(folder.Folder()), "Acme Cranks\r\nMain St.");
}

TEST(KnownWeightCalibration, OneEntryPerOpeningAndOnlyWithAReading) {
  MachineSettings s;
  s.correctionRadiusLeft = 2.0;
  s.calibrationFactorLeft = 2.0;
  KnownWeightCalibration c;
  c.WindowOpened();
  EXPECT_FALSE(c.EnterDesiredLeft(s, 10.0, false, 0.0, 1.0));  // no reading yet
  // No spin (or a failed one) measured anything, yet the plane transformation
  // shows a sliver; calibrating on that would make the factor thousands of
  // times too large.
  EXPECT_FALSE(c.TakesLeft(false));
  EXPECT_FALSE(c.EnterDesiredLeft(s, 10.0, false, 0.002, 1.0));
  EXPECT_FALSE(c.EnterDesiredRight(s, 10.0, false, 0.002, 1.0));
  EXPECT_DOUBLE_EQ(s.calibrationFactorLeft, 2.0);
  EXPECT_DOUBLE_EQ(s.calibrationFactorRight, 2.0);
  EXPECT_FALSE(c.leftEntered || c.rightEntered);
  // Shows 16 / 2 / 1 = 8.00; desired 10.00 gives 2.5.
  EXPECT_TRUE(c.TakesLeft(true));
  EXPECT_TRUE(c.EnterDesiredLeft(s, 10.0, true, 16.0, 1.0));
  EXPECT_DOUBLE_EQ(s.calibrationFactorLeft, 2.5);
  EXPECT_FALSE(c.TakesLeft(true));
  EXPECT_FALSE(c.EnterDesiredLeft(s, 20.0, true, 16.0, 1.0));
  EXPECT_DOUBLE_EQ(s.calibrationFactorLeft, 2.5);
  c.WindowOpened();
  EXPECT_FALSE(c.EnterDesiredLeft(s, 0.0, true, 16.0, 1.0));
  EXPECT_TRUE(c.EnterDesiredLeft(s, 4.0, true, 16.0, 1.0));
  EXPECT_DOUBLE_EQ(s.calibrationFactorLeft, 1.25);
  EXPECT_FALSE(CalibratedFactor(2.0, 1.0, 5.0, 0.0, 1.0));
}

}  // namespace
}  // namespace balancer
