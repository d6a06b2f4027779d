#include "sim/simulated_control.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <thread>

#include "device/control_commands.h"
#include "device/usb_layout.h"

namespace balancer::sim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = kPi / 180.0;
constexpr int64_t kPhysicsStepUs = 100;
// When the physics is far behind (real time, nobody asking), everything but
// the last second is integrated in coarse steps without sampling: only the
// newest 20 groups could survive anyway.
constexpr int64_t kCatchUpWindowUs = 1000000;
constexpr int64_t kCoarseStepUs = 10000;
constexpr size_t kMaxLogEntries = 500000;

int FloorMod360(double degrees) {
  double f = std::floor(degrees);
  double m = std::fmod(f, 360.0);
  if (m < 0) m += 360.0;
  int r = static_cast<int>(m);
  return r >= 360 ? 0 : r;
}

bool Contains(const std::vector<int>& list, int value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

SimulatedControl::SimulatedControl(Clock& clock, const SimConfig& config)
    : clock_(clock),
      virtualClock_(dynamic_cast<VirtualClock*>(&clock)),
      config_(config),
      rng_(config.noiseSeed) {
  physicsUs_ = clock_.NowMicros();
  if (config_.manualDriveRpm) SetManualDrive(*config_.manualDriveRpm);
  if (config_.remoteStartAtMs) {
    remoteStartFromUs_ = static_cast<int64_t>(*config_.remoteStartAtMs * 1000.0);
    remoteStartUntilUs_ =
        remoteStartFromUs_ + static_cast<int64_t>(config_.remoteStartHoldMs * 1000.0);
  }
  std::memset(eeprom_, 0xFF, sizeof(eeprom_));
  if (!config_.eepromBlank) {
    eeprom_[0] = static_cast<uint8_t>(config_.eepromFlags);
    for (int n = 1; n <= 62; ++n) {
      size_t i = static_cast<size_t>(n - 1);
      eeprom_[n] = i < config_.eepromText.size() ? static_cast<uint8_t>(config_.eepromText[i]) : 0;
    }
    eeprom_[150] = static_cast<uint8_t>(config_.optionPortType);
  }
  UpdateReactions();
}

double SimulatedControl::EncoderAngle() const {
  double e = std::fmod(rotorDeg_ - zeroOffset_, 360.0);
  return e < 0 ? e + 360.0 : e;
}

void SimulatedControl::SetEepromByte(int address, uint8_t value) {
  if (address >= 0 && address < 256) eeprom_[address] = value;
}

void SimulatedControl::SetManualDrive(double rpm) {
  manual_ = true;
  manualRpm_ = rpm;
}

void SimulatedControl::ClearManualDrive() {
  manual_ = false;
}

void SimulatedControl::SetPlaneUnbalance(Side side, double gramInches, double angle) {
  if (side == Side::kLeft) {
    config_.leftUnbalance = gramInches;
    config_.leftAngle = angle;
  } else {
    config_.rightUnbalance = gramInches;
    config_.rightAngle = angle;
  }
  UpdateReactions();
}

void SimulatedControl::AddMass(const PointMass& mass) {
  config_.masses.push_back(mass);
  UpdateReactions();
}

bool SimulatedControl::RemoveMass(const PointMass& mass) {
  for (size_t i = config_.masses.size(); i-- > 0;) {
    const PointMass& m = config_.masses[i];
    if (m.grams == mass.grams && m.radius == mass.radius && m.angle == mass.angle &&
        m.axial == mass.axial) {
      config_.masses.erase(config_.masses.begin() + static_cast<std::ptrdiff_t>(i));
      UpdateReactions();
      return true;
    }
  }
  return false;
}

void SimulatedControl::ClearMasses() {
  config_.masses.clear();
  UpdateReactions();
}

void SimulatedControl::UprightUnbalance(Side side, double& amount, double& angle) const {
  amount = reactionAmount_[static_cast<int>(side)];
  angle = reactionAngle_[static_cast<int>(side)];
}

void SimulatedControl::UpdateReactions() {
  const double d = config_.uprightSpacing;
  double x[2] = {0, 0};
  double y[2] = {0, 0};
  auto add = [&](double gramInches, double angle, double z) {
    double ux = gramInches * std::cos(angle * kDegToRad);
    double uy = gramInches * std::sin(angle * kDegToRad);
    double toRight = z / d;  // lever rule about the left upright
    x[0] += ux * (1.0 - toRight);
    y[0] += uy * (1.0 - toRight);
    x[1] += ux * toRight;
    y[1] += uy * toRight;
  };
  add(config_.leftUnbalance, config_.leftAngle, config_.leftPlane);
  add(config_.rightUnbalance, config_.rightAngle, config_.RightPlane());
  for (const PointMass& m : config_.masses) add(m.grams * m.radius, m.angle, m.axial);
  // Each sensor also picks up a share of the other upright's motion.
  const double c = config_.crosstalk;
  if (c != 0.0) {
    const double lx = x[0], ly = y[0];
    x[0] += c * x[1];
    y[0] += c * y[1];
    x[1] += c * lx;
    y[1] += c * ly;
  }
  for (int s = 0; s < 2; ++s) {
    reactionAmount_[s] = std::hypot(x[s], y[s]);
    double a = std::atan2(y[s], x[s]) / kDegToRad;
    reactionAngle_[s] = a < 0 ? a + 360.0 : a;
  }
}

void SimulatedControl::PressRemoteStart(double holdMs) {
  remoteStartFromUs_ = clock_.NowMicros();
  remoteStartUntilUs_ = remoteStartFromUs_ + static_cast<int64_t>(holdMs * 1000.0);
}

void SimulatedControl::Unplug() {
  if (!present_) return;
  present_ = false;
  // The firmware drops the motor when the host goes away.
  power_ = 0;
  brake_ = false;
  replugAtUs_ = config_.replugAfterMs
                    ? clock_.NowMicros() + static_cast<int64_t>(*config_.replugAfterMs * 1000.0)
                    : -1;
}

void SimulatedControl::Replug() {
  present_ = true;
  replugAtUs_ = -1;
}

void SimulatedControl::SetFailRequests(const std::vector<int>& codes, uint32_t error) {
  config_.failRequests = codes;
  config_.failError = error;
}

void SimulatedControl::SetStall(const std::vector<int>& codes, long every, double ms) {
  config_.stallRequests = codes;
  config_.stallEvery = every;
  config_.stallMs = ms;
}

void SimulatedControl::CheckSchedule(int64_t nowUs) {
  if (config_.unplugAtMs && !unplugScheduled_ &&
      nowUs >= static_cast<int64_t>(*config_.unplugAtMs * 1000.0)) {
    unplugScheduled_ = true;
    Unplug();
  }
  if (!present_ && replugAtUs_ >= 0 && nowUs >= replugAtUs_) Replug();
}

bool SimulatedControl::Present() {
  int64_t now = clock_.NowMicros();
  AdvanceTo(now);
  CheckSchedule(now);
  return present_;
}

bool SimulatedControl::ReadDescriptor(uint8_t d[kDeviceDescriptorSize]) {
  if (!Present()) return false;
  BuildControlDescriptor(static_cast<uint16_t>(config_.firmware), d);
  return true;
}

double SimulatedControl::SpeedResponse(double rpm) const {
  double n = std::fabs(rpm);
  double r = n / 400.0;
  if (config_.suspension == Suspension::kSoft || config_.sensorType == SensorType::kLvdt ||
      config_.sensorType == SensorType::kPiezo) {
    return r * r;
  }
  if (config_.sensorType == SensorType::kMagnetCoil) {
    double k = (600.0 - n) * 0.00015 + 1.0;
    return r * r * r / std::max(k, 0.01);
  }
  return 1.0;  // hard-bearing accelerometer
}

int SimulatedControl::StepForSpeed(double rpm, int currentStep) const {
  double n = std::fabs(rpm);
  if (n < config_.minSampleRpm || n <= 0.0) return 0;
  double rate = n * 6.0;
  int s = 1;
  while (rate / s > config_.maxGroupRate && s < 64) s *= 2;
  if (currentStep > s) {
    // Come down only once the smaller step is comfortably within the rate.
    int c = currentStep;
    while (c > s && rate / (c / 2) < 0.8 * config_.maxGroupRate) c /= 2;
    return c;
  }
  return s;
}

void SimulatedControl::ResetSampling() {
  groupCount_ = 0;
  groupHead_ = 0;
  direction_ = 0;
}

void SimulatedControl::Sample(double encoderPos, double rotorPos, double rpm) {
  Group g;
  g.angle = FloorMod360(std::round(encoderPos));
  g.rotorPsi = rotorPos - rpm * 6.0 * config_.electronicsDelayMs * 0.001;
  g.absRpm = std::fabs(rpm);
  if (groupCount_ == 20) {
    groups_[groupHead_] = g;
    groupHead_ = (groupHead_ + 1) % 20;
    ++groupsLost_;
  } else {
    groups_[(groupHead_ + groupCount_) % 20] = g;
    ++groupCount_;
  }
}

void SimulatedControl::PhysicsStep(double dtUs, bool sample) {
  const double dt = dtUs * 1e-6;
  const double oldRpm = rpm_;
  if (manual_) {
    rpm_ = manualRpm_;
  } else {
    const double dir = config_.reverse ? -1.0 : 1.0;
    double v = rpm_ * dir;  // along the motor's direction
    double target = 0.0;
    if (power_ > config_.holdPower) {
      target = config_.maxRpm * (power_ - config_.holdPower) / (255.0 - config_.holdPower);
    }
    bool driven = power_ > 0 && target > 0 && (v > 0 || power_ >= config_.breakawayPower);
    if (driven) {
      v = target + (v - target) * std::exp(-dt / config_.motorTimeConstant);
    } else {
      // Drag proportional to speed plus constant friction, down to a stop.
      double mag = std::fabs(v);
      double ft = config_.coastFriction * config_.coastTimeConstant;
      mag = (mag + ft) * std::exp(-dt / config_.coastTimeConstant) - ft;
      v = v < 0 ? -std::max(mag, 0.0) : std::max(mag, 0.0);
    }
    if (brake_) {
      double mag = std::max(std::fabs(v) - config_.brakeDecel * dt, 0.0);
      v = v < 0 ? -mag : mag;
    }
    rpm_ = v * dir;
  }
  const double rotorNew = rotorDeg_ + (oldRpm + rpm_) * 0.5 * 6.0 * dt;

  if (sample) {
    const double eOld = rotorDeg_ - zeroOffset_;
    const double eNew = rotorNew - zeroOffset_;
    int sign = rpm_ > 0 ? 1 : (rpm_ < 0 ? -1 : 0);
    int newStep = StepForSpeed(rpm_, step_);
    if (newStep != step_ || (newStep > 0 && sign != direction_)) {
      // Groups of another step or direction cannot share a packet.
      groupCount_ = 0;
      groupHead_ = 0;
      step_ = newStep;
      direction_ = step_ > 0 ? sign : 0;
      if (direction_ > 0) nextSample_ = std::ceil(eOld / step_) * step_;
      if (direction_ < 0) nextSample_ = std::floor(eOld / step_) * step_;
    }
    const double span = eNew - eOld;
    if (direction_ > 0 && span > 0) {
      while (nextSample_ <= eNew) {
        double f = (nextSample_ - eOld) / span;
        Sample(nextSample_, rotorDeg_ + (rotorNew - rotorDeg_) * f, oldRpm + (rpm_ - oldRpm) * f);
        nextSample_ += step_;
      }
    } else if (direction_ < 0 && span < 0) {
      while (nextSample_ >= eNew) {
        double f = (nextSample_ - eOld) / span;
        Sample(nextSample_, rotorDeg_ + (rotorNew - rotorDeg_) * f, oldRpm + (rpm_ - oldRpm) * f);
        nextSample_ -= step_;
      }
    }
  } else {
    groupCount_ = 0;
    groupHead_ = 0;
    direction_ = 0;
  }

  if (photoEyeMode_ & 0x02) {
    // The mark re-synchronises the encoder zero as it passes the photo eye.
    double lo = std::min(rotorDeg_, rotorNew);
    double hi = std::max(rotorDeg_, rotorNew);
    double k = std::floor((hi - config_.photoEyeMark) / 360.0);
    double crossing = config_.photoEyeMark + 360.0 * k;
    if (crossing > lo && crossing <= hi) {
      double delta = crossing - zeroOffset_;
      double turns = std::round(delta / 360.0);
      zeroOffset_ = crossing;
      if (std::fabs(delta - turns * 360.0) < 1e-9) {
        // Same zero a whole turn on: the encoder count just wraps.
        nextSample_ -= turns * 360.0;
      } else {
        ResetSampling();
      }
    }
  }
  rotorDeg_ = rotorNew;
}

void SimulatedControl::AdvanceTo(int64_t us) {
  while (physicsUs_ < us) {
    const int64_t remaining = us - physicsUs_;
    const bool standing =
        !manual_ && rpm_ == 0.0 && (power_ < config_.breakawayPower || power_ <= config_.holdPower);
    if (standing) {
      physicsUs_ = us;
      break;
    }
    if (remaining > kCatchUpWindowUs + kCoarseStepUs) {
      int64_t dt = std::min<int64_t>(remaining - kCatchUpWindowUs, kCoarseStepUs);
      PhysicsStep(static_cast<double>(dt), false);
      physicsUs_ += dt;
    } else {
      int64_t dt = std::min<int64_t>(remaining, kPhysicsStepUs);
      PhysicsStep(static_cast<double>(dt), true);
      physicsUs_ += dt;
    }
  }
}

int SimulatedControl::SensorValue(Side side, const Group& g) {
  const int s = static_cast<int>(side);
  const double gain = side == Side::kLeft ? config_.gainLeft : config_.gainRight;
  const double phase = side == Side::kLeft ? config_.phaseOffsetLeft : config_.phaseOffsetRight;
  const double offset = side == Side::kLeft ? config_.offsetLeft : config_.offsetRight;
  const double psi = std::fmod(g.rotorPsi, 360.0);
  double v = 2048.0 + offset;
  double amplitude = gain * reactionAmount_[s] * SpeedResponse(g.absRpm);
  v += amplitude * std::cos(std::fmod(psi - reactionAngle_[s] + 90.0 - phase, 360.0) * kDegToRad);
  if (config_.harmonic2 != 0.0) {
    v += config_.harmonic2 *
         std::cos(std::fmod(2.0 * psi - config_.harmonic2Angle, 360.0) * kDegToRad);
  }
  if (config_.harmonic3 != 0.0) {
    v += config_.harmonic3 *
         std::cos(std::fmod(3.0 * psi - config_.harmonic3Angle, 360.0) * kDegToRad);
  }
  if (config_.noise > 0.0) v += config_.noise * normal_(rng_);
  double r = std::floor(v + 0.5);
  if (r < 0) r = 0;
  if (r > 4095) r = 4095;
  return static_cast<int>(r);
}

void SimulatedControl::BuildPacket(uint8_t reply[kReplySize]) {
  int angle = FloorMod360(rotorDeg_ - zeroOffset_);
  reply[0] = static_cast<uint8_t>(groupCount_);
  reply[1] = static_cast<uint8_t>(step_);
  if (groupCount_ > 0) angle = groups_[groupHead_].angle;
  reply[2] = static_cast<uint8_t>(angle & 0xFF);
  reply[3] = static_cast<uint8_t>((angle >> 8) & 0xFF);
  for (int k = 0; k < groupCount_; ++k) {
    const Group& g = groups_[(groupHead_ + k) % 20];
    int left = SensorValue(Side::kLeft, g);
    int right = SensorValue(Side::kRight, g);
    EncodeSampleGroup(static_cast<uint16_t>(left), static_cast<uint16_t>(right), reply + 4 + 3 * k);
  }
  groupCount_ = 0;
  groupHead_ = 0;
}

void SimulatedControl::AppendLog(const RequestLogEntry& entry) {
  if (log_.size() < kMaxLogEntries) {
    log_.push_back(entry);
  } else {
    ++logDropped_;
  }
  if (sink_) sink_(entry);
}

uint32_t SimulatedControl::Transfer(uint8_t request, uint16_t value, uint8_t reply[kReplySize]) {
  const int64_t now = clock_.NowMicros();
  AdvanceTo(now);
  CheckSchedule(now);

  RequestLogEntry entry;
  entry.timeUs = now;
  entry.request = request;
  entry.value = value;

  int64_t durationUs = config_.transferUs;
  double stallMs = 0.0;
  uint32_t status = 0;
  if (!present_) {
    status = kErrorBadCommand;
  } else {
    ++requestCount_;
    if (config_.unplugAfterRequests && !unplugCountDone_ &&
        requestCount_ > *config_.unplugAfterRequests) {
      unplugCountDone_ = true;
      Unplug();
      status = kErrorBadCommand;
    } else {
      bool stall = (config_.stallEvery > 0 && requestCount_ % config_.stallEvery == 0) ||
                   Contains(config_.stallRequests, request);
      if (stall) stallMs = config_.stallMs;
      if (stallMs >= config_.transferTimeoutMs) {
        stallMs = config_.transferTimeoutMs;
        status = kErrorSemTimeout;
      } else if ((config_.failEvery > 0 && requestCount_ % config_.failEvery == 0) ||
                 Contains(config_.failRequests, request)) {
        status = config_.failError;
      } else {
        uint8_t data[kReplySize];
        status = Execute(request, value, data);
        if (status == 0) std::memcpy(reply, data, kReplySize);
      }
    }
  }
  durationUs += static_cast<int64_t>(stallMs * 1000.0);
  if (virtualClock_) {
    virtualClock_->AdvanceMicros(durationUs);
  } else if (stallMs > 0.0) {
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<int64_t>(stallMs * 1000.0)));
  }
  entry.status = status;
  AppendLog(entry);
  return status;
}

uint32_t SimulatedControl::Execute(uint8_t request, uint16_t value, uint8_t reply[kReplySize]) {
  std::memset(reply, 0, kReplySize);
  const int64_t now = clock_.NowMicros();
  switch (request) {
    case 0:
      zeroOffset_ = rotorDeg_;
      ResetSampling();
      return 0;
    case 1: {
      power_ = std::min<int>(value, 255);
      double reported = rpm_;
      if (config_.speedNoiseRpm > 0.0) reported += config_.speedNoiseRpm * normal_(rng_);
      long s = std::lround(reported);
      s = std::max(-32768L, std::min(32767L, s));
      uint16_t u = static_cast<uint16_t>(static_cast<int16_t>(s));
      reply[0] = static_cast<uint8_t>(u & 0xFF);
      reply[1] = static_cast<uint8_t>(u >> 8);
      reply[2] = (now >= remoteStartFromUs_ && now < remoteStartUntilUs_) ? 1 : 0;
      return 0;
    }
    case 2:
      BuildPacket(reply);
      return 0;
    case 3:
      for (int i = 0; i < kReplySize; ++i) {
        int address = value + i;
        reply[i] = address < 256 ? eeprom_[address] : 0xFF;
      }
      return 0;
    case 4:
      eeprom_[value >> 8] = static_cast<uint8_t>(value & 0xFF);
      return 0;
    case 6:
      brake_ = value != 0;
      return 0;
    case 7: {
      if (value == 0) {
        optionEncoderZero_ = config_.optionEncoderPosition;
        return 0;
      }
      long position = -32768;
      if (config_.optionEncoder) {
        position = std::lround((config_.optionEncoderPosition - optionEncoderZero_) *
                               config_.optionEncoderCountsPerInch);
        position = std::max(-32767L, std::min(32767L, position));
      }
      uint16_t u = static_cast<uint16_t>(static_cast<int16_t>(position));
      reply[0] = static_cast<uint8_t>(u & 0xFF);
      reply[1] = static_cast<uint8_t>(u >> 8);
      return 0;
    }
    case 8:
      photoEyeMode_ = value & 0xFF;
      return 0;
    default:
      // The firmware stalls the pipe on a request it does not know.
      return kErrorGenFailure;
  }
}

}  // namespace balancer::sim
