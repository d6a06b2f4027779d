#include "records/machine_setup_screen.h"

#include <cstdio>

#include "base/unit_text.h"
#include "device/control_commands.h"
#include "records/number_text.h"

namespace balancer {

namespace {

// Two columns; values to the right of each button.
constexpr int kTop = 24;
constexpr int kStep = 54;
constexpr int kButtonWidth = 250;
constexpr int kButtonHeight = 40;
constexpr int kColumnX[2] = {24, 520};
constexpr int kValueGap = 16;
constexpr int kValueWidth = 210;
// With the photo-eye rows the second column holds ten buttons above Exit.
constexpr int kRowsPerColumn = 11;

void Place(ScreenItem& row, int column, int slot) {
  row.place = {kColumnX[column], kTop + slot * kStep, kButtonWidth, kButtonHeight};
  row.valueBox = {kColumnX[column] + kButtonWidth + kValueGap, kTop + slot * kStep, kValueWidth,
                  kButtonHeight};
}

const char* SpeedControlName(int speedControl) {
  switch (speedControl) {
    case 1:
      return "Auto";
    case 2:
      return "Semi-Auto";
    default:
      return "Manual";
  }
}

int Toggled(int value) {
  return value == 1 ? 0 : 1;
}

void SendAndNote(ScreenPress& press, int sent) {
  if (sent >= 0) press.sentBytes.push_back(sent);
}

}  // namespace

DesignBox MachineSetupWindowBox() {
  // Centred on the 1280 x 680 design screen.
  const int width = kColumnX[1] + kButtonWidth + kValueGap + kValueWidth + 24;
  const int height = kTop + kRowsPerColumn * kStep + 10;
  return {(1280 - width) / 2, (680 - height) / 2 - 20, width, height};
}

bool PhotoEyeRowsShown(const ControlLink& link) {
  return link.connected == 1 && HasBrakeAndAux(link) && link.optionPortType == kOptionPortPhotoEye;
}

bool OptionEncoderRowShown(const ControlLink& link) {
  return link.connected == 1 && HasBrakeAndAux(link) &&
         (link.optionPortType == kOptionPortEncoder ||
          link.optionPortType == kOptionPortMotorSwitchAndEncoder);
}

std::string ToleranceText(const MachineSettings& s) {
  const double shown = s.toleranceMoment * LengthFactor(s.lengthUnit) / WeightDivisor(s.weightUnit);
  if (s.weightUnit == 1)
    return FormatNumber(s.lengthUnit == 1 ? "%1.2f oz/mm" : "%1.2f oz/in", shown);
  if (s.lengthUnit == 1) return FormatNumber("%1.1f gm/mm", shown);
  return FormatNumber(shown >= 10.0 ? "%1.1f gm/in" : "%1.2f gm/in", shown);
}

std::vector<ScreenItem> MachineSetupRows(const MachineSettings& s, const ControlLink& link,
                                         const std::vector<std::string>& scaleNames) {
  const double weight = WeightDivisor(s.weightUnit);
  std::vector<ScreenItem> rows;
  auto add = [&rows](int id, const char* label, std::string value, int column, int slot) {
    ScreenItem row;
    row.id = id;
    row.label = label;
    row.value = std::move(value);
    Place(row, column, slot);
    rows.push_back(row);
    return &rows.back();
  };

  ScreenItem* rpm = add(kSetupShaftRpm, "&Shaft RPM (250-1000)",
                        s.speedControl == 0 ? "Manual" : std::to_string(s.shaftRpm), 0, 0);
  rpm->enabled = s.speedControl != 0;
  add(kSetupTolerance, "&Tolerance", ToleranceText(s), 0, 1);
  add(kSetupSampleQuality, "Sample &quality (1-3)", std::to_string(s.sampleQuality), 0, 2);
  ScreenItem* upright = add(kSetupRightUpright, "&Right upright",
                            s.rightUprightReversed == 1 ? "Reversed" : "Normal", 0, 3);
  if (s.rightUprightReversed == 1) upright->colour = kValueRedText;
  add(kSetupWeightUnit, "&Grams/Ounces", s.weightUnit == 1 ? "Ounces" : "Grams", 0, 4);
  add(kSetupLengthUnit, "&Inches/Millimeters", s.lengthUnit == 1 ? "Millimeters" : "Inches", 0, 5);
  add(kSetupOilWeight, "Default &oil weight", FormatNumber("%1.1f", s.defaultOilWeight / weight), 0,
      6);
  add(kSetupEmptyBobweight, "E&mpty Bobweight", FormatNumber("%1.1f", s.emptyBobweight / weight), 0,
      7);
  add(kSetupCoupleForces, "Couple Forces", s.showCoupleForces == 1 ? "Displayed" : "Hidden", 0, 8);

  int slot = 0;
  add(kSetupUpdateSoftware, "Update Software", "", 1, slot++);
  add(kSetupSpeedControl, "Speed Control", SpeedControlName(s.speedControl), 1, slot++);
  const bool knownScale = s.scaleType >= 0 && s.scaleType < static_cast<int>(scaleNames.size());
  add(kSetupScale, "Scale", knownScale ? scaleNames[s.scaleType] : "", 1, slot++);
  add(kSetupTouchscreen, "Touchscreen", s.touchscreen == 1 ? "Yes" : "No", 1, slot++);
  add(kSetupBobweightDetail, "Bobweight Detail", s.bobweightDetail == 1 ? "Multiple" : "Single", 1,
      slot++);
  if (PhotoEyeRowsShown(link)) {
    add(kSetupPhotoEye, "Photo Eye", s.photoEye == 1 ? "ON" : "OFF", 1, slot++);
    add(kSetupPhotoEyeDirection, "P.E. Encoder Direction",
        s.photoEyeEncoderDirection == 1 ? "CCW" : "CW", 1, slot++);
  }
  if (OptionEncoderRowShown(link)) {
    add(kSetupOptionEncoderRes, "Option Encoder Res.",
        FormatNumber("%1.0f", s.optionEncoderResolution), 1, slot++);
  }
  add(kSetupToleranceCalculator, "Tolerance Calculator", "", 1, slot++);
  add(kSetupReluctorSimulator, "Reluctor Simulator", "", 1, slot++);
  add(kSetupProvingTest, "Machine Proving Test", "", 1, slot++);
  // Exit stays at the foot of the second column.
  add(kExitButton, "Exit", "", 1, kRowsPerColumn - 1);
  return rows;
}

int SendPhotoEyeOutputMode(ControlLink& link, const MachineSettings& s) {
  if (link.connected != 1) return -1;
  int mode;
  if (s.photoEye == 1) {
    mode = PhotoEyeOnByte(s.photoEyeEncoderDirection);
  } else {
    mode = PhotoEyeOffByte(link);
    link.SoftZeroActive = 0;
  }
  SetPhotoEyeMode(link, mode);
  return mode;
}

ScreenPress PressMachineSetup(int id, SetupRecords& records,
                              const std::vector<std::string>& scaleNames) {
  MachineSettings& s = records.settings;
  ControlLink& link = records.link;
  ScreenPress press;
  press.handled = true;
  switch (id) {
    case kSetupShaftRpm:
      // In Manual the speed is not the program's to choose.
      if (s.speedControl != 0) press.entryCode = id;
      break;
    case kSetupTolerance:
    case kSetupSampleQuality:
    case kSetupOilWeight:
    case kSetupEmptyBobweight:
      press.entryCode = id;
      break;
    case kSetupRightUpright:
      s.rightUprightReversed = Toggled(s.rightUprightReversed);
      press.repaint = press.recompute = true;
      break;
    case kSetupWeightUnit:
      s.weightUnit = Toggled(s.weightUnit);
      press.repaint = press.recompute = true;
      break;
    case kSetupLengthUnit:
      s.lengthUnit = Toggled(s.lengthUnit);
      press.repaint = press.recompute = true;
      break;
    case kSetupCoupleForces:
      s.showCoupleForces = Toggled(s.showCoupleForces);
      press.repaint = press.repaintMain = true;
      break;
    case kSetupUpdateSoftware:
      press.updateCheck = true;
      break;
    case kSetupToleranceCalculator:
      press.openScreen = kToleranceScreenCode;
      break;
    case kSetupReluctorSimulator:
      press.openScreen = kReluctorScreenCode;
      break;
    case kSetupProvingTest:
      press.openScreen = kProvingScreenCode;
      break;
    case kSetupSpeedControl:
      s.speedControl = s.speedControl == 0 ? 1 : s.speedControl == 1 ? 2 : 0;
      press.repaint = press.spinFaceChanged = press.repaintMain = true;
      break;
    case kSetupScale: {
      const int last = static_cast<int>(scaleNames.size()) - 1;
      s.scaleType = s.scaleType >= last || s.scaleType < 0 ? 0 : s.scaleType + 1;
      press.repaint = true;
      break;
    }
    case kSetupTouchscreen:
      s.touchscreen = Toggled(s.touchscreen);
      press.repaint = true;
      break;
    case kSetupBobweightDetail:
      s.bobweightDetail = Toggled(s.bobweightDetail);
      press.repaint = true;
      break;
    case kSetupPhotoEye:
      if (!PhotoEyeRowsShown(link)) return HandledPress();
      s.photoEye = Toggled(s.photoEye);
      press.repaint = true;
      SendAndNote(press, SendPhotoEyeOutputMode(link, s));
      break;
    case kSetupPhotoEyeDirection:
      if (!PhotoEyeRowsShown(link)) return HandledPress();
      s.photoEyeEncoderDirection = Toggled(s.photoEyeEncoderDirection);
      press.repaint = true;
      SendAndNote(press, SendPhotoEyeOutputMode(link, s));
      break;
    case kSetupOptionEncoderRes:
      if (OptionEncoderRowShown(link)) press.entryCode = id;
      break;
    case kExitButton:
      press.close = press.writeSettings = true;  // leaving writes the settings
      break;
    default:
      return ScreenPress{};
  }
  return press;
}

int MachineSetupKey(int character) {
  return KeyedButton(character, kExitButton,
                     {{'S', kSetupShaftRpm},
                      {'T', kSetupTolerance},
                      {'Q', kSetupSampleQuality},
                      {'R', kSetupRightUpright},
                      {'G', kSetupWeightUnit},
                      {'I', kSetupLengthUnit},
                      {'O', kSetupOilWeight},
                      {'M', kSetupEmptyBobweight}});
}

}  // namespace balancer
