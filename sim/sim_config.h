// Machine and rotor description of the simulated control, and its file format.
//
// A machine file is plain text, one "key = value" per line; '#' starts a
// comment, blank lines are ignored. Unknown keys, bad numbers and values out
// of range are errors (the loader reports the line). Keys (defaults = the
// default machine, which reads true with the program's default settings):
//
//   Control
//     firmware = 0x0304            bcdDevice reported in the descriptor (hex or decimal)
//     eeprom_blank = 0             1: every EEPROM byte 0xFF (a fresh control)
//     eeprom_flags = 0             byte at address 0
//     eeprom_text = 0.0,0.0,2.0000,2.0000,0,0.0,1.0000,0,   text at addresses 1..62 (rest 0)
//     option_port_type = 0         byte at address 150
//   Motor
//     max_rpm = 1800               steady speed at power 255
//     motor_time_constant = 0.4    seconds, first-order response to power
//     breakaway_power = 16         a standing shaft does not start below this power
//     hold_power = 10              power at which the steady speed is 0 (below breakaway)
//     coast_time_constant = 8      seconds, speed-proportional drag with power 0
//     coast_friction = 15          rpm/s, constant friction with power 0
//     brake_decel = 1500           rpm/s while the brake output (request 6) is on
//     reverse = 0                  1: the motor turns the shaft backwards
//     manual_drive_rpm = none      shaft turned externally at this (signed) speed; power ignored
//     speed_noise_rpm = 0          sigma of the noise on the reported speed
//   Sampling
//     max_group_rate = 3000        groups per second; the step doubles above it
//     min_sample_rpm = 20          below this the control cannot sample (step 0)
//     transfer_us = 500            duration of one transfer on a virtual clock
//   Rotor and machine geometry (inches, gram-inches, degrees; axial positions from the left
//   upright)
//     upright_spacing = 20
//     left_plane = 0               axial position of the left unbalance plane
//     right_plane = (upright_spacing)
//     left_unbalance = 40          left_angle = 30
//     right_unbalance = 25         right_angle = 210
//     mass = grams, radius, angle, axial     one point mass per line (negative grams: material
//     removed)
//   Sensors
//     suspension = hard            hard | soft (or 0 | 1)
//     sensor_type = LVDT           LVDT | Piezo | Magnet-Coil | Accelerometer (or 0..3)
//     gain_left = 0.5              gain_right = 0.5      counts per gram-inch at 400 rpm
//     electronics_delay_ms = 2.333333333
//     phase_offset_left = -3.5     phase_offset_right = -3.6   degrees
//     offset_left = 0              offset_right = 0       counts added to midscale 2048
//     noise = 0.5                  sigma of white noise, counts
//     noise_seed = 1
//     harmonic2 = 0                harmonic2_angle = 0    counts, degrees (runout, both sides)
//     harmonic3 = 0                harmonic3_angle = 0
//     crosstalk = 0                share of each upright's unbalance the other sensor also
//                                  sees (0..1): a machine whose planes are not separated
//   Option port
//     option_encoder = 0           1: an absolute-position option encoder is fitted
//     option_encoder_counts_per_inch = 1000
//     option_encoder_position = 0  inches
//     photo_eye_mark = 0           rotor angle of the photo-eye mark, degrees
//   Remote start
//     remote_start_at_ms = none    the remote-start button is pressed at this time
//     remote_start_hold_ms = 200   and held this long
//   Faults
//     unplug_after_requests = none the control goes away after this many transfers
//     unplug_at_ms = none          ... or at this time
//     replug_after_ms = none       and comes back this long after it went away
//     fail_requests = 1,2          these request codes fail with fail_error
//     fail_every = 0               every Nth transfer fails with fail_error
//     fail_error = 31
//     stall_requests = 2           these request codes take stall_ms longer
//     stall_every = 0              every Nth transfer takes stall_ms longer
//     stall_ms = 0
//     transfer_timeout_ms = 5000   a transfer stalled this long fails with 121
//   Workshop (a correction carried out on the simulated shaft)
//     workshop_seed = none         seed of the small errors per hole or slug; none: the demo
//                                  picks one per start, balancer-cli one per shaft file
//     workshop_angle_error = 1.5   degrees, the largest angle error of a hole or slug
//     workshop_amount_error = 2    percent, the largest error of its amount
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace balancer::sim {

// A mass fixed to the rotor: drilled holes are negative masses, slugs positive.
struct PointMass {
  double grams = 0.0;
  double radius = 0.0;  // inches
  double angle = 0.0;   // degrees, rotor frame
  double axial = 0.0;   // inches from the left upright
};

enum class Suspension { kHard = 0, kSoft = 1 };
enum class SensorType { kLvdt = 0, kPiezo = 1, kMagnetCoil = 2, kAccelerometer = 3 };

struct SimConfig {
  // Control.
  uint16_t firmware = 0x0304;
  bool eepromBlank = false;
  int eepromFlags = 0x00;
  std::string eepromText = "0.0,0.0,2.0000,2.0000,0,0.0,1.0000,0,";
  int optionPortType = 0;

  // Motor.
  double maxRpm = 1800.0;
  double motorTimeConstant = 0.4;
  int breakawayPower = 16;
  int holdPower = 10;
  double coastTimeConstant = 8.0;
  double coastFriction = 15.0;
  double brakeDecel = 1500.0;
  bool reverse = false;
  std::optional<double> manualDriveRpm;
  double speedNoiseRpm = 0.0;

  // Sampling.
  double maxGroupRate = 3000.0;
  double minSampleRpm = 20.0;
  int transferUs = 500;

  // Rotor.
  double uprightSpacing = 20.0;
  double leftPlane = 0.0;
  std::optional<double> rightPlane;  // unset: at the right upright
  double leftUnbalance = 40.0;
  double leftAngle = 30.0;
  double rightUnbalance = 25.0;
  double rightAngle = 210.0;
  std::vector<PointMass> masses;

  // Sensors.
  Suspension suspension = Suspension::kHard;
  SensorType sensorType = SensorType::kLvdt;
  double gainLeft = 0.5;
  double gainRight = 0.5;
  double electronicsDelayMs = 14.0 / 6.0;
  double phaseOffsetLeft = -3.5;
  double phaseOffsetRight = -3.6;  // right channel converted just after the left
  double offsetLeft = 0.0;
  double offsetRight = 0.0;
  double noise = 0.5;
  uint32_t noiseSeed = 1;
  double harmonic2 = 0.0;
  double harmonic2Angle = 0.0;
  double harmonic3 = 0.0;
  double harmonic3Angle = 0.0;
  double crosstalk = 0.0;

  // Option port.
  bool optionEncoder = false;
  double optionEncoderCountsPerInch = 1000.0;
  double optionEncoderPosition = 0.0;
  double photoEyeMark = 0.0;

  // Remote start.
  std::optional<double> remoteStartAtMs;
  double remoteStartHoldMs = 200.0;

  // Faults.
  std::optional<long> unplugAfterRequests;
  std::optional<double> unplugAtMs;
  std::optional<double> replugAfterMs;
  std::vector<int> failRequests;
  long failEvery = 0;
  uint32_t failError = 31;
  std::vector<int> stallRequests;
  long stallEvery = 0;
  double stallMs = 0.0;
  double transferTimeoutMs = 5000.0;

  // Workshop.
  std::optional<uint32_t> workshopSeed;
  double workshopAngleError = 1.5;
  double workshopAmountError = 2.0;

  double RightPlane() const { return rightPlane ? *rightPlane : uprightSpacing; }
};

// Applies one "key = value" line (comments and blank lines are accepted and
// ignored). Returns false with a message in `error` on a bad line; `config`
// may then hold a partial change of that key only.
bool ApplySimConfigLine(SimConfig& config, const std::string& line, std::string& error);

// Parses a whole machine file text over `config`. Errors name the line.
bool ParseSimConfig(SimConfig& config, const std::string& text, std::string& error);

// Reads and parses a file; "" leaves the default machine.
bool LoadSimConfigFile(SimConfig& config, const std::string& path, std::string& error);

// Cross-field checks (spacing above 0, powers in range...). Called by the parsers.
bool ValidateSimConfig(const SimConfig& config, std::string& error);

}  // namespace balancer::sim
