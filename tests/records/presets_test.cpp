#include "records/presets.h"

#include <gtest/gtest.h>

#include "records/settings_file.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

TEST(Presets, StoreAndRetrieveRoundTrip) {
  test::TempFolder folder;
  MachineSettings s;
  s.twoPlaneMode = 1;
  s.shaftRadiusLeft = 4.125;
  s.shaftRadiusRight = 3.875;
  s.cwThicknessRight = 1.5;
  s.maxDrillDepthRight = 2.0;
  s.planeOffsetLeft = -0.25;
  s.uprightDistance = 22.5;
  s.emptyBobweight = 1750.5;
  s.slugSizeSelected[30] = true;
  s.slugSizeSelected[2] = true;
  std::string name;
  ASSERT_TRUE(StorePreset(folder.File("V8 street.jsi"), s, name, nullptr));
  EXPECT_EQ(name, "V8 street");
  EXPECT_EQ(
      folder.Read("V8 street.jsi"),
      "4.125\n3.875\n1.250\n1.500\n1.500\n2.000\n-0.250\n22.500\n0.000\n1750.500\n2\n2\n30\n");

  MachineSettings t;
  t.twoPlaneMode = 1;
  t.correctionRadiusLeft = 2.0;  // edited by hand: replaced by the shaft radius
  t.slugSizeSelected[5] = true;
  std::string retrieved;
  ASSERT_TRUE(RetrievePreset(folder.File("V8 street.jsi"), t, retrieved, nullptr));
  EXPECT_EQ(retrieved, "V8 street");
  EXPECT_EQ(t.presetFolder, folder.Path());
  EXPECT_EQ(FormatPreset(t), FormatPreset(s));
  EXPECT_FALSE(t.slugSizeSelected[5]);
  EXPECT_DOUBLE_EQ(t.correctionRadiusLeft, 4.125);
  EXPECT_DOUBLE_EQ(t.drillRadiusLeft, 4.125 - 0.375 - 0.05);
  EXPECT_DOUBLE_EQ(t.slugRadiusRight, 3.875 - 0.5 - 0.15);
  for (const RightSideSet* set : {&t.twoPlaneSet, &t.singlePlaneSet}) {
    EXPECT_DOUBLE_EQ(set->shaftRadiusRight, 3.875);
    EXPECT_DOUBLE_EQ(set->correctionRadiusRight, 3.875);
  }
  // The max depth is kept in the stored set, so it outlives a restart.
  EXPECT_DOUBLE_EQ(t.twoPlaneSet.maxDrillDepthRight, 2.0);
}

TEST(Presets, ShortFilesAndBadIndexes) {
  MachineSettings s;
  s.slugSizeSelected[1] = true;
  ParsePreset("4.0\n3.0\n", s);
  EXPECT_DOUBLE_EQ(s.shaftRadiusLeft, 4.0);
  EXPECT_DOUBLE_EQ(s.cwThicknessLeft, 1.25);  // missing values keep theirs
  EXPECT_FALSE(s.slugSizeSelected[1]);

  // An overflowing value ends the file like a missing one: nothing after it,
  // not even the slug sizes, is taken.
  s.slugSizeSelected[1] = true;
  ParsePreset("5.0\n1e999\n1.0\n1.0\n1.0\n1.0\n0\n18\n0\n0\n1\n4\n", s);
  EXPECT_DOUBLE_EQ(s.shaftRadiusLeft, 5.0);
  EXPECT_DOUBLE_EQ(s.shaftRadiusRight, 3.0);
  EXPECT_FALSE(s.slugSizeSelected[4]);
  s.slugSizeSelected[1] = true;
  ParsePreset("5.0\n1" + std::string(400, '0') + "\n1.0\n1.0\n1.0\n1.0\n0\n18\n0\n0\n1\n4\n", s);
  EXPECT_DOUBLE_EQ(s.shaftRadiusLeft, 5.0);
  EXPECT_DOUBLE_EQ(s.shaftRadiusRight, 3.0);
  EXPECT_DOUBLE_EQ(s.cwThicknessLeft, 1.25);
  EXPECT_FALSE(s.slugSizeSelected[1]);
  EXPECT_FALSE(s.slugSizeSelected[4]);

  // So does a value beyond any dimension.
  s.slugSizeSelected[1] = true;
  ParsePreset("5.0\n3e280\n1.0\n1.0\n1.0\n1.0\n0\n18\n0\n0\n1\n4\n", s);
  EXPECT_DOUBLE_EQ(s.shaftRadiusRight, 3.0);
  EXPECT_FALSE(s.slugSizeSelected[4]);

  ParsePreset("1\n1\n1\n1\n1\n1\n0\n18\n0\n0\n4\n-3\n31\n99999\n7\n", s);
  int marked = 0;
  for (bool selected : s.slugSizeSelected) marked += selected;
  EXPECT_EQ(marked, 1);
  EXPECT_TRUE(s.slugSizeSelected[7]);
}

TEST(Presets, CancelledRetrieveStillRecomputesAndNewRestoresDefaults) {
  MachineSettings s;
  s.shaftRadiusLeft = 3.0;
  std::string name = "old";
  EXPECT_FALSE(RetrievePreset("", s, name, nullptr));
  EXPECT_EQ(name, "old");
  EXPECT_DOUBLE_EQ(s.correctionRadiusLeft, 3.0);

  s.uprightDistance = 30;
  s.maxDrillDepthRight = 4;
  NewPresets(s, name);
  EXPECT_EQ(name, "");
  EXPECT_DOUBLE_EQ(s.uprightDistance, 18.0);
  EXPECT_DOUBLE_EQ(s.drillRadiusLeft, 3.45 - 0.375);
  EXPECT_DOUBLE_EQ(s.slugRadiusLeft, 3.5 - 0.65);
  // Two-plane mode: the working value lands in the two-plane set too.
  EXPECT_DOUBLE_EQ(s.twoPlaneSet.maxDrillDepthRight, 1.5);
}

TEST(Presets, UnwritableFileIsTold) {
  test::TempFolder folder;
  MachineSettings s;
  std::string name = "keep";
  RecordingOperatorUi ui;
  EXPECT_FALSE(StorePreset(folder.File("no/such.jsi"), s, name, &ui));
  EXPECT_EQ(name, "keep");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Error");
}

}  // namespace
}  // namespace balancer
