#include "device/control_config.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/operator_ui.h"
#include "device/control_commands.h"

namespace balancer {

namespace {

constexpr int kTextFirstAddress = 1;
constexpr int kTextLastAddress = 62;
constexpr int kTextBufferSize = 70;
constexpr int kFieldCount = 8;
// A control written by older software holds fewer fields; past this address a
// missing tail means "short record", not "different calibration".
constexpr int kShortRecordAddress = 23;

const uint8_t kEncoderChoiceTable[3] = {0x00, 0x40, 0x80};

void ShowMessage(ControlLink& link, const OperatorMessage& message) {
  if (link.ui != nullptr) link.ui->ShowMessage(message);
}

// Reads the option port type at 150; a type the program does not know is
// replaced by 0 on the control too.
void ReadOptionPortType(ControlLink& link) {
  int type = ReadEepromBlock(link, kEepromOptionPortAddress)[0];
  if (type > kLastOptionPortType) {
    type = kOptionPortNone;
    WriteEepromByte(link, kEepromOptionPortAddress, kOptionPortNone);
  }
  link.optionPortType = type;
}

double ParseDouble(const char* text) {
  char* end = nullptr;
  double v = std::strtod(text, &end);
  if (end == text || !std::isfinite(v)) return 0.0;
  return v;
}

int ParseInt(const char* text) {
  // Like the decimal fields, "2.0" reads as 2; out-of-range values saturate.
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  if (end == text) return 0;
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

}  // namespace

uint8_t EncoderCode(int encoderCountIndex) {
  if (encoderCountIndex < 1 || encoderCountIndex > 3) encoderCountIndex = 1;
  return kEncoderChoiceTable[encoderCountIndex - 1];
}

uint8_t BuildConfigFlagsByte(const ControlConfig& config) {
  uint8_t code = EncoderCode(config.encoderCountIndex);
  if (config.encoderDirection == 1) return code & 0xC0;
  return code | 0x20;
}

void PrintConfigText(const ControlConfig& config, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  std::memset(buffer, 0, static_cast<size_t>(size));
  std::snprintf(buffer, static_cast<size_t>(size), ",%1.1f,%1.1f,%1.4f,%1.4f,%d,%1.1f,%1.4f,%d,",
                config.lagCompensationLeft, config.lagCompensationRight,
                config.calibrationFactorLeft, config.calibrationFactorRight, config.sensorType,
                config.spareValueA, config.spareValueB, config.suspension);
}

void ParseConfigText(const uint8_t block[kReplySize], ControlConfig& config) {
  double values[kFieldCount] = {};
  int ints[kFieldCount] = {};
  int pos = 1;
  for (int field = 0; field < kFieldCount; ++field) {
    char text[kReplySize + 1] = {};
    int length = 0;
    while (pos < kReplySize && block[pos] != ',') text[length++] = static_cast<char>(block[pos++]);
    if (pos < kReplySize) ++pos;  // past the comma
    values[field] = ParseDouble(text);
    ints[field] = ParseInt(text);
  }
  config.lagCompensationLeft = values[0];
  config.lagCompensationRight = values[1];
  config.calibrationFactorLeft = values[2];
  config.calibrationFactorRight = values[3];
  config.sensorType = ints[4];
  config.spareValueA = values[5];
  config.spareValueB = values[6];
  config.suspension = ints[7];
}

ConfigCheckResult CheckControlConfig(ControlLink& link, const ControlConfig& expected,
                                     int showWarning) {
  ConfigCheckResult result;
  link.CalibrationMatch = 1;
  if (!HasConfigRecord(link) || !link.connected) return result;

  ReadOptionPortType(link);
  uint8_t block[kReplySize];
  std::memcpy(block, ReadEepromBlock(link, 0), sizeof block);

  const uint8_t flags = BuildConfigFlagsByte(expected);
  link.lastFlagsByte = flags;
  char text[kTextBufferSize];
  PrintConfigText(expected, text, sizeof text);

  for (int n = kTextFirstAddress; n <= kTextLastAddress; ++n) {
    if (static_cast<uint8_t>(text[n]) == block[n] && flags == block[0]) continue;
    link.CalibrationMatch = 0;
    result.firstDifference = n;
    if (n > kShortRecordAddress && block[n] == 0) {
      StoreControlConfig(link, expected, 0);
      result.storedSilently = true;
      return result;
    }
    if (showWarning) {
      ShowMessage(link, ConfigMismatchWarning());
      result.warned = true;
      // Only with the warning: its OK is what enables the main window again.
      result.disableMainWindow = true;
    }
    return result;
  }
  return result;
}

bool LoadControlConfig(ControlLink& link, ControlConfig& config) {
  auto refuse = [&link] {
    ShowMessage(link, ConfigNotLoadedMessage());
    return false;
  };
  if (!link.connected || !HasConfigRecord(link)) return refuse();
  ReadOptionPortType(link);
  if (ControlRequest(link, kRequestReadEeprom, 0) != 0) return refuse();  // stale buffer
  uint8_t block[kReplySize];
  std::memcpy(block, link.reply, sizeof block);

  config.encoderDirection = (block[0] & 0x20) == 0 ? 1 : 0;
  int index = (block[0] >> 6) + 1;
  // Bits 11 name no encoder; keep the one the settings have.
  if (index <= 3) config.encoderCountIndex = index;
  ParseConfigText(block, config);

  if (link.ui != nullptr) link.ui->RequestRepaint(RepaintArea::kCalibrationScreen);
  ShowMessage(link, ConfigRetrievedMessage());
  return true;
}

int StoreControlConfig(ControlLink& link, const ControlConfig& config, int showConfirmation) {
  if (!HasConfigRecord(link)) return 0;
  if (!link.connected) {
    ShowMessage(link, ConfigNotWrittenMessage());
    return 0;
  }
  const int type =
      link.optionPortType >= kOptionPortNone && link.optionPortType <= kLastOptionPortType
          ? link.optionPortType
          : kOptionPortNone;
  const uint8_t flags = BuildConfigFlagsByte(config);
  link.lastFlagsByte = flags;
  char text[kTextBufferSize];
  PrintConfigText(config, text, sizeof text);

  // One byte per transfer; stop at the first failure so a vanished control
  // is not reported as written.
  auto write = [&link](int address, int data) {
    if (!link.connected) return false;
    return ControlRequest(link, kRequestWriteEeprom,
                          static_cast<uint16_t>(address * 256 + (data & 0xFF))) == 0;
  };
  bool ok = write(kEepromOptionPortAddress, type) && write(0, flags);
  for (int n = kTextFirstAddress; ok && n <= kTextLastAddress; ++n) {
    ok = write(n, static_cast<uint8_t>(text[n]));
  }
  if (!ok) {
    ShowMessage(link, ConfigNotWrittenMessage());
    return 0;
  }
  if (showConfirmation) ShowMessage(link, ConfigStoredMessage());
  return 1;
}

// The window is 32 units taller (and 16 higher) than the 740 x 448 the text
// was laid out for: with the contact line and the wrapped "contact" line the
// last safety line was cut off at the bottom.
OperatorMessage ConfigMismatchWarning() {
  return MakeOkMessage(
      "Warning",
      "Warning, calibration values in EEPROM and software don't match.\n\n"
      "After closing this message window...\n"
      "Press Crtl and L on the keyboard(together) to load the factors from the control.\n"
      "Close and reopen the balancer software to confirm if it worked.\n\n"
      "If that didn't work, unplug and replug the USB control from your computer.\n\n"
      "If this doesn't solve the problem, please contact Halvorn Technology for assistance.\n\n"
      "service@halvorntech.com      Tel. +1 555 0142 7730      www.halvorntech.com\n\n"
      "YOU SHOULD NOT USE THE BALANCER UNTIL THIS IS CORRECTED.\n"
      "The unbalance readings will be incorrect.\n"
      "Balancers with software controlled motor speed could be dangerous to run.",
      kRedText, kBeepHand, 200, 32, 740, 480);
}

OperatorMessage ConfigRetrievedMessage() {
  return MakeOkMessage("",
                       "Configuration was retrieved from EEPROM memory\nof the balancer control.",
                       kDarkBlueText, kBeepNone, 320, 187, 500, 180);
}

OperatorMessage ConfigStoredMessage() {
  return MakeOkMessage("", "Configuration was stored in EEPROM memory\nof the balancer control.",
                       kDarkBlueText, kBeepNone, 340, 210, 460, 230);
}

OperatorMessage ConfigNotWrittenMessage() {
  return MakeOkMessage(
      "Warning",
      "Warning, the calibration data was not written to EEPROM.\n"
      "Please reconnect the USB control, then open and close the calibration window to try again.",
      kDarkBlueText, kBeepAsterisk, 310, 210, 520, 230);
}

OperatorMessage ConfigNotLoadedMessage() {
  return MakeOkMessage("Warning",
                       "Warning, the calibration data was not loaded from EEPROM.\n"
                       "The control keeps no calibration data, or it could not be read.\n"
                       "Please reconnect the USB control, then try again.",
                       kDarkBlueText, kBeepAsterisk, 310, 210, 520, 230);
}

OperatorMessage NoControlMessage() {
  return MakeOkMessage("Attention",
                       "The machine control interface was not found.\n\n"
                       "Check the connection from the PC to the USB control.\n\n"
                       "Check the power source for AC powered USB controls.",
                       kDarkBlueText, kBeepAsterisk, 310, 160, 520, 230);
}

}  // namespace balancer
