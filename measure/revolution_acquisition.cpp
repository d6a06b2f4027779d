#include "measure/revolution_acquisition.h"

#include <cstdint>
#include <optional>

#include "base/operator_ui.h"
#include "device/control_commands.h"
#include "base/machine_settings.h"

namespace balancer {

namespace {

// Degrees the stored waves are turned by; the fit relies on it.
constexpr int kWaveRotation = 90;


// One request 2. False (and SpinActive cleared) when the transfer failed or
// the control has gone; the stale reply must not be taken for new samples.
bool ReadPacket(ControlLink& link, SpinState& state, int& angle, SamplePacket& packet) {
  angle = ReadShaftAngle(link);
  if (!link.connected || link.TransferErrorLatch) {
    state.SpinActive = 0;
    return false;
  }
  packet = DecodeSamplePacket(link.reply);
  return true;
}

// Watches for an acquisition that makes no progress.
class StallWatch {
 public:
  StallWatch(ControlLink& link, uint32_t limitMs) : link_(link), limitMs_(limitMs) { Reset(); }
  void Reset() {
    start_ = link_.clock ? link_.clock->TickCount() : 0;
    packets_ = 0;
  }
  bool Stalled() {
    ++packets_;
    if (packets_ >= kAcquisitionStallPackets) return true;
    return link_.clock && link_.clock->TickCount() - start_ >= limitMs_;
  }

 private:
  ControlLink& link_;
  uint32_t limitMs_;
  uint32_t start_ = 0;
  long packets_ = 0;
};

// Marks the state as acquiring for the scope of one call, whatever way it ends.
class AcquiringMark {
 public:
  explicit AcquiringMark(SpinState& state) : state_(state) { state_.acquiring = 1; }
  ~AcquiringMark() { state_.acquiring = 0; }
  AcquiringMark(const AcquiringMark&) = delete;
  AcquiringMark& operator=(const AcquiringMark&) = delete;

 private:
  SpinState& state_;
};

void CancelAcquisition(ControlLink& link, OperatorUi& ui, SpinState& state) {
  SetMotorPower(link, 0);
  link.MotorPower = 0;
  PulseBrake(link);
  ui.FocusMainWindow();
  state.SpinActive = 0;
}

}  // namespace

double SpeedFactor(int suspension, int sensorType, double averageSpeed) {
  if (suspension == kHardBearing && sensorType == kSensorMagnetCoil) {
    double r = ReferenceSpeed / averageSpeed;
    return ((600.0 - averageSpeed) * 0.00015 + 1.0) * r * r * r;
  }
  if (suspension == kHardBearing && sensorType == kSensorAccelerometer) return 1.0;
  double r = ReferenceSpeed / averageSpeed;
  return r * r;
}

double LagEstimateFor(int lastStep, double averageSpeed) {
  return (lastStep - 1) * 0.5 + (averageSpeed * 0.014 - 3.5);
}

void AcquireRevolutions(ControlLink& link, const AcquisitionSettings& settings,
                        const SensorMap& map, OperatorUi& ui, SpinState& state, int revolutions) {
  SpinActiveBinding binding(link, state);
  AcquiringMark acquiringMark(state);
  if (revolutions < 1) revolutions = 1;
  int32_t accLeft[kWaveSize] = {};
  int32_t accRight[kWaveSize] = {};

  // No speed measured (the old firmware's average gave up) ends the spin
  // like a standing shaft.
  std::optional<double> speed0 = ReadAverageSpeed(link);
  if (!state.SpinActive) return;
  if (!speed0 || *speed0 < 0.1) {
    state.SpinActive = 0;
    return;
  }

  // Synchronise to zero degrees: a packet that starts at 0 or reaches past 360.
  int angle = 0;
  SamplePacket packet;
  if (!ReadPacket(link, state, angle, packet)) return;
  StallWatch watch(link, kSynchronisationLimitMs);
  for (;;) {
    if (!ReadPacket(link, state, angle, packet)) return;
    // Too slow to sample: no point waiting for zero degrees first.
    if (angle == 0 || packet.step < 1) break;
    if (angle > 0 && angle < kWaveSize && packet.groups * packet.step + angle >= 361) break;
    if (ui.PollCancel()) {
      CancelAcquisition(link, ui, state);
      return;
    }
    if (watch.Stalled()) {
      state.SpinActive = 0;
      return;
    }
  }

  if (packet.step < 1) {
    state.SpinActive = 0;
    if (link.connected) SetMotorPower(link, 0);
    ui.ShowMessage(LowSpeedFirmwareMessage());
    return;
  }

  // First packet: skip the groups before 360; the first used one covers only
  // its part past 360.
  int step = packet.step;
  int firstGroup = 0;
  int groups = packet.groups;
  int firstCover = step;
  if (angle != 0) {
    int before = kWaveSize - angle;
    int k = before / step;
    groups -= k;
    firstGroup = k;
    firstCover = step - before % step;
  }

  int bin = 0;
  int revolution = 1;
  bool done = false;
  bool firstPacket = true;
  StallWatch stall(link, kAcquisitionStallMs);
  while (!done) {
    if (ui.PollCancel()) {
      CancelAcquisition(link, ui, state);
      return;
    }
    if (!firstPacket) {
      if (!ReadPacket(link, state, angle, packet)) return;
      step = packet.step;
      firstGroup = 0;
      groups = packet.groups;
      int gap = 0;
      // A packet that starts behind the bin pointer (or outside the circle)
      // gives only its first group, placed at the pointer.
      if (angle < 0 || angle >= kWaveSize || static_cast<uint16_t>(angle) < bin) {
        if (groups > 1) groups = 1;
      } else if (groups > 0) {
        gap = angle - bin;
      }
      firstCover = step + gap;
    }
    firstPacket = false;

    int binBefore = bin;
    int revolutionBefore = revolution;
    for (int g = firstGroup; g < firstGroup + groups && !done; ++g) {
      int cover = g == firstGroup ? firstCover : step;
      for (int c = 0; c < cover; ++c) {
        accLeft[bin] += packet.left[g];
        accRight[bin] += packet.right[g];
        if (++bin > kWaveSize - 1) {
          bin = 0;
          if (state.progressTotal != kSafetyCheckProgressTotal && state.progressTotal > 0) {
            ++state.progressDone;
            ui.DrawSpeedBar(state.progressDone * 1055 / state.progressTotal);
          }
          if (revolution == revolutions) {
            done = true;
            break;
          }
          ++revolution;
        }
      }
    }
    state.lastStep = step;
    if (bin != binBefore || revolution != revolutionBefore || done) {
      stall.Reset();
    } else if (stall.Stalled()) {
      state.SpinActive = 0;
      return;
    }
  }

  // Without a speed after the revolutions there is nothing to normalise the
  // waves by; a made-up 0 would halve AverageSpeed.
  std::optional<double> speed1 = ReadAverageSpeed(link);
  if (!state.SpinActive) return;
  if (!speed1) {
    state.SpinActive = 0;
    return;
  }
  state.AverageSpeed = (*speed0 + *speed1) / 2.0;
  // The shaft stopped or turned back during the revolutions: the speed
  // normalisation has nothing sensible to work with.
  if (state.AverageSpeed < 0.1) {
    state.SpinActive = 0;
    return;
  }

  state.map = InterpolateSensorMap(map, state.AverageSpeed);
  state.SpeedFactor = SpeedFactor(settings.suspension, settings.sensorType, state.AverageSpeed);
  state.LagEstimate = LagEstimateFor(state.lastStep, state.AverageSpeed);

  bool soft = settings.suspension == kSoftBearing;
  for (int d = 0; d < kWaveSize; ++d) {
    int j = (d + kWaveRotation) % kWaveSize;
    double left = static_cast<double>(accLeft[d] / revolutions) * state.SpeedFactor *
                  settings.calibrationFactorLeft * state.map.leftGain;
    double right = static_cast<double>(accRight[d] / revolutions) * state.SpeedFactor *
                   settings.calibrationFactorRight * state.map.rightGain;
    if (soft) {
      left = left * settings.softBearingFactorLeft * 0.03;
      right = right * settings.softBearingFactorRight * 0.03;
    }
    state.LeftWave[j] = left;
    state.RightWave[j] = right;
  }
  state.LeftWave[0] += 0.0001;
  state.RightWave[0] += 0.0001;
}

OperatorMessage LowSpeedFirmwareMessage() {
  return MakeOkMessage("Attention",
                       "Your firmware doesn't support measurements at this low speed.\n\n"
                       "If you need this capability, please contact Halvorn Technology\n"
                       "to get a firmware update.",
                       kDarkBlueText, kBeepAsterisk, 270, 210, 600, 210);
}

}  // namespace balancer
