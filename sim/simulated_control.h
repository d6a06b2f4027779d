// The simulated control box: motor, shaft, encoder, two sensors on a rigid
// two-plane rotor, the EEPROM and the vendor request set, plus fault
// injection. It runs on a Clock: on a VirtualClock every transfer advances
// simulated time by its duration; on a real clock the physics catches up to
// Clock::NowMicros() at every transfer.
//
// How the sensor signals relate to the program's calibration
// -----------------------------------------------------------
// The unbalance of the rotor (the two plane unbalances plus every point mass,
// each a vector U at an axial position z from the left upright) is carried
// by the uprights by the lever rule: the right upright takes U * z / D and
// the left U * (D - z) / D, D being the upright spacing. A plane at an
// upright is therefore read there in full. The vector sum per upright is R
// (gram-inches) with the heavy spot at rotor angle theta.
//
// Each sensor sample is, in counts,
//   2048 + offset + gain * |R| * H(rpm) * cos(psi - theta + 90 - phaseOffset)
//        + harmonics + noise,   rounded and clipped to 0..4095,
// where psi is the rotor angle electronicsDelay seconds before the sample is
// taken (the sensor electronics lag) and H is the sensor's speed response,
// normalised to 1 at 400 rpm and chosen as the inverse of the program's
// speed normalisation:
//   LVDT, Piezo, or any soft bearing:   H = (rpm / 400)^2
//   hard-bearing Magnet-Coil:           H = (rpm / 400)^3 / ((600 - rpm) * 0.00015 + 1)
//   hard-bearing Accelerometer:         H = 1
// The program multiplies the per-degree average of the samples by
// SpeedFactor = 1 / H and the side's calibration factor (soft bearing also by
// softBearingFactor * 0.03), so it reads |R| * gain * calibrationFactor. The
// default gain of 0.5 counts per gram-inch makes the default calibration
// factor 2.0 read true. For any other machine: calibrationFactor = 1 / gain
// (soft bearing: 1 / (gain * softBearingFactor * 0.03)). One count is then
// 2 gram-inches at 400 rpm: a noise-free signal of a few counts is biased by
// the rounding to whole counts (the same samples every turn); the default
// noise of 0.5 counts dithers that away over the revolutions.
//
// Angle: the signal peaks where psi = theta - 90 + phaseOffset, i.e. at the
// encoder degree theta - 90 + rpm * 6 * electronicsDelay + phaseOffset. A
// group's value is taken at the start of its step and the program spreads it
// over the step's degrees, which moves the wave's maximum (step - 1) / 2
// degrees later. The program reads
//   angle = maximum + 90 + lagCompensation - LagEstimate (+0.1 on the right),
//   LagEstimate = (step - 1) * 0.5 + (rpm * 0.014 - 3.5).
// The default electronics delay of 0.014 / 6 s gives rpm * 0.014 degrees and
// the default phase offset is -3.5, so the default machine with lag
// compensation 0.0 reads theta on the left. The right channel is converted
// just after the left, so its signal leads by 0.1 degree (default phase
// offset -3.6), which the program's fixed +0.1 on the right takes back. For
// other values the matching lag compensation is
//   left:  lagCompensation = rpm * 6 * electronicsDelay + phaseOffset - (rpm * 0.014 - 3.5)
//   right: the same with phaseOffset + 0.1,
// which is independent of speed only when electronicsDelay is 0.014 / 6 s.
//
// Angles are in the rotor frame. The encoder counts from its zero: at start
// the rotor angle and the encoder angle agree; request 0 (and the photo-eye
// mark in photo-eye mode) moves the encoder zero to the present rotor angle
// (the mark).
//
// Samples: the control samples both sensors each time the encoder reaches a
// multiple of the present step. The step is the smallest power of two that
// keeps the group rate at or below max_group_rate (with some hysteresis on
// the way down), and 0 below min_sample_rpm. It keeps the newest 20 groups
// since the last request 2; older ones are lost, which the program sees as a
// gap. A change of step or of direction, and a zero, drops the groups held.
// In reverse rotation the groups are taken at descending multiples.
//
// Motor: power P (request 1) drives the speed first-order (time constant
// motor_time_constant) towards max_rpm * (P - hold_power) / (255 - hold_power).
// A standing shaft starts only at breakaway_power or more. With power 0 the
// shaft coasts (speed-proportional drag plus constant friction) to a stop;
// the brake output (request 6 value 1) adds brake_decel. A lost USB link
// switches the motor off. Manual drive turns the shaft at a fixed speed and
// ignores power and brake.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/control_transport.h"
#include "sim/sim_config.h"

namespace balancer::sim {

struct RequestLogEntry {
  int64_t timeUs = 0;  // clock time when the transfer started
  uint8_t request = 0;
  uint16_t value = 0;
  uint32_t status = 0;  // 0 or the error code returned
};

enum class Side { kLeft = 0, kRight = 1 };

class SimulatedControl {
 public:
  SimulatedControl(Clock& clock, const SimConfig& config);

  // USB side. Present() is false while unplugged. ReadDescriptor fills the
  // 18-byte device descriptor and returns false while unplugged.
  bool Present();
  bool ReadDescriptor(uint8_t descriptor[kDeviceDescriptorSize]);
  // One vendor IN transfer; returns 0 and fills reply (zeroed first), or an
  // error code. Advances a VirtualClock by the transfer's duration; on a
  // real clock a stall sleeps.
  uint32_t Transfer(uint8_t request, uint16_t value, uint8_t reply[kReplySize]);

  // Runs the physics up to clock time `us` (never backwards).
  void AdvanceTo(int64_t us);

  // State for tests and the controlsim console.
  double Rpm() const { return rpm_; }
  double RotorAngle() const { return rotorDeg_; }  // unwrapped degrees
  double EncoderAngle() const;                     // 0 .. below 360
  int MotorPower() const { return power_; }
  bool BrakeOn() const { return brake_; }
  int PhotoEyeMode() const { return photoEyeMode_; }
  int CurrentStep() const { return step_; }
  long GroupsLost() const { return groupsLost_; }
  long RequestCount() const { return requestCount_; }
  uint16_t Firmware() const { return config_.firmware; }
  const uint8_t* Eeprom() const { return eeprom_; }
  void SetEepromByte(int address, uint8_t value);
  const SimConfig& Config() const { return config_; }

  // Shaft and rotor.
  void SetManualDrive(double rpm);  // signed; the motor is ignored meanwhile
  void ClearManualDrive();
  void SetPlaneUnbalance(Side side, double gramInches, double angle);
  void AddMass(const PointMass& mass);
  // Takes off the last mass equal to `mass`; false when there is none.
  bool RemoveMass(const PointMass& mass);
  void ClearMasses();
  const std::vector<PointMass>& Masses() const { return config_.masses; }
  // Reaction vector at an upright as its sensor sees it (gram-inches,
  // rotor-frame angle in degrees; with the machine's crosstalk mixed in).
  void UprightUnbalance(Side side, double& amount, double& angle) const;
  void SetNoise(double sigmaCounts) { config_.noise = sigmaCounts; }
  void SetOptionEncoderPosition(double inches) { config_.optionEncoderPosition = inches; }

  // Remote-start button held from now for holdMs.
  void PressRemoteStart(double holdMs);

  // Faults. Unplug drops the link (motor off) until Replug or the configured
  // replug time; the schedule of the machine file still applies.
  void Unplug();
  void Replug();
  void SetFailRequests(const std::vector<int>& codes, uint32_t error = kErrorGenFailure);
  void SetFailEvery(long n) { config_.failEvery = n; }
  void SetStall(const std::vector<int>& codes, long every, double ms);

  // Request log: every transfer in order (capped; see LogDropped). The sink,
  // when set, also sees every entry as it happens.
  const std::vector<RequestLogEntry>& Log() const { return log_; }
  long LogDropped() const { return logDropped_; }
  void ClearLog() { log_.clear(); }
  void SetLogSink(std::function<void(const RequestLogEntry&)> sink) { sink_ = std::move(sink); }

  // Speed response H (see above) of this machine at `rpm`.
  double SpeedResponse(double rpm) const;
  // Step the control chooses for `rpm` coming from `currentStep`.
  int StepForSpeed(double rpm, int currentStep) const;

 private:
  struct Group {
    int angle = 0;        // encoder degree at which the group begins
    double rotorPsi = 0;  // delayed rotor angle the sensors saw
    double absRpm = 0;
  };

  void CheckSchedule(int64_t nowUs);
  void PhysicsStep(double dt, bool sample);
  void Sample(double encoderPos, double rotorPos, double rpm);
  void ResetSampling();
  void UpdateReactions();
  int SensorValue(Side side, const Group& g);
  void BuildPacket(uint8_t reply[kReplySize]);
  uint32_t Execute(uint8_t request, uint16_t value, uint8_t reply[kReplySize]);
  void AppendLog(const RequestLogEntry& entry);

  Clock& clock_;
  VirtualClock* virtualClock_;  // null on a real clock
  SimConfig config_;
  std::mt19937 rng_;
  std::normal_distribution<double> normal_{0.0, 1.0};

  int64_t physicsUs_ = 0;
  double rpm_ = 0.0;
  double rotorDeg_ = 0.0;
  double zeroOffset_ = 0.0;  // rotor angle of encoder zero (unwrapped)
  int power_ = 0;
  bool brake_ = false;
  bool manual_ = false;
  double manualRpm_ = 0.0;
  int photoEyeMode_ = 0;
  double optionEncoderZero_ = 0.0;
  int64_t remoteStartUntilUs_ = -1;
  int64_t remoteStartFromUs_ = -1;

  // Sampling.
  int step_ = 0;
  int direction_ = 0;  // +1, -1, 0 = not armed
  double nextSample_ = 0.0;
  Group groups_[20];
  int groupCount_ = 0;
  int groupHead_ = 0;  // index of the oldest
  long groupsLost_ = 0;

  // Rotor reactions per upright.
  double reactionAmount_[2] = {0, 0};
  double reactionAngle_[2] = {0, 0};

  uint8_t eeprom_[256];

  // Link and faults.
  bool present_ = true;
  bool unplugScheduled_ = false;  // unplug_at_ms already done
  bool unplugCountDone_ = false;  // unplug_after_requests already done
  int64_t replugAtUs_ = -1;
  long requestCount_ = 0;

  std::vector<RequestLogEntry> log_;
  long logDropped_ = 0;
  std::function<void(const RequestLogEntry&)> sink_;
};

}  // namespace balancer::sim
