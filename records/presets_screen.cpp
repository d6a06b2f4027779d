#include "records/presets_screen.h"

#include "base/field_codes.h"
#include "records/presets.h"

namespace balancer {

namespace {

constexpr char kPresetFilter[] = "Dimension Preset Files (.jsi files)";
constexpr char kPresetExtension[] = "jsi";

// Columns of the boxes and the rows, client design units.
constexpr int kLeftColumnX = 300;
constexpr int kRightColumnX = 440;
constexpr int kBoxWidth = 118;
constexpr int kBoxHeight = 30;
constexpr int kHeadingY = 84;
constexpr int kLabelX = 20;

struct Row {
  const char* label;
  int y;
  int left;   // field code in the left column, 0 for none
  int right;  // field code in the right column, 0 for none
};

// The geometry of the planes first, then the counterweights.
const Row kRows[] = {
    {"Plane offset", 116, kFieldPlaneOffsetLeft, kFieldPlaneOffsetRight},
    {"Distance between uprights", 156, kFieldUprightDistance, 0},
    {"Empty bobweight", 196, kFieldEmptyBobweight, 0},
    {"Shaft radius", 252, kFieldCounterweightRadiusLeft, kFieldCounterweightRadiusRight},
    {"CW thickness", 292, kFieldCounterweightThicknessLeft, kFieldCounterweightThicknessRight},
    {"Max drill depth", 332, kFieldMaxDepthLeft, kFieldMaxDepthRight},
};

bool TwoPlane(const MachineSettings& s) {
  return s.twoPlaneMode == 1;
}

}  // namespace

DesignBox PresetsWindowBox() {
  return {350, 110, 580, 384};
}

const std::vector<ToolbarButton>& PresetsToolbar() {
  static const std::vector<ToolbarButton> buttons = {
      {kPresetsNewId, "Clear All "},
      {kPresetsOpenId, "Open"},
      {kPresetsSaveId, "Save"},
      {kPresetsExitId, "Exit"},
  };
  return buttons;
}

FileRequest StorePresetRequest(const std::string& presetName, const MachineSettings& settings) {
  return JobFileRequest(true, "Store Dimension Preset Data", kPresetFilter, kPresetExtension,
                        settings.presetFolder, presetName);
}

FileRequest RetrievePresetRequest(const MachineSettings& settings) {
  return JobFileRequest(false, "Retrieve Stored Dimension Presets", kPresetFilter, kPresetExtension,
                        settings.presetFolder, "");
}

std::vector<PresetBox> PresetsScreen::Boxes() const {
  const bool two = TwoPlane(settings_);
  std::vector<PresetBox> boxes;
  for (const Row& row : kRows) {
    const bool rowShown = row.left != kFieldEmptyBobweight || two;
    boxes.push_back({row.left, {kLeftColumnX, row.y, kBoxWidth, kBoxHeight}, rowShown});
    if (row.right != 0) {
      boxes.push_back({row.right, {kRightColumnX, row.y, kBoxWidth, kBoxHeight}, two});
    }
  }
  return boxes;
}

std::vector<PresetLabel> PresetsScreen::Labels() const {
  const bool two = TwoPlane(settings_);
  std::vector<PresetLabel> labels;
  labels.push_back({"Left", kLeftColumnX + 40, kHeadingY, true});
  labels.push_back({"Right", kRightColumnX + 36, kHeadingY, two});
  for (const Row& row : kRows) {
    labels.push_back({row.label, kLabelX, row.y + 4, row.left != kFieldEmptyBobweight || two});
  }
  return labels;
}

ScreenPress PresetsScreen::Press(int id) {
  ScreenPress press = HandledPress();
  switch (id) {
    case kPresetsNewId:
      press.message = NewPresetsQuestion();
      break;
    case kPresetsOpenId:
      press.dialog = RetrievePresetRequest(settings_);
      break;
    case kPresetsSaveId:
      if (settings_.touchscreen == 1) {
        press.nameEntry = NameEntry{kPresetNameCode, "Enter Dimension Preset name", presetName_};
      } else {
        press.dialog = StorePresetRequest(presetName_, settings_);
      }
      break;
    case kPresetsExitId:
      press.close = true;
      press.writeSettings = true;
      break;
    default:
      press.handled = false;
      break;
  }
  return press;
}

ScreenPress PresetsScreen::Key(int character) {
  int id = KeyedButton(character, kPresetsExitId,
                       {{'C', kPresetsNewId},
                        {'O', kPresetsOpenId},
                        {'S', kPresetsSaveId},
                        {'E', kPresetsExitId},
                        {'X', kPresetsExitId}});
  return id != 0 ? Press(id) : ScreenPress{};
}

ScreenPress PresetsScreen::NameEntered(const std::string& typed) {
  ScreenPress press = HandledPress();
  presetName_ = CleanFileName(typed, ".jsi");
  press.dialog = StorePresetRequest(presetName_, settings_);
  return press;
}

ScreenPress PresetsScreen::FileChosen(const FileRequest& request,
                                      const std::optional<std::string>& path) {
  ScreenPress press = HandledPress();
  const bool chosen = path && !path->empty();
  if (request.save) {
    if (chosen && StorePreset(*path, settings_, presetName_, ui_)) press.repaint = true;
    return press;
  }
  // A cancelled retrieve still sets the derived radii from the shaft radii.
  RetrievePreset(chosen ? *path : std::string(), settings_, presetName_, ui_);
  press.recompute = true;
  press.repaint = true;
  return press;
}

ScreenPress PresetsScreen::Answer(int actionCode, bool accepted) {
  if (actionCode != kPresetsQuestionCode) return ScreenPress{};
  ScreenPress press = HandledPress();
  if (!accepted) return press;
  NewPresets(settings_, presetName_);
  press.recompute = true;
  press.repaint = true;
  return press;
}

}  // namespace balancer
