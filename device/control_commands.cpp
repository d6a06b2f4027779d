#include "device/control_commands.h"

#include <algorithm>

#include "base/operator_ui.h"

namespace balancer {

namespace {

constexpr int64_t kPacingFrequencyThreshold = 9000000;
constexpr int kFilteredReads = 20;
constexpr int kSteadyReads = 5;

void ClearSpinActive(ControlLink& link) {
  if (link.spinActive != nullptr) *link.spinActive = 0;
}

// Folds any angle into 0..359. For the angles a working control sends one
// step is enough; the loops only matter for a control that sends nonsense.
int WrapAngle(int angle) {
  while (angle > 359) angle -= 360;
  while (angle < 0) angle += 360;
  return angle;
}

// True when v lies strictly inside the band between a and b, whichever is
// larger (a negative mean, i.e. reverse rotation, swaps the bounds).
bool StrictlyBetween(double v, double a, double b) {
  double lo = std::min(a, b), hi = std::max(a, b);
  return v > lo && v < hi;
}

}  // namespace

int DecodeSigned16(uint8_t low, uint8_t high) {
  return static_cast<int8_t>(high) * 256 + low;
}

SamplePacket DecodeSamplePacket(const uint8_t reply[64]) {
  SamplePacket p;
  p.rawGroups = static_cast<int8_t>(reply[0]);
  p.groups = std::clamp(p.rawGroups, 0, kMaxSampleGroups);
  p.step = static_cast<int8_t>(reply[1]);
  p.angle = DecodeSigned16(reply[2], reply[3]);
  for (int k = 0; k < p.groups; ++k) {
    const uint8_t* g = reply + 4 + 3 * k;
    p.left[k] = static_cast<uint16_t>((g[1] >> 4) * 256 + g[0]);
    p.right[k] = static_cast<uint16_t>((g[1] & 0x0F) * 256 + g[2]);
  }
  return p;
}

void EncodeSampleGroup(uint16_t left, uint16_t right, uint8_t out[3]) {
  out[0] = static_cast<uint8_t>(left & 0xFF);
  out[1] = static_cast<uint8_t>(((left >> 8) & 0x0F) << 4 | ((right >> 8) & 0x0F));
  out[2] = static_cast<uint8_t>(right & 0xFF);
}

int SetMotorPower(ControlLink& link, int power) {
  if (!link.connected) return 0;
  power = std::clamp(power, 0, 255);
  link.MotorPower = power;
  if (ControlRequest(link, kRequestMotorPower, static_cast<uint16_t>(power)) != 0) {
    ClearSpinActive(link);
  }
  // Decoded even after a failure: the buffer then holds the previous reply.
  link.RemoteStartFlag = link.reply[2] == 1 ? 1 : 0;
  return DecodeSigned16(link.reply[0], link.reply[1]);
}

int ReadShaftAngle(ControlLink& link) {
  int angle = 0;
  if (link.connected) {
    uint32_t error = ControlRequest(link, kRequestAngleAndSamples, 0);
    angle = DecodeSigned16(link.reply[2], link.reply[3]);
    if (error == kErrorBadCommand) {
      // The device has gone: look for it again at once. A control found now
      // has been off the bus and lost its photo-eye mode, so OpenControl must
      // see it as not connected (that drops the soft zero).
      CloseControl(link);
      link.connected = 0;
      OpenControl(link);
      if (!link.connected && link.ui != nullptr) {
        link.ui->RequestRepaint(RepaintArea::kWholeMainWindow);
      }
    }
  }
  // Without a control the angle reads as 0 plus the soft-zero offset.
  if (link.SoftZeroActive) angle = WrapAngle(angle + link.SoftZeroOffset);
  if (link.connected && link.performanceFrequency > kPacingFrequencyThreshold) {
    PacingWait(link);
  }
  return angle;
}

void ZeroShaftAngle(ControlLink& link) {
  if (!link.connected) return;
  ControlRequest(link, kRequestZero, 0);
  DelayMs(link, 10);
}

int ZeroShaftAction(ControlLink& link) {
  if (!link.connected) return -1;
  int angle = ReadShaftAngle(link);
  if (!link.connected) return -1;  // lost during the read
  if (link.SoftZeroActive) {
    // The photo eye owns the control's zero; ours moves in software.
    link.SoftZeroOffset -= angle;
    if (link.SoftZeroOffset < -359) link.SoftZeroOffset += 360;
    DelayMs(link, 10);
  } else {
    ZeroShaftAngle(link);
  }
  return angle;
}

const uint8_t* ReadEepromBlock(ControlLink& link, int address) {
  if (link.connected) {
    ControlRequest(link, kRequestReadEeprom, static_cast<uint16_t>(address & 0xFFFF));
  }
  return link.reply;
}

void WriteEepromByte(ControlLink& link, int address, int data) {
  if (!link.connected) return;
  ControlRequest(link, kRequestWriteEeprom,
                 static_cast<uint16_t>((address & 0xFF) * 256 + (data & 0xFF)));
}

bool BrakePulseConfigured(const ControlLink& link) {
  return link.connected && HasBrakeAndAux(link) &&
         (link.optionPortType == kOptionPortNone || link.optionPortType == kOptionPortMotorSwitch ||
          link.optionPortType == kOptionPortMotorSwitchAndEncoder);
}

void PulseBrake(ControlLink& link) {
  if (!BrakePulseConfigured(link)) return;
  ControlRequest(link, kRequestOptionPulse, 1);
  DelayMs(link, 150);
  if (link.connected) ControlRequest(link, kRequestOptionPulse, 0);
  if (link.ui != nullptr) link.ui->FocusMainWindow();
}

int ReadAbsolutePosition(ControlLink& link, int value) {
  if (!link.connected) return 0;
  value = value != 0 ? 1 : 0;
  ControlRequest(link, kRequestAbsolutePosition, static_cast<uint16_t>(value));
  if (value == 0) return 0;
  return DecodeSigned16(link.reply[0], link.reply[1]);
}

void SetPhotoEyeMode(ControlLink& link, int modeByte) {
  if (!link.connected) return;
  ControlRequest(link, kRequestPhotoEyeMode, static_cast<uint16_t>(modeByte & 0xFF));
}

int PhotoEyeOnByte(int photoEyeEncoderDirection) {
  return photoEyeEncoderDirection == 1 ? 0xC2 : 0xE2;
}

int PhotoEyeOffByte(const ControlLink& link) {
  return link.lastFlagsByte & 0xFD;
}

namespace {

// The old firmware's speed varies from read to read; a 20-read average with
// two outlier passes. One round returns false when nothing survives the first
// pass (always so on a stopped shaft).
bool FilteredAverageRound(ControlLink& link, double& result) {
  int values[kFilteredReads];
  double sum = 0;
  for (int i = 0; i < kFilteredReads; ++i) {
    values[i] = SetMotorPower(link, link.MotorPower);
    sum += values[i];
    DelayMs(link, 10);
  }
  const double mean = sum / kFilteredReads;
  double keptSum = 0;
  int kept[kFilteredReads];
  int keptCount = 0;
  for (int v : values) {
    if (StrictlyBetween(v, 0.98 * mean, 1.02 * mean)) {
      kept[keptCount++] = v;
      keptSum += v;
    }
  }
  if (keptCount == 0) return false;
  const double mean2 = keptSum / keptCount;
  double finalSum = 0;
  int finalCount = 0;
  for (int i = 0; i < keptCount; ++i) {
    if (StrictlyBetween(kept[i], 0.99 * mean2, 1.01 * mean2)) {
      finalSum += kept[i];
      ++finalCount;
    }
  }
  result = finalCount == 0 ? mean2 : finalSum / finalCount;
  return true;
}

}  // namespace

std::optional<double> ReadAverageSpeed(ControlLink& link) {
  if (!link.connected) return std::nullopt;
  if (HasConfigRecord(link)) {
    double sum = 0;
    for (int i = 0; i < kSteadyReads; ++i) sum += SetMotorPower(link, link.MotorPower);
    return sum / 5.0;
  }
  // A stopped shaft never passes the filter; give up after a few rounds
  // rather than make up a speed.
  for (int round = 0; round < kFilteredAverageMaxRounds; ++round) {
    double result = 0;
    if (FilteredAverageRound(link, result)) return result;
  }
  return std::nullopt;
}

}  // namespace balancer
