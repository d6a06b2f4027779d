#include "measure/spin.h"

#include <algorithm>
#include <cmath>

#include "base/operator_ui.h"
#include "device/control_commands.h"

namespace balancer {

namespace {

constexpr int kRevolutionsPerSet = 3;
constexpr int kSafetySpeed = 230;
constexpr int kMaxRampTarget = 1000;
constexpr int kMaxCheckPower = 80;
constexpr int kRotationSeenRpm = 60;

uint32_t Now(ControlLink& link) {
  return link.clock ? link.clock->TickCount() : 0;
}

// Reads the speed with the motor off until it is at most `limitRpm` (0 means
// standing still), for at most `limitMs`. A shaft that never slows down must
// not hang the program.
void WaitForSpeedAtMost(ControlLink& link, int limitRpm, bool exactZero, uint32_t limitMs) {
  uint32_t start = Now(link);
  long polls = 0;
  const long maxPolls = static_cast<long>(limitMs / kSpeedPollMs) + 1;
  while (link.connected) {
    int speed = SetMotorPower(link, 0);
    if (exactZero ? speed == 0 : speed <= limitRpm) return;
    if (++polls > maxPolls || Now(link) - start >= limitMs) return;
    DelayMs(link, kSpeedPollMs);
  }
}

}  // namespace

int SetsForQuality(int sampleQuality) {
  if (sampleQuality == 2) return 7;
  if (sampleQuality == 3) return 21;
  return 3;
}

double AverageSetAngles(const std::vector<double>& angles) {
  if (angles.empty()) return 0.0;
  double largest = *std::max_element(angles.begin(), angles.end());
  double sum = 0.0;
  for (double a : angles) sum += a < largest - 180.0 ? a + 360.0 : a;
  double average = sum / static_cast<double>(angles.size());
  if (average > 360.0) average -= 360.0;
  return average;
}

int SafetyTargetSpeed(int motorPower, double largestAmount, int shaftRpm) {
  // Nothing measured: no formula to go by, balance at the set speed.
  if (!(largestAmount > 0.0)) return shaftRpm;
  double target = 400.0 * std::sqrt(9.0 * motorPower / largestAmount);
  // Compared before the cast: a tiny amount gives a target far beyond int.
  return target >= static_cast<double>(shaftRpm) ? shaftRpm : static_cast<int>(target);
}

AcquisitionSettings AcquisitionSettingsFrom(const MachineSettings& settings,
                                            const SpinOptions& options) {
  AcquisitionSettings a;
  a.suspension = settings.suspension;
  a.sensorType = settings.sensorType;
  a.calibrationFactorLeft = settings.calibrationFactorLeft;
  a.calibrationFactorRight = settings.calibrationFactorRight;
  a.softBearingFactorLeft = options.softBearingFactorLeft;
  a.softBearingFactorRight = options.softBearingFactorRight;
  return a;
}

void EvaluateSet(SpinState& state, const MachineSettings& settings) {
  state.leftFit = EvaluateSide(state.LeftWave, settings.lagCompensationLeft, state.LagEstimate,
                               state.map.leftPhase, false, settings.rightUprightReversed);
  state.rightFit = EvaluateSide(state.RightWave, settings.lagCompensationRight, state.LagEstimate,
                                state.map.rightPhase, true, settings.rightUprightReversed);
}

int CheckRotation(ControlLink& link, OperatorUi& ui, SpinState& state) {
  if (!state.SpinActive) return 0;
  ui.ShowSpinStatus(state.StartPower == kStartPowerMin ? kStatusAdjustingPower
                                                       : kStatusPressAnyKey);
  int power = state.StartPower;
  int speed = 0;
  bool seen = false;
  while (power <= kMaxCheckPower && !seen && state.SpinActive) {
    link.MotorPower = power;
    speed = SetMotorPower(link, power);
    state.StartPower = std::max(power - 8, kStartPowerMin);
    ui.DrawSpeedBar(speed);
    DelayMs(link, speed == 0 ? 50 : 100);
    seen = speed > kRotationSeenRpm;
    power += 2;
  }
  if (speed == 0) {
    state.StartPower = kStartPowerMin;
    return 0;
  }
  if (speed > 0) return 1;
  // Turning backwards never counts as rotation.
  return seen ? 1 : 0;
}

void RampToSpeed(ControlLink& link, OperatorUi& ui, SpinState& state, int target) {
  target = std::min(target, kMaxRampTarget);
  int b = 0;
  if (link.MotorPower == 0) {
    link.MotorPower = state.StartPower;
  } else {
    b = SetMotorPower(link, link.MotorPower);
  }
  b = 10 * b;

  // Wait for the motor to turn the shaft at this power.
  uint32_t start = Now(link);
  long sends = 0;
  while (state.SpinActive) {
    int speed = SetMotorPower(link, link.MotorPower);
    if (speed != 0) break;
    if (ui.PollCancel()) {
      state.SpinActive = 0;
      return;
    }
    if (!link.connected || ++sends > kRampStartMaxSends || Now(link) - start >= kRampStartWaitMs) {
      // The shaft does not turn: nothing to regulate.
      SetMotorPower(link, 0);
      link.MotorPower = 0;
      state.SpinActive = 0;
      return;
    }
  }

  int pass = 0;
  while (b < (3 * target + 75) * 4 && state.SpinActive) {
    int speed = SetMotorPower(link, link.MotorPower);
    int desired = std::min(b / 10, target);
    int delta = (desired - speed) / 10;
    if (target < 200) {
      delta = std::clamp(delta, -1, 2);
    } else {
      delta = std::clamp(delta, -2, 3);
    }
    link.MotorPower = std::clamp(link.MotorPower + delta / 2, 0, 255);
    if (++pass % 2 == 0) ui.DrawSpeedBar(speed);
    SetMotorPower(link, link.MotorPower);
    DelayMs(link, link.connected ? 11 : 12);
    if (target < 200) {
      b += delta < 1 ? 50 : 25;
    } else {
      b += delta < 2 ? 60 : 10;
    }
    if (ui.PollCancel()) {
      SetMotorPower(link, 0);
      PulseBrake(link);
      ui.FocusMainWindow();
      link.MotorPower = 0;
      state.SpinActive = 0;
    }
  }
}

void RunSpin(ControlLink& link, const MachineSettings& settings, const SpinOptions& options,
             const SensorMap& map, OperatorUi& ui, SpinHost& host, SpinState& state) {
  SpinActiveBinding binding(link, state);
  // The latch tells only about the last transfer, and the motor-off at the
  // end succeeds after most failures; count this spin's failures instead.
  const uint32_t failuresBefore = link.transferFailures;
  const AcquisitionSettings acquisition = AcquisitionSettingsFrom(settings, options);
  const bool autoSpeed = settings.speedControl == kSpeedAuto;
  const bool semiAuto = settings.speedControl == kSpeedSemiAuto;

  // Take over the main window.
  state.LeftSensorOk = 1;
  state.RightSensorOk = 1;
  bool stopButton =
      settings.touchscreen && (autoSpeed || link.optionPortType == kOptionPortMotorSwitch ||
                               link.optionPortType == kOptionPortMotorSwitchAndEncoder);
  host.SpinStarting(stopButton);
  state.SpinActive = 1;
  bool createdSpeedBar = host.OpenSpeedBar();
  ui.RequestRepaint(RepaintArea::kReadings);

  // An Auto spin starts from a standing shaft.
  if (autoSpeed) WaitForSpeedAtMost(link, 0, true, kStandstillWaitMs);
  ui.DrawSpeedBar(0);
  link.MotorPower = 0;

  bool skipToEnd = false;
  if (autoSpeed) {
    // Prove that the shaft turns.
    int turns = CheckRotation(link, ui, state);
    if (turns == 0 && state.SpinActive) {
      SetMotorPower(link, 0);
      link.MotorPower = 0;
      state.SpinActive = 0;
      ui.ShowMessage(NoRotationMessage());
    } else if (state.SpinActive) {
      ui.ShowSpinStatus(kStatusPressAnyKey);
    }

    // Measure at a safe low speed to find the balancing speed.
    if (turns) RampToSpeed(link, ui, state, kSafetySpeed);
    int speed = 0;
    if (link.connected) {
      speed = SetMotorPower(link, link.MotorPower);
      if (speed != 0 && state.SpinActive) {
        state.progressTotal = kSafetyCheckProgressTotal;
        ui.ShowSpinStatus(kStatusBlank);
        ui.ShowSpinStatus(kStatusSafetyCheck);
        AcquireRevolutions(link, acquisition, map, ui, state, kRevolutionsPerSet);
        double m = 0.0;
        if (state.SpinActive) {
          EvaluateSet(state, settings);
          m = std::max(state.leftFit.reading.amount, state.rightFit.reading.amount);
        }
        int target = SafetyTargetSpeed(link.MotorPower, m, settings.shaftRpm);
        ui.ShowSpinStatus(kStatusPressAnyKey);
        if (state.SpinActive && target > kSafetySpeed) RampToSpeed(link, ui, state, target);
      }
    }
    if (speed == 0 || !link.connected) {
      state.SpinActive = 0;
      skipToEnd = true;
    }
  }

  const int sets = SetsForQuality(settings.sampleQuality);
  double leftSum = 0.0;
  double rightSum = 0.0;
  std::vector<double> leftAngles;
  std::vector<double> rightAngles;
  if (!skipToEnd) {
    // Settle at the measuring speed.
    if (state.SpinActive) {
      int speed = SetMotorPower(link, link.MotorPower);
      ui.DrawSpeedBar(speed);
      if (semiAuto && settings.sampleQuality == 2) DelayMs(link, 1000);
      if (settings.suspension == kSoftBearing) {
        ui.ShowSpinStatus(kStatusBlank);
        ui.ShowSpinStatus(kStatusStabilizing);
        DelayMs(link, 3000);
        ui.ShowSpinStatus(kStatusPressAnyKey);
      }
    }

    // The measurement sets.
    ui.ShowSpinStatus(kStatusAcquiring);
    state.progressTotal = sets * kRevolutionsPerSet;
    state.progressDone = 0;
    if (semiAuto && settings.sampleQuality == 2) DelayMs(link, 1000);
    for (int i = 1; i <= sets && state.SpinActive; ++i) {
      AcquireRevolutions(link, acquisition, map, ui, state, kRevolutionsPerSet);
      if (!state.SpinActive) break;
      if (i == sets) {
        SetMotorPower(link, 0);
        PulseBrake(link);
      }
      EvaluateSet(state, settings);
      if (state.leftFit.halfPeakToPeak < 3.0) state.LeftSensorOk = 0;
      if (state.rightFit.halfPeakToPeak < 3.0) state.RightSensorOk = 0;
      leftSum += state.leftFit.reading.amount;
      rightSum += state.rightFit.reading.amount;
      leftAngles.push_back(state.leftFit.reading.angle);
      rightAngles.push_back(state.rightFit.reading.angle);
    }
    state.left.amount = leftSum / sets;
    state.right.amount = rightSum / sets;
    state.left.angle = AverageSetAngles(leftAngles);
    state.right.angle = AverageSetAngles(rightAngles);
  }

  // Motor off; a failed or cancelled spin leaves no reading.
  link.MotorPower = 0;
  SetMotorPower(link, 0);
  if (!state.SpinActive) {
    for (double& v : state.RightWave) v = state.rightFit.mean;
    for (double& v : state.LeftWave) v = state.leftFit.mean;
    state.left = PlaneReading{};
    state.right = PlaneReading{};
  }

  // Let an Auto spin run down before the main window takes over again.
  if (autoSpeed && !link.TransferErrorLatch) {
    WaitForSpeedAtMost(link, 100, false, kSlowDownWaitMs);
  }

  // Hand the main window back.
  host.ComputeCorrections();
  ui.RequestRepaint(RepaintArea::kReadings);
  host.SpinEnded(createdSpeedBar, !ui.MessageWindowOpen());
  if (state.SpinActive) host.AppendHistory(state.left, state.right);
  host.RestoreSpinButton();

  // What went wrong.
  state.transferFailed = link.transferFailures != failuresBefore ? 1 : 0;
  if (state.transferFailed) ui.ShowMessage(UsbCommunicationErrorMessage());
  if (!state.LeftSensorOk || !state.RightSensorOk) {
    ui.ShowMessage(SensorCableMessage(state.LeftSensorOk, state.RightSensorOk));
  }
}

OperatorMessage NoRotationMessage() {
  return MakeOkMessage("ATTENTION",
                       "No shaft rotation detected.\n\nPlease check motor switch, power,\n"
                       "and encoder cable connection.",
                       kDarkBlueText, kBeepHand, 390, 172, 360, 210);
}

OperatorMessage UsbCommunicationErrorMessage() {
  return MakeOkMessage("ERROR", "USB Communication Error", kDarkBlueText, kBeepHand, 430, 210, 280,
                       160);
}

OperatorMessage SensorCableMessage(int leftOk, int rightOk) {
  const char* text = "";
  if (!leftOk && !rightOk) {
    text = "Check both the Left and Right sensor cables,\nthey may be damaged or disconnected.";
  } else if (!leftOk) {
    text = "Check the Left sensor cable,\nit may be damaged or disconnected.";
  } else if (!rightOk) {
    text = "Check the Right sensor cable,\nit may be damaged or disconnected.";
  } else {
    return OperatorMessage{};
  }
  return MakeOkMessage("Alert", text, kRedText, kBeepHand, 350, 192, 440, 170);
}

}  // namespace balancer
