// The heavy-metal windows' models together with the correction pass: what
// the operator's size selection leads to, and the texts the windows show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "correction/correction_pass.h"
#include "correction/density_screen.h"
#include "correction/heavy_metal_setup_screen.h"
#include "correction/screen_ids.h"
#include "correction/slug_size_screen.h"

namespace balancer {
namespace {

std::vector<std::string> Texts(const std::vector<ScreenItem>& items) {
  std::vector<std::string> texts;
  for (const ScreenItem& item : items) {
    if (item.id == 0) texts.push_back(item.label);
  }
  return texts;
}

// Both sides outside their zones (left heavy spot 90 in a 180-300 zone,
// right 270 in 0-120), the left one much heavier.
struct AutoSelection : ::testing::Test {
  // Checks only `index` in a fresh window, confirms, and runs the pass.
  CorrectionResult SelectOnly(int index) {
    SlugSizeScreen screen(settings, state);
    for (const ScreenItem& item : screen.Items()) {
      if (item.checked) screen.Press(item.id);
    }
    screen.Press(kIdSlugSizeFirst + index);
    EXPECT_TRUE(screen.Press(kIdSelectNow).recompute);
    PlaneReading left{400.0, 90.0};
    PlaneReading right{150.0, 270.0};
    CorrectionResult result = RunCorrectionPass(left, right, settings, zones, state, &ui);
    EXPECT_FALSE(state.autoSelectRequested);
    return result;
  }
  MachineSettings settings;
  CorrectionState state;
  CorrectionZones zones{180, 300, 0, 120};
  RecordingOperatorUi ui;
};

TEST_F(AutoSelection, EachSideWithoutAFittingSizeIsNamedAndKeepsItsSlug) {
  struct Case {
    int index;
    const char* text;
    double leftLength, rightLength;
  };
  const Case cases[] = {
      // 1.0 x 0.85 leaves the heavy left side 14.9 g off; the right takes it.
      {24, "No selected slug sizes fall in range for the Left side.", 1.25, 0.85},
      // 1.0 x 1.25 suits the left only.
      {28, "No selected slug sizes fall in range for the Right side.", 1.25, 1.25},
      {2, "No selected slug sizes fall in range for the\nLeft side and Right side.", 1.25, 1.25},
  };
  for (const Case& c : cases) {
    settings = MachineSettings{};
    ui.messages.clear();
    SelectOnly(c.index);
    ASSERT_EQ(ui.messages.size(), 1u) << c.index;
    EXPECT_EQ(ui.messages[0].caption, "Attention");
    EXPECT_EQ(ui.messages[0].text, c.text);
    EXPECT_DOUBLE_EQ(settings.slugLengthLeft, c.leftLength) << c.index;
    EXPECT_DOUBLE_EQ(settings.slugLengthRight, c.rightLength) << c.index;
    EXPECT_DOUBLE_EQ(settings.slugDiameterLeft, 1.0);
    EXPECT_DOUBLE_EQ(settings.slugRadiusLeft, 2.85);  // restored with the size
  }
}

TEST_F(AutoSelection, AFittingSizeBecomesBothSidesSlugWithoutAMessage) {
  CorrectionResult result = SelectOnly(11);  // 0.75 x 1.1
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_DOUBLE_EQ(settings.slugDiameterLeft, 0.75);
  EXPECT_DOUBLE_EQ(settings.slugLengthRight, 1.1);
  EXPECT_DOUBLE_EQ(settings.slugRadiusLeft, 3.5 - 0.15 - 0.375);
  EXPECT_TRUE(settings.slugSizeSelected[11]);
  EXPECT_EQ(result.left.text.rfind("0.750\"D x 1.100\"L slug at ", 0), 0u) << result.left.text;
  // The next pass plans with the size chosen and asks nothing.
  PlaneReading left{400.0, 90.0};
  PlaneReading right{150.0, 270.0};
  RunCorrectionPass(left, right, settings, zones, state, &ui);
  EXPECT_TRUE(ui.messages.empty());
}

TEST(HeavyMetalSubWindows, ClosingWritesTheSettingsButDropsUnconfirmedChecks) {
  MachineSettings s;
  CorrectionState state;
  SlugSizeScreen sizes(s, state);
  sizes.Press(kIdSlugSizeFirst + 5);
  ScreenPress exit = sizes.Key(kEscapeCharacter);
  EXPECT_TRUE(exit.close && exit.writeSettings);
  EXPECT_FALSE(exit.recompute);
  EXPECT_FALSE(s.slugSizeSelected[5]);
  EXPECT_FALSE(state.autoSelectRequested);
  DensityScreen density(s);
  exit = density.Key('e');
  EXPECT_TRUE(exit.close && exit.writeSettings);
}

TEST(HeavyMetalScreenTexts, SizeSelectionAndDensityNameTheirUnits) {
  MachineSettings s;
  CorrectionState state;
  SlugSizeScreen sizes(s, state);
  EXPECT_EQ(Texts(sizes.Items()), (std::vector<std::string>{"Extra Weight", "grams"}));
  DensityScreen density(s);
  EXPECT_EQ(Texts(density.Items()),
            (std::vector<std::string>{"Slug", "Grams per Cubic Inch", "grams"}));
  s.weightUnit = 1;
  EXPECT_EQ(Texts(sizes.Items()).back(), "ounces");
  EXPECT_EQ(Texts(density.Items()).back(), "ounces");
  HeavyMetalSetupScreen setup(s);
  EXPECT_EQ(Texts(setup.Items()), (std::vector<std::string>{"Left", "Right"}));
}

}  // namespace
}  // namespace balancer
