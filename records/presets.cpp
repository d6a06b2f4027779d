#include "records/presets.h"

#include <cstdio>

#include "base/field_codes.h"
#include "records/atomic_file.h"
#include "records/number_text.h"
#include "records/settings_file.h"
#include "records/text_scanner.h"

namespace balancer {

std::string FormatPreset(const MachineSettings& s) {
  std::string out;
  for (double value : {s.shaftRadiusLeft, s.shaftRadiusRight, s.cwThicknessLeft, s.cwThicknessRight,
                       s.maxDrillDepthLeft, s.maxDrillDepthRight, s.planeOffsetLeft,
                       s.uprightDistance, s.planeOffsetRight, s.emptyBobweight}) {
    out += FormatText("%1.3f\n", RecordValue(value));
  }
  int count = 0;
  for (bool selected : s.slugSizeSelected) count += selected ? 1 : 0;
  out += FormatText("%d\n", count);
  for (int i = 0; i < kSlugSizeCount; ++i) {
    if (!s.slugSizeSelected[i]) continue;
    out += FormatText("%d\n", i);
  }
  return out;
}

void ParsePreset(const std::string& text, MachineSettings& s) {
  TextScanner in(text);
  bool complete = true;
  for (double* value :
       {&s.shaftRadiusLeft, &s.shaftRadiusRight, &s.cwThicknessLeft, &s.cwThicknessRight,
        &s.maxDrillDepthLeft, &s.maxDrillDepthRight, &s.planeOffsetLeft, &s.uprightDistance,
        &s.planeOffsetRight, &s.emptyBobweight}) {
    double read = 0.0;
    if (!in.Double(read) || !NumberInRange(read, -kRecordValueMax, kRecordValueMax)) {
      complete = false;
      break;
    }
    *value = read;
  }
  s.slugSizeSelected = {};
  // After a value that cannot be read (or is too large to be a number) the
  // count would be read from the middle of that value.
  int count = 0;
  if (!complete || !in.Int(count)) return;
  for (int i = 0; i < count && i < kSlugSizeCount; ++i) {
    int index = 0;
    if (!in.Int(index)) break;
    if (index >= 0 && index < kSlugSizeCount) s.slugSizeSelected[index] = true;
  }
}

void NewPresets(MachineSettings& s, std::string& presetName) {
  presetName.clear();
  s.shaftRadiusLeft = s.shaftRadiusRight = 3.5;
  s.correctionRadiusLeft = s.correctionRadiusRight = 3.5;
  for (RightSideSet* set : {&s.twoPlaneSet, &s.singlePlaneSet}) {
    set->shaftRadiusRight = 3.5;
    set->correctionRadiusRight = 3.5;
  }
  s.cwThicknessLeft = s.cwThicknessRight = 1.25;
  s.maxDrillDepthLeft = s.maxDrillDepthRight = 1.5;
  s.planeOffsetLeft = s.planeOffsetRight = 0.0;
  s.uprightDistance = 18.0;
  s.emptyBobweight = 0.0;
  s.drillRadiusLeft = 3.45 - s.drillDiameterLeft / 2.0;
  s.drillRadiusRight = 3.45 - s.drillDiameterRight / 2.0;
  s.slugRadiusLeft = 3.5 - (s.slugDiameterLeft / 2.0 + s.slugWebThickness);
  s.slugRadiusRight = 3.5 - (s.slugDiameterRight / 2.0 + s.slugWebThickness);
  for (RightSideSet* set : {&s.twoPlaneSet, &s.singlePlaneSet}) {
    set->drillRadiusRight = s.drillRadiusRight;
    set->slugRadiusRight = s.slugRadiusRight;
  }
  // The working max depth would otherwise fall back to the stored one at the
  // next start.
  StoreWorkingRightToSet(s);
}

void RecomputePresetRadii(MachineSettings& s, OperatorUi* ui) {
  s.correctionRadiusLeft = s.shaftRadiusLeft;
  s.correctionRadiusRight = s.shaftRadiusRight;
  s.drillRadiusLeft = s.shaftRadiusLeft - (s.drillDiameterLeft / 2.0 + 0.05);
  s.drillRadiusRight = s.shaftRadiusRight - (s.drillDiameterRight / 2.0 + 0.05);
  s.slugRadiusLeft = s.shaftRadiusLeft - (s.slugDiameterLeft / 2.0 + s.slugWebThickness);
  s.slugRadiusRight = s.shaftRadiusRight - (s.slugDiameterRight / 2.0 + s.slugWebThickness);
  for (RightSideSet* set : {&s.twoPlaneSet, &s.singlePlaneSet}) {
    set->correctionRadiusRight = s.shaftRadiusRight;
    set->shaftRadiusRight = s.shaftRadiusRight;
    set->drillRadiusRight = s.drillRadiusRight;
    set->slugRadiusRight = s.slugRadiusRight;
  }
  // The preset's max depth must survive a restart too.
  CurrentRightSet(s).maxDrillDepthRight = s.maxDrillDepthRight;
  RangeLimit(s, ui);
}

bool StorePreset(const std::string& path, MachineSettings& s, std::string& presetName,
                 OperatorUi* ui) {
  if (!WriteFileAtomically(path, FormatPreset(s))) {
    if (ui) ui->ShowMessage(FileWriteErrorMessage(path));
    return false;
  }
  s.presetFolder = FolderOfPath(path).substr(0, kFolderPathMax);
  presetName = BaseNameOfPath(path);
  return true;
}

bool RetrievePreset(const std::string& path, MachineSettings& s, std::string& presetName,
                    OperatorUi* ui) {
  bool read = false;
  if (!path.empty()) {
    if (std::optional<std::string> text = ReadWholeFile(path)) {
      presetName = BaseNameOfPath(path);
      ParsePreset(*text, s);
      s.presetFolder = FolderOfPath(path).substr(0, kFolderPathMax);
      RangeLimit(s, ui);
      read = true;
    }
  }
  RecomputePresetRadii(s, ui);
  return read;
}

OperatorMessage NewPresetsQuestion() {
  return MakeQuestion("New Dimension Presets",
                      "Clear all dimensions and start with default settings?", kDarkBlueText,
                      kBeepAsterisk, 340, 200, 600, 180, "YES", 70, "NO", 70,
                      kFieldNewPresetsQuestion);
}

}  // namespace balancer
