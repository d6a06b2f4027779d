// The "Dimension Presets" window's model (ScreenCode 'j'): a toolbar with
// "Clear All ", "Open", "Save" and "Exit", and value boxes for the shaft's
// dimensions under the painted column and row labels.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/field_codes.h"
#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "records/file_request.h"
#include "records/screen_row.h"

namespace balancer {

constexpr char kPresetsTitle[] = "Dimension Presets";
constexpr char kPresetsScreenCode = kScreenPresets;

// Toolbar command ids.
enum : int {
  kPresetsNewId = 390,
  kPresetsOpenId = 391,
  kPresetsSaveId = 392,
  kPresetsExitId = 393,
};

// The question of "Clear All " and the text entry code of the preset name.
constexpr int kPresetsQuestionCode = kFieldNewPresetsQuestion;
constexpr int kPresetNameCode = 22;

struct ToolbarButton {
  int id;
  const char* text;
};

// A value box of the window: its field code and place (client design units).
struct PresetBox {
  int fieldCode = 0;
  DesignBox box;
  bool shown = true;
};

// A painted label (client design units, left top).
struct PresetLabel {
  std::string text;
  int x = 0, y = 0;
  bool shown = true;
};

DesignBox PresetsWindowBox();
// Height of the toolbar band, design units.
constexpr int kPresetsToolbarHeight = 40;
const std::vector<ToolbarButton>& PresetsToolbar();

FileRequest StorePresetRequest(const std::string& presetName, const MachineSettings& settings);
FileRequest RetrievePresetRequest(const MachineSettings& settings);

class PresetsScreen {
 public:
  PresetsScreen(MachineSettings& settings, std::string& presetName, OperatorUi* ui)
      : settings_(settings), presetName_(presetName), ui_(ui) {}

  // The boxes and labels as the mode has them: the "Right" column and
  // "Empty bobweight" only in two-plane mode.
  std::vector<PresetBox> Boxes() const;
  std::vector<PresetLabel> Labels() const;
  // The current preset's name, drawn under the toolbar ("" for none).
  const std::string& Name() const { return presetName_; }

  ScreenPress Press(int id);
  // C "Clear All ", O open, S save, E or X exit (upper-cased first); Esc.
  ScreenPress Key(int character);
  // The name typed on the keyboard before storing.
  ScreenPress NameEntered(const std::string& typed);
  // The dialog's answer; nothing when it was cancelled.
  ScreenPress FileChosen(const FileRequest& request, const std::optional<std::string>& path);
  // The answer to the "Clear All " question (ActionCode 20).
  ScreenPress Answer(int actionCode, bool accepted);

 private:
  MachineSettings& settings_;
  std::string& presetName_;
  OperatorUi* ui_;
};

}  // namespace balancer
