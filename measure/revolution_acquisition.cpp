#include "measure/revolution_acquisition.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "device/control_commands.h"
#include "measure/spin.h"

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

// Watches the synchronisation for an angle that stands still.
class FrozenAngleWatch {
 public:
  FrozenAngleWatch(ControlLink& link, double rpm) : link_(link) {
    double degreesPerMs = std::fabs(rpm) * 0.006;
    double ms = kSynchronisationLimitMs;
    if (degreesPerMs > 0.0)
      ms = std::min(ms, kFrozenAngleBaseMs + kFrozenAngleDegrees / degreesPerMs);
    limitMs_ = static_cast<uint32_t>(ms);
  }
  bool Frozen(int angle) {
    uint32_t now = link_.clock ? link_.clock->TickCount() : 0;
    if (!started_ || angle != angle_) {
      started_ = true;
      angle_ = angle;
      since_ = now;
      return false;
    }
    return now - since_ >= limitMs_;
  }

 private:
  ControlLink& link_;
  uint32_t limitMs_ = kSynchronisationLimitMs;
  bool started_ = false;
  int angle_ = 0;
  uint32_t since_ = 0;
};

// Motor off and the operator told why; the spin then ends without a reading.
void AbandonAcquisition(ControlLink& link, OperatorUi& ui, SpinState& state,
                        const OperatorMessage& message) {
  state.SpinActive = 0;
  if (link.connected) SetMotorPower(link, 0);
  link.MotorPower = 0;
  ui.ShowMessage(message);
}

void CancelAcquisition(ControlLink& link, OperatorUi& ui, SpinState& state) {
  SetMotorPower(link, 0);
  link.MotorPower = 0;
  PulseBrake(link);
  ui.FocusMainWindow();
  state.SpinActive = 0;
}

}  // namespace

PacketCheck CheckSamplePacket(const SamplePacket& packet, int angle, int binPointer,
                              double reachDeg) {
  PacketCheck check;
  if (packet.rawGroups < 0 || packet.rawGroups > kMaxSampleGroups) check.implausible = true;
  if (angle < 0 || angle >= kWaveSize || packet.step < 1 ||
      packet.groups * packet.step > kWaveSize) {
    check.implausible = true;
    check.use = false;
    return check;
  }
  // No groups: the angle is where the shaft is now; nothing goes into the
  // waves, and a shaft that turns without sampling is the stall watch's.
  if (packet.groups == 0) return check;
  // Degrees from the bin pointer forward to the packet's first group. A
  // packet that ends within the reach follows on (groups the control had to
  // drop leave a gap, filled as usual); when the reach is more than a turn
  // any angle can be right.
  int ahead = ((angle - binPointer) % kWaveSize + kWaveSize) % kWaveSize;
  check.gap = ahead;
  if (ahead + packet.groups * packet.step <= reachDeg) {
    // The control drops groups only when it holds more than it can send:
    // a gap of a step or more comes with a full packet.
    if (ahead >= packet.step && packet.groups < kMaxSampleGroups) check.implausible = true;
    return check;
  }
  check.implausible = true;
  if (ahead >= kWaveSize / 2) {
    // Degrees already gathered come again: used as the control's late packet
    // (first group only), but a working control does not do this.
    check.late = true;
    check.gap = 0;
  } else {
    check.use = false;
  }
  return check;
}

double PacketReachDeg(double rpm, uint32_t elapsedMs) {
  // Half as much again as the shaft can have turned, counting the
  // millisecond the tick may lag.
  return kPacketReachFloorDeg + 1.5 * std::fabs(rpm) * 0.006 * (elapsedMs + 1.0);
}

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
  if (*speed0 > kMaxAcquisitionRpm) {
    AbandonAcquisition(link, ui, state, ImplausibleSamplesMessage());
    return;
  }

  // Synchronise to zero degrees: a packet that starts at 0 or reaches past 360.
  int angle = 0;
  SamplePacket packet;
  int implausible = 0;
  if (!ReadPacket(link, state, angle, packet)) return;
  StallWatch watch(link, kSynchronisationLimitMs);
  FrozenAngleWatch frozen(link, *speed0);
  for (;;) {
    if (!ReadPacket(link, state, angle, packet)) return;
    // Too slow to sample: no point waiting for zero degrees first.
    if (packet.step < 1) break;
    // Counts beyond the packet are clamped and still used; an angle off the
    // circle or more than a turn in one packet cannot be.
    bool unusable = angle < 0 || angle >= kWaveSize || packet.groups * packet.step > kWaveSize;
    bool odd = packet.rawGroups < 0 || packet.rawGroups > kMaxSampleGroups;
    if ((unusable || odd) && ++implausible >= kImplausiblePacketLimit) {
      AbandonAcquisition(link, ui, state, ImplausibleSamplesMessage());
      return;
    }
    if (!unusable) {
      if (angle == 0) break;
      if (packet.groups * packet.step + angle >= 361) break;
    }
    if (ui.PollCancel()) {
      CancelAcquisition(link, ui, state);
      return;
    }
    if (frozen.Frozen(angle) || watch.Stalled()) {
      AbandonAcquisition(link, ui, state, NoRotationMessage());
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
  // Ticks of the last two packets used. The reach counts from the older
  // one: a control that answered late hands over the groups it gathered
  // meanwhile only with the packet after.
  uint32_t usedTicks[2];
  usedTicks[0] = usedTicks[1] = link.clock ? link.clock->TickCount() : 0;
  int jumpEnd = -1;  // where the last packet left out for jumping ahead ended
  StallWatch stall(link, kAcquisitionStallMs);
  int angleAtProgress = angle;
  // No progress for the stall limit: a standing angle is a shaft that does
  // not turn; one that turns without samples is a control that sends none.
  auto stalled = [&] {
    AbandonAcquisition(
        link, ui, state,
        angle == angleAtProgress ? NoRotationMessage() : ImplausibleSamplesMessage());
  };
  while (!done) {
    if (ui.PollCancel()) {
      CancelAcquisition(link, ui, state);
      return;
    }
    if (!firstPacket) {
      if (!ReadPacket(link, state, angle, packet)) return;
      uint32_t now = link.clock ? link.clock->TickCount() : 0;
      PacketCheck check =
          CheckSamplePacket(packet, angle, bin, PacketReachDeg(*speed0, now - usedTicks[0]));
      // A control that answered late can hand over a jump that is real: the
      // packet after it then carries on exactly where it ended.
      if (!check.use && !check.late && angle >= 0 && angle < kWaveSize && packet.groups > 0 &&
          packet.step >= 1 && packet.groups * packet.step <= kWaveSize) {
        if (jumpEnd == angle) {
          check.implausible = false;
          check.use = true;
          check.gap = ((angle - bin) % kWaveSize + kWaveSize) % kWaveSize;
        } else {
          jumpEnd = (angle + packet.groups * packet.step) % kWaveSize;
        }
      }
      if (check.use && packet.groups > 0) jumpEnd = -1;
      if (check.implausible && ++implausible >= kImplausiblePacketLimit) {
        AbandonAcquisition(link, ui, state, ImplausibleSamplesMessage());
        return;
      }
      if (!check.use) {
        if (stall.Stalled()) {
          stalled();
          return;
        }
        continue;
      }
      usedTicks[0] = usedTicks[1];
      usedTicks[1] = now;
      step = packet.step;
      firstGroup = 0;
      groups = packet.groups;
      // A packet that starts behind the bin pointer gives only its first
      // group, placed at the pointer. Otherwise its first group also fills
      // the degrees up to its angle, across 0 degrees too: placed by the
      // angle, the waves stay aligned to the encoder whatever was lost.
      if (check.late && groups > 1) groups = 1;
      firstCover = step + check.gap;
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
      angleAtProgress = angle;
    } else if (stall.Stalled()) {
      stalled();
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
  if (*speed1 > kMaxAcquisitionRpm) {
    AbandonAcquisition(link, ui, state, ImplausibleSamplesMessage());
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

OperatorMessage ImplausibleSamplesMessage() {
  return MakeOkMessage("ERROR",
                       "The control sends sample data that does not fit the shaft's turning.\n\n"
                       "The spin was stopped without a reading.\n"
                       "Please check the encoder cable and the control.",
                       kDarkBlueText, kBeepHand, 340, 190, 600, 210);
}

}  // namespace balancer
