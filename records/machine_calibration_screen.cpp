#include "records/machine_calibration_screen.h"

#include <cstdio>
#include <string>

#include "base/unit_text.h"
#include "device/control_commands.h"
#include "device/control_config.h"
#include "records/number_text.h"
#include "records/settings_bridge.h"

namespace balancer {

namespace {

constexpr int kLeft = 24;
constexpr int kTop = 20;
constexpr int kStep = 40;
constexpr int kButtonWidth = 320;
constexpr int kButtonHeight = 34;
constexpr int kValueGap = 16;
constexpr int kValueWidth = 220;
constexpr uint16_t kFirmwareOptionPort = 0x0304;
// This firmware keeps the option port type to itself.
constexpr uint16_t kFirmwareFixedOptionPort = 0x0312;

bool OptionPortRowShown(const MachineCalibrationScreen& screen) {
  return screen.lowerGroup && screen.firmware >= kFirmwareOptionPort &&
         screen.firmware != kFirmwareFixedOptionPort;
}

// The rows in their order, shown or not.
struct RowLabel {
  int id;
  const char* label;
};
constexpr RowLabel kUpperRows[] = {
    {kCalLagLeft, "Left side lag compensation"},
    {kCalLagRight, "Right side lag compensation"},
    {kCalFactorLeft, "Left calibration factor"},
    {kCalFactorRight, "Right calibration factor"},
    {kCalAspectRatio, "Screen aspect ratio"},
    {kCalDesiredLeft, "Desired left reading"},
    {kCalDesiredRight, "Desired right reading"},
    {kCalSuspension, "Suspension"},
    {kCalSensorType, "Sensor Type"},
};
constexpr RowLabel kLowerRows[] = {
    {kCalEncoderCount, "Encoder Count"},      {kCalEncoderDirection, "Encoder Direction"},
    {kCalOptionPortType, "Option Port Type"}, {kCalLoadEeprom, "LOAD from EEPROM"},
    {kCalSaveEeprom, "SAVE to EEPROM"},
};

void NoteSent(ScreenPress& press, int sent) {
  if (sent >= 0) press.sentBytes.push_back(sent);
}

int RowCount(const MachineCalibrationScreen& screen) {
  int count = static_cast<int>(sizeof kUpperRows / sizeof kUpperRows[0]) + 1;  // and Exit
  if (screen.lowerGroup) {
    count += static_cast<int>(sizeof kLowerRows / sizeof kLowerRows[0]);
    if (!OptionPortRowShown(screen)) --count;
  }
  return count;
}

}  // namespace

int EncoderCounts(int encoderCountIndex) {
  switch (encoderCountIndex) {
    case 1:
      return 360;
    case 2:
      return 90;
    case 3:
      return 720;
    default:
      return 0;
  }
}

const char* SensorTypeName(int sensorType) {
  switch (sensorType) {
    case kSensorLvdt:
      return "LVDT";
    case kSensorPiezo:
      return "Piezo";
    case kSensorMagnetCoil:
      return "Magnet-Coil";
    case kSensorAccelerometer:
      return "Accelerometer";
    default:
      return "";
  }
}

int EncoderConfigByte(const MachineSettings& settings) {
  return BuildConfigFlagsByte(ControlConfigFromSettings(settings));
}

int SendEncoderConfig(ControlLink& link, const MachineSettings& settings) {
  if (link.connected != 1) return -1;
  const int byte = EncoderConfigByte(settings);
  // The photo-eye commands start from this byte.
  link.lastFlagsByte = static_cast<uint8_t>(byte);
  SetPhotoEyeMode(link, byte);
  return byte;
}

OperatorMessage SuspensionQuestion() {
  return MakeQuestion("WARNING",
                      "Hard Bearing or Soft Bearing refers to suspension stiffness,\n"
                      "not the type of bearings the shaft spins on.\n\n"
                      "Do not change this setting\n"
                      "unless you are certain about the machine type.\n\n"
                      "Are you sure you want to change this?",
                      kRedText, kBeepAsterisk, 330, 160, 620, 320, "CHANGE", 100, "CANCEL", 100,
                      kCalSuspension);
}

OperatorMessage StoreEepromQuestion() {
  return MakeQuestion("WARNING",
                      "Are you sure you want to store the current configuration\n"
                      "in EEPROM memory of the balancer control?",
                      kRedText, kBeepAsterisk, 330, 220, 620, 200, "STORE", 90, "CANCEL", 100,
                      kCalSaveEeprom);
}

void MachineCalibrationScreen::Open(const ControlLink& link) {
  calibration.WindowOpened();
  firmware = link.FirmwareVersion;
  lowerGroup = link.connected == 1 && HasConfigRecord(link);
}

DesignBox MachineCalibrationScreen::WindowBox() const {
  const int width = kLeft + kButtonWidth + kValueGap + kValueWidth + kLeft;
  const int height = kTop + RowCount(*this) * kStep + 10;
  // Centred across; as high up as the tall form needs.
  const int y = height > 560 ? 4 : (680 - height) / 2 - 20;
  return {(1280 - width) / 2, y, width, height};
}

std::vector<ScreenItem> MachineCalibrationScreen::Rows(const MachineSettings& s,
                                                       const ControlLink& link) const {
  std::vector<ScreenItem> rows;
  int slot = 0;
  auto add = [&](const RowLabel& label, std::string value) {
    ScreenItem row;
    row.id = label.id;
    row.label = label.label;
    row.value = std::move(value);
    row.place = {kLeft, kTop + slot * kStep, kButtonWidth, kButtonHeight};
    row.valueBox = {kLeft + kButtonWidth + kValueGap, kTop + slot * kStep, kValueWidth,
                    kButtonHeight};
    ++slot;
    rows.push_back(row);
    return &rows.back();
  };

  add(kUpperRows[0], FormatNumber("%5.1f", s.lagCompensationLeft));
  add(kUpperRows[1], FormatNumber("%5.1f", s.lagCompensationRight));
  add(kUpperRows[2], FormatNumber("%1.4f", s.calibrationFactorLeft));
  add(kUpperRows[3], FormatNumber("%1.4f", s.calibrationFactorRight));
  add(kUpperRows[4], FormatNumber("%1.3f", s.screenAspectRatio));
  ScreenItem* left = add(kUpperRows[5], FormatNumber("%1.2f", calibration.desiredLeft));
  if (calibration.leftEntered) left->colour = kValueRedText;
  ScreenItem* right = add(kUpperRows[6], FormatNumber("%1.2f", calibration.desiredRight));
  if (calibration.rightEntered) right->colour = kValueRedText;
  add(kUpperRows[7], s.suspension == kSoftBearing ? "Soft Bearing" : "Hard Bearing");
  ScreenItem* sensor = add(kUpperRows[8], SensorTypeName(s.sensorType));
  sensor->enabled = s.suspension == kHardBearing;

  if (lowerGroup) {
    const bool connected = link.connected == 1;
    const int counts = EncoderCounts(s.encoderCountIndex);
    add(kLowerRows[0], counts > 0 ? std::to_string(counts) : "")->enabled = connected;
    add(kLowerRows[1], s.encoderDirection == 1 ? "CW" : "CCW")->enabled = connected;
    if (OptionPortRowShown(*this)) add(kLowerRows[2], std::to_string(link.optionPortType));
    add(kLowerRows[3], "")->enabled = connected;
    add(kLowerRows[4], "")->enabled = connected;
  }
  add(RowLabel{kExitButton, "Exit"}, "");
  return rows;
}

ScreenPress MachineCalibrationScreen::Press(int id, SetupRecords& records) {
  MachineSettings& s = records.settings;
  ControlLink& link = records.link;
  const bool control = lowerGroup && link.connected == 1;
  ScreenPress press = HandledPress();
  switch (id) {
    case kCalLagLeft:
    case kCalLagRight:
    case kCalFactorLeft:
    case kCalFactorRight:
    case kCalAspectRatio:
    case kCalDesiredLeft:
    case kCalDesiredRight:
      press.entryCode = id;
      break;
    case kCalSuspension:
      press.message = SuspensionQuestion();
      break;
    case kCalSensorType:
      // A soft-bearing machine always has the accelerometer.
      if (s.suspension != kHardBearing) break;
      s.sensorType = s.sensorType >= kSensorMagnetCoil || s.sensorType < 0 ? 0 : s.sensorType + 1;
      press.repaint = true;
      break;
    case kCalEncoderCount: {
      if (!control) break;
      const int index = s.encoderCountIndex;
      s.encoderCountIndex = index >= kEncoderCountMaxIndex || index < 1 ? 1 : index + 1;
      press.repaint = true;
      NoteSent(press, SendEncoderConfig(link, s));
      break;
    }
    case kCalEncoderDirection:
      if (!control) break;
      s.encoderDirection = s.encoderDirection == 1 ? 0 : 1;
      press.repaint = true;
      NoteSent(press, SendEncoderConfig(link, s));
      break;
    case kCalOptionPortType:
      if (OptionPortRowShown(*this)) press.entryCode = id;
      break;
    case kCalLoadEeprom: {
      if (!control) break;
      // Fields the record does not hold keep their values.
      ControlConfig config = ControlConfigFromSettings(s);
      if (!LoadControlConfig(link, config)) break;
      ApplyControlConfig(s, config);
      press.repaint = press.recompute = press.writeSettings = true;
      break;
    }
    case kCalSaveEeprom:
      if (control) press.message = StoreEepromQuestion();
      break;
    case kExitButton:
      press.close = press.writeSettings = true;  // leaving writes the settings
      break;
    default:
      return ScreenPress{};
  }
  return press;
}

int MachineCalibrationKey(int character) {
  switch (character) {
    case kCtrlL:
      return kCalDesiredLeft;
    case kCtrlR:
      return kCalDesiredRight;
    case kEscapeCharacter:
      return kExitButton;
    default:
      return 0;
  }
}

}  // namespace balancer
