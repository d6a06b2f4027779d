// Gathers whole revolutions of the control's sample packets into the two
// per-degree sensor waves, normalised to the reference speed and calibrated.
#pragma once

#include "base/operator_message.h"
#include "device/control_commands.h"
#include "device/control_link.h"
#include "measure/sensor_map.h"
#include "measure/spin_state.h"

namespace balancer {

class OperatorUi;

// Sensor and calibration values the acquisition scales by.
struct AcquisitionSettings {
  int suspension = 0;  // 0 Hard Bearing, 1 Soft Bearing
  int sensorType = 0;  // 0 LVDT, 1 Piezo, 2 Magnet-Coil, 3 Accelerometer
  double calibrationFactorLeft = 2.0;
  double calibrationFactorRight = 2.0;
  double softBearingFactorLeft = 30.0;
  double softBearingFactorRight = 30.0;
};

// The acquisition gives up when no degree has been filled for this long (a
// shaft that stopped while the control keeps answering), or after this many
// packets without progress on a clock that does not move.
constexpr uint32_t kAcquisitionStallMs = 10000;
// Finding zero degrees takes up to one revolution: a minute at 1 rpm.
constexpr uint32_t kSynchronisationLimitMs = 60000;
constexpr long kAcquisitionStallPackets = 200000;

// A speed above this is not one a balancing machine turns at: the control's
// reading is wrong, and the lag and speed normalisation would be nonsense.
constexpr double kMaxAcquisitionRpm = 5000.0;

// Packets that do not fit the stream (counts or step out of range, angles
// outside the circle, behind the bin pointer or further ahead than the shaft
// can have turned) tolerated in one acquisition. A working control sends none
// of them; a control that keeps sending them ends the spin with
// ImplausibleSamplesMessage and no reading.
constexpr int kImplausiblePacketLimit = 6;
// Degrees a packet may reach ahead of the bin pointer whatever the time since
// the last one (a clock that does not move, a control that batches groups).
constexpr double kPacketReachFloorDeg = 45.0;
// An angle that does not move while synchronising is a shaft that does not
// turn: given up after this plus the time the measured speed needs for
// kFrozenAngleDegrees (at most kSynchronisationLimitMs).
constexpr uint32_t kFrozenAngleBaseMs = 1000;
constexpr double kFrozenAngleDegrees = 10.0;

// How a sample packet fits the revolutions gathered so far.
struct PacketCheck {
  bool implausible = false;  // counts against kImplausiblePacketLimit
  bool use = true;           // its samples may go into the waves
  bool late = false;         // starts behind the bin pointer: first group only
  int gap = 0;               // otherwise degrees from the bin pointer to its first group
};

// Judges a packet read while gathering. `angle` is the angle ReadShaftAngle
// returned for it, `binPointer` the degree the next sample goes to and
// `reachDeg` how far ahead of the bin pointer its last group may end.
PacketCheck CheckSamplePacket(const SamplePacket& packet, int angle, int binPointer,
                              double reachDeg);
// The reach for a shaft at `rpm` when `elapsedMs` passed since the last
// packet used.
double PacketReachDeg(double rpm, uint32_t elapsedMs);

// Multiplier that brings the samples to the reference speed of 400 rpm.
double SpeedFactor(int suspension, int sensorType, double averageSpeed);

// Sampling lag in degrees for the step of the last packet.
double LagEstimateFor(int lastStep, double averageSpeed);

// Reads `revolutions` whole revolutions and leaves the waves, AverageSpeed,
// LagEstimate and the map values in `state`. Clears state.SpinActive on a
// cancel (motor off and brake pulse), at standstill, when no speed could be
// measured before or after the revolutions (AverageSpeed then stays as it
// was), on a failed transfer, when the control cannot sample at this
// speed (with its message), when the shaft angle stands still or stops
// advancing (NoRotationMessage) and when the control keeps sending packets
// that cannot be right (ImplausibleSamplesMessage); the last three also
// switch the motor off. Sets state.acquiring for the call. Advances
// the progress counter per revolution. Blocks for the revolutions.
void AcquireRevolutions(ControlLink& link, const AcquisitionSettings& settings,
                        const SensorMap& map, OperatorUi& ui, SpinState& state, int revolutions);

OperatorMessage LowSpeedFirmwareMessage();
// "ERROR": sample packets that do not fit the shaft's turning.
OperatorMessage ImplausibleSamplesMessage();

}  // namespace balancer
