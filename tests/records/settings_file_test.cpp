#include "records/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "records/text_scanner.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

// A record with a recognisable value in many fields, and its file text.
MachineSettings KnownSettings() {
  MachineSettings s;
  s.shaftRpm = 750;
  s.lagCompensationLeft = -12.34;
  s.lagCompensationRight = 4.06;
  s.emptyBobweight = 1893.25;
  s.correctionRadiusRight = 9.9;  // working value: not in the file
  s.twoPlaneSet.correctionRadiusRight = 3.1;
  s.planeOffsetLeft = -0.5;
  s.sampleQuality = 3;
  s.weightUnit = 1;
  s.calibrationFactorLeft = 2.71828;
  s.toleranceMoment = 13.636;
  s.slugSizeSelected[17] = true;
  s.slugSizeSelected[3] = true;
  s.maxOperatingRpm = 6500.4;
  s.twoPlaneMode = 1;
  s.spareValueB = 1.23456;
  s.reluctorType = 5;
  s.customReluctorWeight = 12.345;
  s.singlePlaneSet.shaftRadiusRight = 4.25;
  s.singlePlaneSet.radialCompensation = 1;
  s.heavyMetalDensity = 280.04;
  s.headerTextColor = 4;
  s.bobweightFolder = "C:\\balancer\\bw";
  s.showCoupleForces = 1;
  return s;
}

const char kKnownFile[] =
    "750\n-12.3\n4.1\n1893.2\n3.500\n3.100\n0.750\n18.000\n-0.500\n0.000\n"   // 1-10
    "3\n0\n1\n0\n5.0\n1\n0\n2.7183\n2.0000\n2.850\n"                          // 11-20
    "2.850\n3.500\n3.500\n1.250\n1.250\n1.500\n1.500\n1.000\n1.000\n1.250\n"  // 21-30
    "1.250\n0.150\n0\n1.000\n1.000\n1.000\n13.64\n0\n0\n"                     // 31-39
    "2\n3\n17\n"                                                              // 40
    "5.0\n20.0\n"                                                             // 41-42
    "1\n0\n0\n1\n60.0\n6500\n1\n1\n1\n0\n1\n1000\n0.0\n1.2346\n"              // 43-56
    "5\n0\n12.35\n0.0\n0\n"                                                   // 57-61
    "3.025\n3.025\n3.500\n3.025\n2.850\n4.250\n"                              // 62-67
    "0\n0.00\n0.00\n280.0\n0.750\n0.750\n0.500\n1\n0\n"                       // 68-76
    "4\n0\n0\n0\n0\n0\n"                                                      // 77-78
    "C:\\balancer\\photoleft.bmp\nC:\\balancer\\photoright.bmp\nC:\\balancer\\bw\n\n"
    "C:\\balancer\nC:\\balancer\\photobottom.bmp\n"
    " \n \n \n \n"
    "1\n";

TEST(SettingsFile, WritesTheKnownRecordByteForByte) {
  EXPECT_EQ(FormatSettings(KnownSettings()), kKnownFile);
}

TEST(SettingsFile, KnownFileLoadsIntoTheFieldsAndWritesBackUnchanged) {
  MachineSettings s;
  ASSERT_TRUE(ParseSettings(kKnownFile, s, nullptr, false));
  EXPECT_EQ(s.shaftRpm, 750);
  EXPECT_DOUBLE_EQ(s.lagCompensationLeft, -12.3);
  EXPECT_DOUBLE_EQ(s.calibrationFactorLeft, 2.7183);
  EXPECT_TRUE(s.slugSizeSelected[3]);
  EXPECT_TRUE(s.slugSizeSelected[17]);
  EXPECT_FALSE(s.slugSizeSelected[4]);
  EXPECT_EQ(s.twoPlaneMode, 1);
  // Working right values come from the two-plane set.
  EXPECT_DOUBLE_EQ(s.correctionRadiusRight, 3.1);
  EXPECT_DOUBLE_EQ(s.singlePlaneSet.shaftRadiusRight, 4.25);
  EXPECT_DOUBLE_EQ(s.singlePlaneSet.maxDrillDepthRight, 0.5);
  EXPECT_EQ(s.headerTextColor, 4);
  EXPECT_EQ(s.bobweightFolder, "C:\\balancer\\bw");
  EXPECT_EQ(s.presetFolder, "");  // empty line keeps the current value
  EXPECT_EQ(s.showCoupleForces, 1);
  // The custom reluctor is set up from the loaded type.
  EXPECT_DOUBLE_EQ(s.simulatedReluctorWeight, 12.35);
  EXPECT_EQ(FormatSettings(s), kKnownFile);
}

TEST(SettingsFile, HandWrittenFileWithLooseWhiteSpaceAndCrLfLoads) {
  // Values need only be separated by white space; text lines may end in CR LF.
  std::string text =
      "300 1.5 -2.5 0 3 3 .5 20 1 1 1 1 0 1 4 1 1 2.5 2.25 2 2 3 3 1 1 1 1 1 1 1 1 0.1 1 1 1 1 5 1 2\r\n"
      "1 30\r\n"
      "4 25 0 1 2 1 50 4000 0 2 0 1 1 500 7 1.5\r\n"
      "2 1 0 0 3\r\n"
      "2.1 2.2 2.5 2.4 2.0 2.5\r\n"
      "1 100 120 300 0.5 0.625 1 1 0\r\n"
      "2 0 0 0 0 0\r\n"
      "D:\\photos\\l.bmp\r\n"
      "D:\\photos\\r.bmp\r\n"
      "\r\n"
      "\r\n"
      "D:\\hist\r\n"
      "\r\n"
      " \r\n"
      " \r\n"
      " \r\n"
      " \r\n"
      "0\r\n";
  MachineSettings s;
  ASSERT_TRUE(ParseSettings(text, s, nullptr, false));
  EXPECT_EQ(s.shaftRpm, 300);
  EXPECT_DOUBLE_EQ(s.drillDiameterLeft, 0.5);
  EXPECT_EQ(s.weightUnit, 1);
  EXPECT_EQ(s.lengthUnit, 1);
  EXPECT_DOUBLE_EQ(s.calibrationFactorRight, 2.25);
  EXPECT_EQ(s.scaleType, 2);
  EXPECT_TRUE(s.slugSizeSelected[30]);
  EXPECT_DOUBLE_EQ(s.maxExtraWeight, 25.0);
  EXPECT_EQ(s.twoPlaneMode, 0);
  EXPECT_EQ(s.encoderCountIndex, 2);
  EXPECT_DOUBLE_EQ(s.spareValueB, 1.5);
  EXPECT_EQ(s.reluctorType, 2);
  EXPECT_DOUBLE_EQ(s.simulatedReluctorWeight, 115.0);
  EXPECT_EQ(s.suspension, 1);
  EXPECT_DOUBLE_EQ(s.sideWeightLeft, 100.0);
  // Single-plane mode: the working right side is the single-plane set, with
  // its drill radius fitted to shaft 2.5 and drill 0.625.
  EXPECT_DOUBLE_EQ(s.shaftRadiusRight, 2.5);
  EXPECT_DOUBLE_EQ(s.drillDiameterRight, 0.625);
  EXPECT_DOUBLE_EQ(s.maxDrillDepthRight, 1.0);
  EXPECT_DOUBLE_EQ(s.drillRadiusRight, 2.5 - 0.05 - 0.3125);
  EXPECT_EQ(s.radialCompensation, 1);
  EXPECT_EQ(s.headerTextColor, 2);
  EXPECT_EQ(s.leftPhotoPath, "D:\\photos\\l.bmp");
  EXPECT_EQ(s.historyFolder, "D:\\hist");
  EXPECT_EQ(s.bottomPhotoPath, "C:\\balancer\\photobottom.bmp");
}

// Cuts the known file after `values` whitespace-separated values.
std::string FirstValues(int values) {
  std::string text = kKnownFile;
  TextScanner scanner(text);
  double ignored;
  for (int i = 0; i < values; ++i) scanner.Double(ignored);
  return text.substr(0, scanner.Position());
}

TEST(SettingsFile, EachBlockCutShortFailsAndKeepsWhatWasRead) {
  // Value counts at which each checked block is one value short.
  struct Cut {
    int values;
    const char* where;
  };
  // 39 fields, count 2 + 2 indexes, 2, 14, 5, 6, 9.
  for (Cut cut : {Cut{38, "fields 1-39"}, Cut{39, "slug count"}, Cut{41, "slug index"},
                  Cut{43, "fields 41-42"}, Cut{57, "fields 43-56"}, Cut{62, "fields 57-61"},
                  Cut{68, "fields 62-67"}, Cut{77, "fields 68-76"}}) {
    SCOPED_TRACE(cut.where);
    MachineSettings s;
    RecordingOperatorUi ui;
    EXPECT_FALSE(ParseSettings(FirstValues(cut.values), s, &ui, true));
    EXPECT_EQ(s.shaftRpm, 750);  // the first value was taken over
    // Only the first block's failure is reported.
    EXPECT_EQ(ui.messages.size(), cut.values < 39 ? 1u : 0u);
  }
  // Everything from field 77 on is optional.
  MachineSettings s;
  EXPECT_TRUE(ParseSettings(FirstValues(78), s, nullptr, true));
}

TEST(SettingsFile, CutInsideFields43To56KeepsFields1To42) {
  MachineSettings s;
  EXPECT_FALSE(ParseSettings(FirstValues(50), s, nullptr, false));
  EXPECT_DOUBLE_EQ(s.maxExtraWeight, 20.0);
  EXPECT_TRUE(s.slugSizeSelected[17]);
  EXPECT_EQ(s.bobweightDetail, 1);
  EXPECT_DOUBLE_EQ(s.maxOperatingRpm, 6500.0);                // the last value before the cut
  EXPECT_EQ(s.twoPlaneMode, MachineSettings{}.twoPlaneMode);  // field 49 was not reached
  // No post-read steps after a failure: working values untouched.
  EXPECT_DOUBLE_EQ(s.correctionRadiusRight, 3.5);
}

TEST(SettingsFile, FirstBlockFailureShowsTheLoadErrorOnlyWhenAsked) {
  MachineSettings s;
  RecordingOperatorUi ui;
  EXPECT_FALSE(ParseSettings("500\n1.0\n", s, &ui, false));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(ParseSettings("500\n1.0\n", s, &ui, true));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Attention");
  EXPECT_EQ(ui.messages[0].text,
            "There was an error while attempting to load the configuration file.\n\n"
            "Various software settings may need to be checked.");
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

TEST(SettingsFile, SlugSelectionsRejectBadCountsAndStayInsideTheTable) {
  MachineSettings s;
  EXPECT_FALSE(ParseSettings(Replace(kKnownFile, "0\n0\n2\n3\n17\n", "0\n0\n32\n3\n17\n"), s,
                             nullptr, false));
  // Indexes outside 0..30 are passed over; marks add to those present.
  MachineSettings t;
  t.slugSizeSelected[5] = true;
  ASSERT_TRUE(ParseSettings(Replace(kKnownFile, "0\n0\n2\n3\n17\n", "0\n0\n3\n-1\n31\n2000000\n"),
                            t, nullptr, false));
  int marked = 0;
  for (bool selected : t.slugSizeSelected) marked += selected;
  EXPECT_EQ(marked, 1);
  EXPECT_TRUE(t.slugSizeSelected[5]);
}

TEST(SettingsFile, LoadCorrectsOutOfRangeValues) {
  std::string text =
      Replace(kKnownFile, "18.000\n-0.500\n0.000\n3\n", "18.000\n-0.500\n0.000\n0\n");  // quality 0
  text = Replace(text, "280.0\n", "340\n");
  text = Replace(text, "4\n0\n0\n0\n0\n0\nC:", "9\n0\n0\n0\n0\n0\nC:");
  MachineSettings s;
  ASSERT_TRUE(ParseSettings(text, s, nullptr, false));
  EXPECT_EQ(s.sampleQuality, 1);
  EXPECT_DOUBLE_EQ(s.heavyMetalDensity, 320.0);
  EXPECT_EQ(s.headerTextColor, 1);
}

TEST(SettingsFile, OverlongPathLineIsCutAndTheLaterFieldsStayInPlace) {
  std::string longPath(200, 'x');
  std::string text = Replace(kKnownFile, "C:\\balancer\\photoleft.bmp\n", longPath + "\n");
  MachineSettings s;
  ASSERT_TRUE(ParseSettings(text, s, nullptr, false));
  EXPECT_EQ(s.leftPhotoPath, std::string(159, 'x'));
  EXPECT_EQ(s.rightPhotoPath, "C:\\balancer\\photoright.bmp");
  EXPECT_EQ(s.bobweightFolder, "C:\\balancer\\bw");
}

// Every text field at its longest and one longer, each alone and all at once:
// written and read back, each field is its value cut to the field and no
// field moves into another's line.
TEST(SettingsFile, TextFieldsAtTheirLengthRoundTrip) {
  struct TextField {
    std::string MachineSettings::*field;
    size_t max;
  };
  const TextField fields[] = {
      {&MachineSettings::leftPhotoPath, kPhotoPathMax},
      {&MachineSettings::rightPhotoPath, kPhotoPathMax},
      {&MachineSettings::bobweightFolder, kFolderPathMax},
      {&MachineSettings::presetFolder, kFolderPathMax},
      {&MachineSettings::historyFolder, kFolderPathMax},
      {&MachineSettings::bottomPhotoPath, kPhotoPathMax},
  };
  for (size_t extra : {0u, 1u}) {
    for (int only = -1; only < 6; ++only) {
      SCOPED_TRACE(testing::Message() << "extra " << extra << " field " << only);
      MachineSettings written = KnownSettings();
      for (int i = 0; i < 6; ++i) {
        if (only >= 0 && i != only) continue;
        written.*fields[i].field = std::string(fields[i].max + extra, static_cast<char>('a' + i));
      }
      MachineSettings read;
      ASSERT_TRUE(ParseSettings(FormatSettings(written), read, nullptr, false));
      for (const TextField& f : fields) {
        EXPECT_EQ(read.*f.field, (written.*f.field).substr(0, f.max));
      }
      EXPECT_EQ(read.showCoupleForces, written.showCoupleForces);
      // A second save and load (the next restart) changes nothing either.
      MachineSettings again;
      ASSERT_TRUE(ParseSettings(FormatSettings(read), again, nullptr, false));
      for (const TextField& f : fields) EXPECT_EQ(again.*f.field, read.*f.field);
    }
  }
}

TEST(SettingsFile, LineEndsInsideATextFieldDoNotShiftTheFile) {
  MachineSettings written = KnownSettings();
  written.presetFolder = "D:\\one\ntwo\r";
  MachineSettings read;
  ASSERT_TRUE(ParseSettings(FormatSettings(written), read, nullptr, false));
  EXPECT_EQ(read.presetFolder, "D:\\one two ");
  EXPECT_EQ(read.historyFolder, written.historyFolder);
  EXPECT_EQ(read.bottomPhotoPath, written.bottomPhotoPath);
}

// A value beyond the file's range reads as a damaged one: the read fails
// there, as for a value that is no number, and the start-up falls back to the
// backup. The writer never writes one, so every file it writes reads back.
TEST(SettingsFile, ValuesBeyondTheRangeAreNeitherWrittenNorRead) {
  MachineSettings written = KnownSettings();
  written.calibrationFactorLeft = -1.7e308;
  written.lagCompensationRight = std::nan("");
  written.twoPlaneSet.correctionRadiusRight = 3e9;
  MachineSettings read;
  ASSERT_TRUE(ParseSettings(FormatSettings(written), read, nullptr, false));
  EXPECT_DOUBLE_EQ(read.calibrationFactorLeft, -kRecordValueMax);
  EXPECT_DOUBLE_EQ(read.lagCompensationRight, 0.0);
  EXPECT_EQ(read.bobweightFolder, written.bobweightFolder);

  for (const char* bad : {"inf", "1e999", "1000000.1", "-2e6", "nan"}) {
    SCOPED_TRACE(bad);
    MachineSettings s;
    EXPECT_FALSE(ParseSettings(Replace(kKnownFile, "\n-12.3\n", std::string("\n") + bad + "\n"), s,
                               nullptr, false));
    EXPECT_DOUBLE_EQ(s.lagCompensationLeft, MachineSettings{}.lagCompensationLeft);
  }
  MachineSettings edge;
  EXPECT_TRUE(
      ParseSettings(Replace(kKnownFile, "\n-12.3\n", "\n-1000000\n"), edge, nullptr, false));
  EXPECT_DOUBLE_EQ(edge.lagCompensationLeft, -kRecordValueMax);
}

TEST(SettingsFile, AFailedReadStopsAtTheValueItCouldNotRead) {
  // What was read before stays; nothing after the bad value is touched, not
  // even by reading the digits of "1e999" as the next int.
  MachineSettings s;
  EXPECT_FALSE(ParseSettings(Replace(kKnownFile, "-12.3\n", "1e999\n"), s, nullptr, false));
  EXPECT_EQ(s.shaftRpm, 750);
  EXPECT_DOUBLE_EQ(s.lagCompensationLeft, 0.0);
  EXPECT_EQ(s.sampleQuality, 2);
  EXPECT_DOUBLE_EQ(s.calibrationFactorLeft, 2.0);

  s = MachineSettings{};
  std::string huge = "1" + std::string(400, '0') + "\n";
  EXPECT_FALSE(ParseSettings(Replace(kKnownFile, "60.0\n", huge), s, nullptr, false));
  EXPECT_EQ(s.toleranceClass, 1);
  EXPECT_EQ(s.twoPlaneMode, 1);
  EXPECT_DOUBLE_EQ(s.maxOperatingRpm, 6000.0);
  EXPECT_DOUBLE_EQ(s.calibrationFactorLeft, 2.7183);  // the blocks before were taken
}

TEST(SettingsFile, GarbageInsteadOfNumbersFailsTheRead) {
  MachineSettings s;
  EXPECT_FALSE(ParseSettings(Replace(kKnownFile, "1.2346\n", "nan\n"), s, nullptr, false));
  EXPECT_FALSE(ParseSettings(Replace(kKnownFile, "1.2346\n", "1e999\n"), s, nullptr, false));
  EXPECT_FALSE(ParseSettings("", s, nullptr, false));
  EXPECT_FALSE(ParseSettings(std::string("\xff\xfe garbage", 11), s, nullptr, false));
}

TEST(SettingsFile, WriteReplacesTheWholeFileAndReportsFailure) {
  test::TempFolder folder;
  folder.Write("balsetup.dta", std::string(5000, 'z'));
  ASSERT_TRUE(writeSettings(folder.File("balsetup.dta"), KnownSettings(), nullptr));
  EXPECT_EQ(folder.Read("balsetup.dta"), kKnownFile);
  EXPECT_FALSE(folder.Exists("balsetup.dta.tmp"));

  RecordingOperatorUi ui;
  EXPECT_FALSE(writeSettings(folder.File("missing/balsetup.dta"), KnownSettings(), &ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Error");
  EXPECT_NE(ui.messages[0].text.find("balsetup.dta"), std::string::npos);
}

TEST(SettingsFile, ReadSettingsOfAMissingFileFails) {
  test::TempFolder folder;
  MachineSettings s;
  RecordingOperatorUi ui;
  EXPECT_FALSE(readSettings(folder.File("balsetup.dta"), s, &ui, true));
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
// A file whose right-side set holds no shaft radius and a wide drill: the
// drill radius limit must not go below the smallest radius, or each restart
// moves it further (0, then -5.05).
TEST(SettingsFile, ADegenerateRightSetReadsTheSameAfterEveryWrite) {
  const std::string file =
      "500\n0.0\n0.0\n0.0\n3.500\n3.500\n0.750\n18.000\n0.000\n0.000\n2\n0\n"
      "1\n0\n5.0\n0\n0\n2.0000\n2.0000\n2.850\n2.850\n3.500\n50.03\n1.250\n"
      "1.5\n102.500\n1.500\n1.000\n1.006\n1.250\n1.250\n0.150\n0\n1.000\n1.000\n1.000\n"
      "13.64\n0\n0\n0\n5.0\n20.0\n1\n0\n0\n1\n60.0\n6000\n"
      "1\n1\n1\n0\n1\n1000\n0.0\n1.0000\n0\n0\n0.00\n0.000\n"
      "13.64\n0\n0\n0\n5.0\n20.0\n1\n0\n0\n1\n60.0\n6000\n"
      "1\n1\n1\n0\n1\n100500\n0.0\n0.0\n0.0\n3.500\n3.500\n0.750\n"
      "18.000\n0.000\n0.000\n2\n0\n1\n0\n50\n.";
  MachineSettings first;
  ASSERT_TRUE(ParseSettings(file, first, nullptr, false));
  const std::string written = FormatSettings(first);
  MachineSettings second;
  ASSERT_TRUE(ParseSettings(written, second, nullptr, false));
  EXPECT_EQ(FormatSettings(second), written);
  EXPECT_GE(second.twoPlaneSet.drillRadiusRight, 0.1);
}

}  // namespace balancer
