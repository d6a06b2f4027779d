// The spin sequence: motor, speed regulation, acquisition sets, evaluation,
// averaging, end-of-spin messages. Runs on the caller's thread and blocks for
// the whole spin; the operator cancels through OperatorUi::PollCancel.
#pragma once

#include <vector>

#include "base/operator_message.h"
#include "device/control_link.h"
#include "measure/plane_reading.h"
#include "measure/revolution_acquisition.h"
#include "measure/sensor_map.h"
#include "measure/spin_state.h"
#include "base/machine_settings.h"

namespace balancer {

class OperatorUi;

enum : int { kSpeedManual = 0, kSpeedAuto = 1, kSpeedSemiAuto = 2 };

// Status line codes for ShowSpinStatus.
enum : int {
  kStatusPressAnyKey = 0,
  kStatusSafetyCheck = 1,
  kStatusBlank = 2,
  kStatusAcquiring = 3,
  kStatusAdjustingPower = 4,
  kStatusStabilizing = 5,
};

// Waits the spin bounds: the standstill before an Auto spin, the slow-down to
// 100 rpm after it, and the first turn of the motor at the start of a ramp.
constexpr uint32_t kStandstillWaitMs = 30000;
constexpr uint32_t kSlowDownWaitMs = 60000;
constexpr uint32_t kRampStartWaitMs = 10000;
constexpr uint32_t kSpeedPollMs = 10;
constexpr long kRampStartMaxSends = 100000;  // for a clock that does not move

// Values the spin needs that the settings record does not hold.
struct SpinOptions {
  double softBearingFactorLeft = 30.0;
  double softBearingFactorRight = 30.0;
};

// What the main window does around a spin. The Win32 front end implements it;
// the defaults do nothing (CLI, tests).
class SpinHost {
 public:
  virtual ~SpinHost() = default;
  // Before anything moves: ScreenCode 's', the Semi-Auto stable-speed counter
  // cleared, the main timer stopped. `stopButton`: the spin button shows its
  // stop image and the main window stays enabled so a touch can cancel;
  // otherwise the main window is disabled for the spin.
  virtual void SpinStarting(bool stopButton) {}
  // Shows the speed bar window unless it is shown; true when this call
  // created it.
  virtual bool OpenSpeedBar() { return false; }
  // The correction computation after every spin (also a failed one).
  virtual void ComputeCorrections() {}
  // Closes the speed bar when `closeSpeedBar`, invalidates the main window,
  // enables, activates and focuses it when `enableMainWindow`, restarts the
  // 30 ms timer and sets ScreenCode 'x'.
  virtual void SpinEnded(bool closeSpeedBar, bool enableMainWindow) {}
  // History hook, called only after a completed spin; the host appends when
  // its history is open for appending.
  virtual void AppendHistory(const PlaneReading& left, const PlaneReading& right) {}
  // The spin button's normal image; turns the drill-point option off if on.
  virtual void RestoreSpinButton() {}
};

// Runs one spin as the Spin/Acquire command does. Afterwards state.left and
// state.right hold the readings (0 after a failed or cancelled spin) and
// state.SpinActive is 1 only if the spin completed. Any transfer that failed
// during the spin sets state.transferFailed and ends with "USB Communication
// Error", even when later transfers succeeded.
void RunSpin(ControlLink& link, const MachineSettings& settings, const SpinOptions& options,
             const SensorMap& map, OperatorUi& ui, SpinHost& host, SpinState& state);

// Motor power steps from StartPower until the shaft turns; 1 if it turns.
int CheckRotation(ControlLink& link, OperatorUi& ui, SpinState& state);

// Regulates the motor power towards `target` rpm (at most 1000).
void RampToSpeed(ControlLink& link, OperatorUi& ui, SpinState& state, int target);

// Evaluates the present waves, both sides, into state.leftFit/rightFit.
void EvaluateSet(SpinState& state, const MachineSettings& settings);

AcquisitionSettings AcquisitionSettingsFrom(const MachineSettings& settings,
                                            const SpinOptions& options);

// Sets per spin for a sample quality (3, 7 or 21).
int SetsForQuality(int sampleQuality);

// Average of the sets' angles across 0/360.
double AverageSetAngles(const std::vector<double>& angles);

// Balancing speed from the safety measurement: 400 sqrt(9 power / m), at most
// shaftRpm; shaftRpm when nothing was measured.
int SafetyTargetSpeed(int motorPower, double largestAmount, int shaftRpm);

OperatorMessage NoRotationMessage();
OperatorMessage UsbCommunicationErrorMessage();
// Cable alert for the cleared sensor flags; both set gives an empty caption.
OperatorMessage SensorCableMessage(int leftOk, int rightOk);

}  // namespace balancer
