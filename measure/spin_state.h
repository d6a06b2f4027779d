// The spin state: one record for the whole run, alive across spins. The spin
// sequence, the acquisition and the evaluation fill it; the main screen, the
// calibration screen and the correction pass read it.
#pragma once

#include "device/control_link.h"
#include "measure/plane_reading.h"
#include "measure/sensor_map.h"
#include "measure/unbalance_fit.h"

namespace balancer {

constexpr int kStartPowerMin = 8;
// Progress total that marks the safety-check measurement (no progress shown).
constexpr int kSafetyCheckProgressTotal = 100;

struct SpinState {
  int SpinActive = 0;
  int StartPower = kStartPowerMin;
  int progressTotal = 0;
  int progressDone = 0;
  // 1 while AcquireRevolutions runs: the speed bar then shows progress.
  int acquiring = 0;
  int LeftSensorOk = 1;
  int RightSensorOk = 1;
  PlaneReading left;
  PlaneReading right;
  // 1 when a transfer failed during the last spin ("USB Communication Error").
  int transferFailed = 0;

  // Last acquisition.
  double LeftWave[kWaveSize] = {0.0001};
  double RightWave[kWaveSize] = {0.0001};
  double AverageSpeed = 0.0;
  double LagEstimate = 0.0;
  double SpeedFactor = 1.0;
  int lastStep = 0;
  SensorMapValues map;  // sensor map values at AverageSpeed

  // Last evaluation per side (also read by the calibration screen).
  SideFit leftFit;
  SideFit rightFit;
};

// Points the link's SpinActive at this state for the duration of a call, so
// that failed commands end this spin.
class SpinActiveBinding {
 public:
  SpinActiveBinding(ControlLink& link, SpinState& state) : link_(link), saved_(link.spinActive) {
    link.spinActive = &state.SpinActive;
  }
  ~SpinActiveBinding() { link_.spinActive = saved_; }

 private:
  ControlLink& link_;
  int* saved_;
};

}  // namespace balancer
