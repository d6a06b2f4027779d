#include "records/presets_screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "records/presets.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

struct PresetsScreenTest : ::testing::Test {
  void SetUp() override {
    settings.twoPlaneMode = 1;
    settings.presetFolder = folder.Path();
  }
  // A copy: two boxes can be compared in one expression.
  std::optional<PresetBox> Box(int code) const {
    const std::vector<PresetBox> boxes = screen.Boxes();
    auto it = std::find_if(boxes.begin(), boxes.end(),
                           [code](const PresetBox& b) { return b.fieldCode == code; });
    if (it == boxes.end()) return std::nullopt;
    return *it;
  }
  bool LabelShown(const std::string& text) const {
    for (const PresetLabel& l : screen.Labels()) {
      if (l.text == text) return l.shown;
    }
    ADD_FAILURE() << "no label " << text;
    return false;
  }
  test::TempFolder folder;
  MachineSettings settings;
  std::string name;
  RecordingOperatorUi ui;
  PresetsScreen screen{settings, name, &ui};
};

TEST_F(PresetsScreenTest, BoxesAndLabelsFollowThePlaneMode) {
  for (int code : {132, 133, 131, 119, 147, 148, 154, 155, 145, 146}) {
    ASSERT_TRUE(Box(code).has_value()) << code;
    EXPECT_TRUE(Box(code)->shown) << code;
  }
  EXPECT_EQ(screen.Boxes().size(), 10u);
  for (const char* text : {"Left", "Right", "Plane offset", "Distance between uprights",
                           "Empty bobweight", "Shaft radius", "CW thickness", "Max drill depth"}) {
    EXPECT_TRUE(LabelShown(text)) << text;
  }
  // The right column stands beside the left one, row by row.
  EXPECT_EQ(Box(148)->box.y, Box(147)->box.y);
  EXPECT_GT(Box(148)->box.x, Box(147)->box.x + Box(147)->box.width);

  settings.twoPlaneMode = 0;
  for (int code : {133, 148, 155, 146, 119}) EXPECT_FALSE(Box(code)->shown) << code;
  for (int code : {132, 131, 147, 154, 145}) EXPECT_TRUE(Box(code)->shown) << code;
  EXPECT_FALSE(LabelShown("Right"));
  EXPECT_FALSE(LabelShown("Empty bobweight"));
  EXPECT_TRUE(LabelShown("Left"));
  EXPECT_TRUE(LabelShown("Shaft radius"));
}

TEST_F(PresetsScreenTest, ToolbarAndKeys) {
  const std::vector<ToolbarButton>& bar = PresetsToolbar();
  ASSERT_EQ(bar.size(), 4u);
  EXPECT_STREQ(bar[0].text, "Clear All ");
  EXPECT_STREQ(bar[1].text, "Open");
  EXPECT_STREQ(bar[2].text, "Save");
  EXPECT_STREQ(bar[3].text, "Exit");

  ScreenPress press = screen.Key('c');
  ASSERT_TRUE(press.message);
  EXPECT_EQ(press.message->caption, "New Dimension Presets");
  EXPECT_EQ(press.message->text, "Clear all dimensions and start with default settings?");
  EXPECT_EQ(press.message->actionCode, kPresetsQuestionCode);

  press = screen.Key('o');
  ASSERT_TRUE(press.dialog);
  EXPECT_FALSE(press.dialog->save);
  EXPECT_EQ(press.dialog->title, "Retrieve Stored Dimension Presets");
  EXPECT_EQ(press.dialog->filterName, "Dimension Preset Files (.jsi files)");
  EXPECT_EQ(press.dialog->patterns, "*.jsi");
  EXPECT_EQ(press.dialog->defaultExtension, "jsi");
  EXPECT_EQ(press.dialog->folder, folder.Path());

  press = screen.Key(27);
  EXPECT_TRUE(press.close);
  EXPECT_TRUE(press.writeSettings);
  EXPECT_TRUE(screen.Press(kPresetsExitId).close);
  EXPECT_FALSE(screen.Key('z').handled);
}

TEST_F(PresetsScreenTest, ClearAllOnlyAfterYes) {
  settings.shaftRadiusLeft = 4.0;
  name = "V8 street";
  ScreenPress press = screen.Answer(kPresetsQuestionCode, false);
  EXPECT_FALSE(press.recompute);
  EXPECT_DOUBLE_EQ(settings.shaftRadiusLeft, 4.0);
  EXPECT_FALSE(screen.Answer(11, true).handled);

  press = screen.Answer(kPresetsQuestionCode, true);
  EXPECT_TRUE(press.recompute);
  EXPECT_TRUE(press.repaint);
  EXPECT_DOUBLE_EQ(settings.shaftRadiusLeft, 3.5);
  EXPECT_DOUBLE_EQ(settings.uprightDistance, 18.0);
  EXPECT_EQ(name, "");
  EXPECT_EQ(screen.Name(), "");
}

TEST_F(PresetsScreenTest, StoreProposesTheNameAndTakesTheChosenFile) {
  name = "V6";
  ScreenPress press = screen.Press(kPresetsSaveId);
  ASSERT_TRUE(press.dialog);
  EXPECT_TRUE(press.dialog->save);
  EXPECT_EQ(press.dialog->title, "Store Dimension Preset Data");
  EXPECT_EQ(press.dialog->proposedName, "V6.jsi");
  name.clear();
  EXPECT_EQ(screen.Press(kPresetsSaveId).dialog->proposedName, "");

  settings.shaftRadiusLeft = 4.25;
  settings.presetFolder = "C:\\elsewhere";
  press = screen.FileChosen(StorePresetRequest(name, settings), folder.File("V8 street.jsi"));
  EXPECT_TRUE(press.repaint);
  EXPECT_EQ(name, "V8 street");
  EXPECT_EQ(settings.presetFolder, folder.Path());
  EXPECT_EQ(folder.Read("V8 street.jsi").substr(0, 6), "4.250\n");
}

TEST_F(PresetsScreenTest, TheTouchKeyboardNamesThePresetFirst) {
  settings.touchscreen = 1;
  name = "V6";
  ScreenPress press = screen.Key('S');
  EXPECT_FALSE(press.dialog);
  ASSERT_TRUE(press.nameEntry);
  EXPECT_EQ(press.nameEntry->code, kPresetNameCode);
  EXPECT_EQ(press.nameEntry->heading, "Enter Dimension Preset name");
  EXPECT_EQ(press.nameEntry->prefill, "V6");

  press = screen.NameEntered("V8 street\r\n");
  EXPECT_EQ(name, "V8 street");
  ASSERT_TRUE(press.dialog);
  EXPECT_EQ(press.dialog->proposedName, "V8 street.jsi");
}

TEST_F(PresetsScreenTest, RetrieveTakesThePresetAndACancelStillSetsTheRadii) {
  settings.shaftRadiusLeft = 4.0;
  settings.shaftRadiusRight = 3.0;
  settings.slugSizeSelected[4] = true;
  ASSERT_TRUE(StorePreset(folder.File("V8 street.jsi"), settings, name, nullptr));

  MachineSettings other;
  other.twoPlaneMode = 1;
  other.correctionRadiusLeft = 2.0;  // edited by hand
  std::string otherName;
  PresetsScreen second(other, otherName, &ui);
  ScreenPress press = second.FileChosen(RetrievePresetRequest(other), folder.File("V8 street.jsi"));
  EXPECT_TRUE(press.recompute);
  EXPECT_TRUE(press.repaint);
  EXPECT_EQ(otherName, "V8 street");
  EXPECT_DOUBLE_EQ(other.shaftRadiusLeft, 4.0);
  EXPECT_DOUBLE_EQ(other.correctionRadiusLeft, 4.0);
  EXPECT_TRUE(other.slugSizeSelected[4]);
  EXPECT_EQ(other.presetFolder, folder.Path());

  // Cancelled: the dimensions stay, the derived radii follow them.
  other.correctionRadiusLeft = 2.5;
  other.shaftRadiusLeft = 3.75;
  press = second.FileChosen(RetrievePresetRequest(other), std::nullopt);
  EXPECT_TRUE(press.recompute);
  EXPECT_EQ(otherName, "V8 street");
  EXPECT_DOUBLE_EQ(other.shaftRadiusLeft, 3.75);
  EXPECT_DOUBLE_EQ(other.correctionRadiusLeft, 3.75);

  // A file that cannot be opened is the same as a cancel.
  press = second.FileChosen(RetrievePresetRequest(other), folder.File("gone.jsi"));
  EXPECT_EQ(otherName, "V8 street");
  EXPECT_DOUBLE_EQ(other.shaftRadiusLeft, 3.75);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace balancer
