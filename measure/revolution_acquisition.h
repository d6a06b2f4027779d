// Gathers whole revolutions of the control's sample packets into the two
// per-degree sensor waves, normalised to the reference speed and calibrated.
#pragma once

#include "base/operator_message.h"
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

// Multiplier that brings the samples to the reference speed of 400 rpm.
double SpeedFactor(int suspension, int sensorType, double averageSpeed);

// Sampling lag in degrees for the step of the last packet.
double LagEstimateFor(int lastStep, double averageSpeed);

// Reads `revolutions` whole revolutions and leaves the waves, AverageSpeed,
// LagEstimate and the map values in `state`. Clears state.SpinActive on a
// cancel (motor off and brake pulse), at standstill, when no speed could be
// measured before or after the revolutions (AverageSpeed then stays as it
// was), on a failed transfer and when the control cannot sample at this
// speed (with its message). Sets state.acquiring for the call. Advances
// the progress counter per revolution. Blocks for the revolutions.
void AcquireRevolutions(ControlLink& link, const AcquisitionSettings& settings,
                        const SensorMap& map, OperatorUi& ui, SpinState& state, int revolutions);

OperatorMessage LowSpeedFirmwareMessage();

}  // namespace balancer
