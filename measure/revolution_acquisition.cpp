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
// Degrees a shaft at 1 rpm turns in a millisecond.
constexpr double kDegreesPerMsPerRpm = 360.0 / 60000.0;

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
    double degreesPerMs = std::fabs(rpm) * kDegreesPerMsPerRpm;
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
  return kPacketReachFloorDeg + 1.5 * std::fabs(rpm) * kDegreesPerMsPerRpm * (elapsedMs + 1.0);
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

namespace {

// A shaft slower than this stands still; its speed normalises nothing.
constexpr double kStandstillRpm = 0.1;
// The speed bar's full scale while the revolutions are gathered.
constexpr int kProgressBarFull = 1055;
// Soft-bearing waves are the hard-bearing ones scaled by the upright's factor
// in hundredths of this.
constexpr double kSoftBearingUnit = 0.03;
// Added to degree 0 of both waves so a wave never sums to exactly zero.
constexpr double kWaveZeroNudge = 0.0001;

// The samples of all revolutions summed per degree.
struct WaveSums {
  int32_t left[kWaveSize] = {};
  int32_t right[kWaveSize] = {};
};

// The groups of one packet that go into the waves: from `firstGroup`, `groups`
// of them, the first covering `firstCover` degrees and each other `step`.
struct PacketSpan {
  int step = 1;
  int firstGroup = 0;
  int groups = 0;
  int firstCover = 1;
};

// The speed before the revolutions, or nothing when the spin ends here: no
// speed measured (the old firmware's average gave up) ends it like a standing
// shaft; a speed no balancing machine turns at ends it with its message.
std::optional<double> StartingSpeed(ControlLink& link, OperatorUi& ui, SpinState& state) {
  std::optional<double> speed = ReadAverageSpeed(link);
  if (!state.SpinActive) return std::nullopt;
  if (!speed || *speed < kStandstillRpm) {
    state.SpinActive = 0;
    return std::nullopt;
  }
  if (*speed > kMaxAcquisitionRpm) {
    AbandonAcquisition(link, ui, state, ImplausibleSamplesMessage());
    return std::nullopt;
  }
  return speed;
}

// Reads packets until one starts at 0 degrees or reaches past 360, leaving it
// in `packet` at `angle`. False when the spin ended meanwhile (cancel, failed
// transfer, implausible packets, a standing shaft). A packet too slow to
// sample (step below 1) ends the wait at once, with true: the caller tells
// the operator.
bool SynchroniseToZero(ControlLink& link, OperatorUi& ui, SpinState& state, double rpm,
                       int& angle, SamplePacket& packet, int& implausible) {
  if (!ReadPacket(link, state, angle, packet)) return false;
  StallWatch watch(link, kSynchronisationLimitMs);
  FrozenAngleWatch frozen(link, rpm);
  for (;;) {
    if (!ReadPacket(link, state, angle, packet)) return false;
    if (packet.step < 1) return true;
    // Counts beyond the packet are clamped and still used; an angle off the
    // circle or more than a turn in one packet cannot be.
    bool unusable = angle < 0 || angle >= kWaveSize || packet.groups * packet.step > kWaveSize;
    bool odd = packet.rawGroups < 0 || packet.rawGroups > kMaxSampleGroups;
    if ((unusable || odd) && ++implausible >= kImplausiblePacketLimit) {
      AbandonAcquisition(link, ui, state, ImplausibleSamplesMessage());
      return false;
    }
    if (!unusable) {
      if (angle == 0) return true;
      if (packet.groups * packet.step + angle > kWaveSize) return true;
    }
    if (ui.PollCancel()) {
      CancelAcquisition(link, ui, state);
      return false;
    }
    if (frozen.Frozen(angle) || watch.Stalled()) {
      AbandonAcquisition(link, ui, state, NoRotationMessage());
      return false;
    }
  }
}

// The synchronising packet's part from 360 on: the groups before 360 are
// skipped, and the first one used covers only its part past 360.
PacketSpan SpanPastZero(const SamplePacket& packet, int angle) {
  PacketSpan span;
  span.step = packet.step;
  span.groups = packet.groups;
  span.firstCover = packet.step;
  if (angle != 0) {
    int before = kWaveSize - angle;
    int skipped = before / packet.step;
    span.groups -= skipped;
    span.firstGroup = skipped;
    span.firstCover = packet.step - before % packet.step;
  }
  return span;
}

// Gathers packets into the sums, from the synchronising packet on, until the
// revolutions are whole; tracks the bin pointer, the revolution count, the
// progress bar and the watches on the stream.
class RevolutionGathering {
 public:
  RevolutionGathering(ControlLink& link, OperatorUi& ui, SpinState& state, double rpm,
                      int revolutions, int& implausible)
      : link_(link),
        ui_(ui),
        state_(state),
        rpm_(rpm),
        revolutions_(revolutions),
        implausible_(implausible),
        usedOlder_(Now()),
        usedNewer_(usedOlder_),
        stall_(link, kAcquisitionStallMs) {}

  // False when the spin ended before the revolutions were whole.
  bool Run(WaveSums& sums, SamplePacket& packet, int& angle) {
    angleAtProgress_ = angle;
    PacketSpan span = SpanPastZero(packet, angle);
    bool firstPacket = true;
    while (!done_) {
      if (ui_.PollCancel()) {
        CancelAcquisition(link_, ui_, state_);
        return false;
      }
      if (!firstPacket) {
        if (!ReadPacket(link_, state_, angle, packet)) return false;
        std::optional<PacketSpan> next;
        if (!NextSpan(packet, angle, next)) return false;
        if (!next) continue;
        span = *next;
      }
      firstPacket = false;
      if (!Accumulate(sums, packet, span, angle)) return false;
    }
    return true;
  }

 private:
  uint32_t Now() const { return link_.clock ? link_.clock->TickCount() : 0; }

  // Judges a packet read while gathering: `span` is set when it goes into the
  // waves, left empty when it is passed over. False when the spin ended.
  bool NextSpan(const SamplePacket& packet, int angle, std::optional<PacketSpan>& span) {
    uint32_t now = Now();
    PacketCheck check =
        CheckSamplePacket(packet, angle, bin_, PacketReachDeg(rpm_, now - usedOlder_));
    // A control that answered late can hand over a jump that is real: the
    // packet after it then carries on exactly where it ended.
    if (!check.use && !check.late && angle >= 0 && angle < kWaveSize && packet.groups > 0 &&
        packet.step >= 1 && packet.groups * packet.step <= kWaveSize) {
      if (jumpEnd_ == angle) {
        check.implausible = false;
        check.use = true;
        check.gap = ((angle - bin_) % kWaveSize + kWaveSize) % kWaveSize;
      } else {
        jumpEnd_ = (angle + packet.groups * packet.step) % kWaveSize;
      }
    }
    if (check.use && packet.groups > 0) jumpEnd_ = kNoJump;
    if (check.implausible && ++implausible_ >= kImplausiblePacketLimit) {
      AbandonAcquisition(link_, ui_, state_, ImplausibleSamplesMessage());
      return false;
    }
    if (!check.use) {
      if (stall_.Stalled()) {
        Stalled(angle);
        return false;
      }
      return true;
    }
    usedOlder_ = usedNewer_;
    usedNewer_ = now;
    PacketSpan next;
    next.step = packet.step;
    next.groups = packet.groups;
    // A packet that starts behind the bin pointer gives only its first
    // group, placed at the pointer. Otherwise its first group also fills
    // the degrees up to its angle, across 0 degrees too: placed by the
    // angle, the waves stay aligned to the encoder whatever was lost.
    if (check.late && next.groups > 1) next.groups = 1;
    next.firstCover = next.step + check.gap;
    span = next;
    return true;
  }

  // Adds the span's groups to the sums degree by degree. False when the
  // stream made no progress for the stall limit.
  bool Accumulate(WaveSums& sums, const SamplePacket& packet, const PacketSpan& span,
                  int angle) {
    int binBefore = bin_;
    int revolutionBefore = revolution_;
    for (int g = span.firstGroup; g < span.firstGroup + span.groups && !done_; ++g) {
      int cover = g == span.firstGroup ? span.firstCover : span.step;
      for (int c = 0; c < cover; ++c) {
        sums.left[bin_] += packet.left[g];
        sums.right[bin_] += packet.right[g];
        if (++bin_ > kWaveSize - 1) {
          bin_ = 0;
          RevolutionCompleted();
          if (done_) break;
        }
      }
    }
    state_.lastStep = span.step;
    if (bin_ != binBefore || revolution_ != revolutionBefore || done_) {
      stall_.Reset();
      angleAtProgress_ = angle;
    } else if (stall_.Stalled()) {
      Stalled(angle);
      return false;
    }
    return true;
  }

  void RevolutionCompleted() {
    if (state_.progressTotal != kSafetyCheckProgressTotal && state_.progressTotal > 0) {
      ++state_.progressDone;
      ui_.DrawSpeedBar(state_.progressDone * kProgressBarFull / state_.progressTotal);
    }
    if (revolution_ == revolutions_) {
      done_ = true;
      return;
    }
    ++revolution_;
  }

  // No progress for the stall limit: a standing angle is a shaft that does
  // not turn; one that turns without samples is a control that sends none.
  void Stalled(int angle) {
    AbandonAcquisition(
        link_, ui_, state_,
        angle == angleAtProgress_ ? NoRotationMessage() : ImplausibleSamplesMessage());
  }

  static constexpr int kNoJump = -1;

  ControlLink& link_;
  OperatorUi& ui_;
  SpinState& state_;
  double rpm_;
  int revolutions_;
  int& implausible_;
  // Ticks of the last two packets used. The reach counts from the older
  // one: a control that answered late hands over the groups it gathered
  // meanwhile only with the packet after.
  uint32_t usedOlder_;
  uint32_t usedNewer_;
  StallWatch stall_;  // after the ticks: both read the clock, in this order
  int bin_ = 0;         // the degree the next sample goes to
  int revolution_ = 1;  // the revolution being gathered, from 1
  bool done_ = false;
  int jumpEnd_ = kNoJump;  // where the last packet left out for jumping ahead ended
  int angleAtProgress_ = 0;
};

// The speed after the revolutions, averaged with the one before into
// state.AverageSpeed. False when the spin ends here: without a speed after
// the revolutions there is nothing to normalise the waves by (a made-up 0
// would halve AverageSpeed), and a shaft that stopped or turned back during
// them gives the normalisation nothing sensible to work with.
bool FinishingSpeed(ControlLink& link, OperatorUi& ui, SpinState& state, double speedBefore) {
  std::optional<double> speed = ReadAverageSpeed(link);
  if (!state.SpinActive) return false;
  if (!speed) {
    state.SpinActive = 0;
    return false;
  }
  if (*speed > kMaxAcquisitionRpm) {
    AbandonAcquisition(link, ui, state, ImplausibleSamplesMessage());
    return false;
  }
  state.AverageSpeed = (speedBefore + *speed) / 2.0;
  if (state.AverageSpeed < kStandstillRpm) {
    state.SpinActive = 0;
    return false;
  }
  return true;
}

// The per-degree waves from the sums: averaged over the revolutions (in whole
// counts, as the control's integers), brought to the reference speed,
// calibrated, and turned by kWaveRotation.
void StoreWaves(const WaveSums& sums, int revolutions, const AcquisitionSettings& settings,
                const SensorMap& map, SpinState& state) {
  state.map = InterpolateSensorMap(map, state.AverageSpeed);
  state.SpeedFactor = SpeedFactor(settings.suspension, settings.sensorType, state.AverageSpeed);
  state.LagEstimate = LagEstimateFor(state.lastStep, state.AverageSpeed);

  bool soft = settings.suspension == kSoftBearing;
  for (int d = 0; d < kWaveSize; ++d) {
    int j = (d + kWaveRotation) % kWaveSize;
    double left = static_cast<double>(sums.left[d] / revolutions) * state.SpeedFactor *
                  settings.calibrationFactorLeft * state.map.leftGain;
    double right = static_cast<double>(sums.right[d] / revolutions) * state.SpeedFactor *
                   settings.calibrationFactorRight * state.map.rightGain;
    if (soft) {
      left = left * settings.softBearingFactorLeft * kSoftBearingUnit;
      right = right * settings.softBearingFactorRight * kSoftBearingUnit;
    }
    state.LeftWave[j] = left;
    state.RightWave[j] = right;
  }
  state.LeftWave[0] += kWaveZeroNudge;
  state.RightWave[0] += kWaveZeroNudge;
}

}  // namespace

void AcquireRevolutions(ControlLink& link, const AcquisitionSettings& settings,
                        const SensorMap& map, OperatorUi& ui, SpinState& state, int revolutions) {
  SpinActiveBinding binding(link, state);
  AcquiringMark acquiringMark(state);
  if (revolutions < 1) revolutions = 1;

  std::optional<double> speedBefore = StartingSpeed(link, ui, state);
  if (!speedBefore) return;

  int angle = 0;
  SamplePacket packet;
  int implausible = 0;  // packets that did not fit, over the whole acquisition
  if (!SynchroniseToZero(link, ui, state, *speedBefore, angle, packet, implausible)) return;
  if (packet.step < 1) {
    state.SpinActive = 0;
    if (link.connected) SetMotorPower(link, 0);
    ui.ShowMessage(LowSpeedFirmwareMessage());
    return;
  }

  WaveSums sums;
  RevolutionGathering gathering(link, ui, state, *speedBefore, revolutions, implausible);
  if (!gathering.Run(sums, packet, angle)) return;

  if (!FinishingSpeed(link, ui, state, *speedBefore)) return;
  StoreWaves(sums, revolutions, settings, map, state);
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
