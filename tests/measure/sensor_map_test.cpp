#include "measure/sensor_map.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "base/operator_ui.h"

namespace balancer {
namespace {

std::string TempPath(const std::string& name) {
  return std::string(BALANCER_BINARY_DIR) + "/measure_test_" + name;
}

std::string WriteFile(const std::string& name, const std::string& contents) {
  std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << contents;
  return path;
}

const char kTwoRows[] =
    "speed lgain lphase rgain rphase x y\n"
    "0 1 0 1 0 1 0\n"
    "1000 1 0 1 0 1 0\n";

TEST(SensorMap, DefaultsAndInterpolation) {
  SensorMap map;
  SensorMapDefaults(map);
  EXPECT_EQ(map.rowCount, 20);
  EXPECT_EQ(map.column[0][4], ReferenceSpeed);
  EXPECT_EQ(map.column[0][19], 100000.0);
  EXPECT_EQ(map.column[0][20], 0.0);
  EXPECT_EQ(map.column[1][20], 0.0);
  SensorMapValues v = InterpolateSensorMap(map, 400.0);
  EXPECT_EQ(v.row, 4);
  EXPECT_EQ(v.leftGain, 1.0);
  EXPECT_EQ(v.rightPhase, 0.0);

  map.column[2][4] = 2.0;
  map.column[2][5] = 4.0;
  EXPECT_DOUBLE_EQ(InterpolateSensorMap(map, 450.0).leftPhase, 3.0);
  // Below the first row extrapolates from rows 0 and 1.
  map.column[3][0] = 1.0;
  map.column[3][1] = 2.0;
  EXPECT_DOUBLE_EQ(InterpolateSensorMap(map, -100.0).rightGain, 0.0);
}

TEST(SensorMap, BeyondTheTableStaysInsideAndFinite) {
  SensorMap map;
  SensorMapDefaults(map);
  SensorMapValues v = InterpolateSensorMap(map, 200000.0);
  EXPECT_EQ(v.row, 24);
  EXPECT_EQ(v.leftGain, v.leftGain);  // not NaN
  EXPECT_EQ(v.rightGain, v.rightGain);
}

TEST(SensorMap, LoadsFileWithMatchingChecksum) {
  std::string path = WriteFile("ok.dta", std::string(kTwoRows) + "1006\n");
  SensorMap map;
  RecordingOperatorUi ui;
  EXPECT_TRUE(LoadSensorMap(path, 0, map, ui));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(map.column[0][1], 1000.0);
  // The checksum becomes row 2's speed; the row keeps its default gains.
  EXPECT_EQ(map.column[0][2], 1006.0);
  EXPECT_EQ(map.column[1][2], 1.0);
  map.column[1][2] = 2.0;
  EXPECT_DOUBLE_EQ(InterpolateSensorMap(map, 1003.0).leftGain, 1.5);
}

TEST(SensorMap, RejectsBadChecksumShortRowsAndMissingChecksum) {
  struct Case {
    const char* name;
    std::string contents;
    const char* sumText;
    const char* checksumText;
  } cases[] = {
      {"bad.dta", std::string(kTwoRows) + "1006.0001\n", "1006.0000", "1006.0001"},
      // A short row: its first number counts as the checksum.
      {"short.dta", std::string(kTwoRows) + "500 1 0\n1006\n", "1006.0000", "500.0000"},
      // No checksum line: row 2's default speed stands in for it.
      {"nosum.dta", kTwoRows, "1006.0000", "200.0000"},
      {"text.dta", std::string(kTwoRows) + "abc\n1006\n", "1006.0000", "200.0000"},
  };
  for (const Case& c : cases) {
    std::string path = WriteFile(c.name, c.contents);
    SensorMap map;
    RecordingOperatorUi ui;
    EXPECT_FALSE(LoadSensorMap(path, 0, map, ui)) << c.name;
    ASSERT_EQ(ui.messages.size(), 1u) << c.name;
    EXPECT_EQ(ui.messages[0].caption, "Attention");
    std::string expected = std::string(
                               "Sensor map file checksum error.\n"
                               "Default values have been loaded.\n\n"
                               "Calculated checksum ") +
                           c.sumText + "\nMap file checksum " + c.checksumText;
    EXPECT_EQ(ui.messages[0].text, expected) << c.name;
    EXPECT_EQ(ui.messages[0].x, 390);
    EXPECT_EQ(ui.messages[0].height, 250);
    // Defaults again.
    EXPECT_EQ(map.column[0][1], 100.0) << c.name;
    EXPECT_EQ(map.column[0][2], 200.0) << c.name;
    EXPECT_EQ(map.column[1][0], 1.0) << c.name;
  }
}

// "inf" equals "inf", so a checksum test alone would let an infinite value
// through and turn every reading into nothing. A number that is not finite
// ends the rows like any other text, and the checksum no longer matches.
TEST(SensorMap, InfiniteOrHugeValuesAreRefusedWithTheDefaults) {
  for (const char* bad : {"inf", "INF", "-inf", "nan", "1e999", "0x10"}) {
    SCOPED_TRACE(bad);
    std::string text = std::string(kTwoRows) + "2000 " + bad + " 0 1 0 1 0\n" + bad + "\n";
    SensorMap map;
    double sum = 0.0, checksum = 0.0;
    EXPECT_EQ(ParseSensorMap(text, map, sum, checksum), SensorMapParse::kChecksumError);
    EXPECT_EQ(map.column[1][2], 1.0);
    EXPECT_EQ(map.column[0][2], 200.0);
    SensorMapValues v = InterpolateSensorMap(map, 2000.0);
    EXPECT_DOUBLE_EQ(v.leftGain, 1.0);
    EXPECT_DOUBLE_EQ(v.rightPhase, 0.0);
  }
  // A sum that overflows never matches a finite checksum either.
  std::string overflow = std::string(kTwoRows) + "1e308 1e308 0 1 0 1 0\n1e308\n";
  SensorMap map;
  double sum = 0.0, checksum = 0.0;
  EXPECT_EQ(ParseSensorMap(overflow, map, sum, checksum), SensorMapParse::kChecksumError);
  RecordingOperatorUi ui;
  EXPECT_FALSE(LoadSensorMap(WriteFile("inf.dta", std::string(kTwoRows) + "inf 1 0 1 0 1 0\ninf\n"),
                             0, map, ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Attention");
}

TEST(SensorMap, MoreRowsThanTheTableHoldsAreRefused) {
  for (int rows : {24, 25, 30}) {
    std::string text = "header\n";
    double sum = 0.0;
    for (int r = 0; r < rows; ++r) {
      char line[128];
      std::snprintf(line, sizeof line, "%d 1 0 1 0 1 0\n", r * 100);
      text += line;
      sum = (r * 100.0 + 3.0) + sum;
    }
    char last[64];
    std::snprintf(last, sizeof last, "%1.1f\n", sum);
    text += last;
    SensorMap map;
    RecordingOperatorUi ui;
    bool loaded = LoadSensorMap(WriteFile("rows.dta", text), 0, map, ui);
    if (rows == 24) {
      EXPECT_TRUE(loaded);
      EXPECT_EQ(map.column[0][23], 2300.0);
      EXPECT_EQ(map.column[0][24], sum);
    } else {
      EXPECT_FALSE(loaded) << rows;
      ASSERT_EQ(ui.messages.size(), 1u);
      EXPECT_EQ(ui.messages[0].caption, "Attention");
      EXPECT_EQ(map.column[0][19], 100000.0);
    }
  }
}

TEST(SensorMap, MissingFileWarnsOnlyForSoftBearing) {
  SensorMap map;
  RecordingOperatorUi hard;
  EXPECT_FALSE(LoadSensorMap(TempPath("does_not_exist.dta"), 0, map, hard));
  EXPECT_TRUE(hard.messages.empty());
  EXPECT_EQ(map.column[0][4], 400.0);
  RecordingOperatorUi soft;
  EXPECT_FALSE(LoadSensorMap(TempPath("does_not_exist.dta"), 1, map, soft));
  ASSERT_EQ(soft.messages.size(), 1u);
  EXPECT_EQ(soft.messages[0].caption, "WARNING");
  EXPECT_EQ(soft.messages[0].text.substr(0, 47), std::string(46, ' ') + "W");
  EXPECT_TRUE(soft.messages[0].colour == kRedText);
  EXPECT_EQ(soft.messages[0].width, 564);
}

}  // namespace
}  // namespace balancer
