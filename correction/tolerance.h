// Balance tolerance: the residual unbalance per side at which a shaft counts
// as balanced, entered directly or derived from the shaft weight, the maximum
// operating speed and the shaft class.
#pragma once

#include <string>

#include "base/machine_settings.h"

namespace balancer {

constexpr double kMinToleranceMoment = 0.001;
constexpr double kMinShaftWeightPounds = 0.1;
constexpr double kMinOperatingRpm = 1.0;

// 16.0 for class 1 "Automotive performance crankshafts", 40.0 for class 2
// "Diesel crankshafts".
double ClassFactor(int toleranceClass);
const char* ToleranceClassName(int toleranceClass);

// k * 170.5 * (pounds / rpm) * 0.5, never below 0.001.
double ToleranceFromCalculator(double classFactor, double shaftWeightPounds,
                               double maxOperatingRpm);

// The calculator window's state. The class factor is not stored: every start
// computes with 16.0 until a class button is pressed.
struct ToleranceCalculator {
  double classFactor = 16.0;
};

// The one test of a moment against the tolerance, for the main screen's
// lamps and the printed verdict alike (the lamps judge the upright readings,
// the report the recorded correction-plane moments it prints). A moment that
// is not a number is never within.
bool WithinTolerance(double moment, double toleranceMoment);

// Each of these sets toleranceMoment; the caller then reruns the correction.
void SelectToleranceClass(ToleranceCalculator& calc, MachineSettings& settings, int cls);
void EnterShaftWeight(ToleranceCalculator& calc, MachineSettings& settings, double pounds);
void EnterMaxOperatingRpm(ToleranceCalculator& calc, MachineSettings& settings, double rpm);
void CalculateTolerance(const ToleranceCalculator& calc, MachineSettings& settings);

// "&Tolerance" in display units per side (gm/in, gm/mm, oz/in, oz/mm).
void EnterToleranceDisplay(MachineSettings& settings, double value);
// "Tolerance at the left/right shaft radius." in display weight units.
void EnterToleranceAtShaftRadius(MachineSettings& settings, double value, double shaftRadius);

// "Actual Tolerance": the value ("%1.2f" in ounces or above 10, else "%1.1f")
// and its unit label.
std::string ActualToleranceText(const MachineSettings& settings);
const char* ToleranceUnitLabel(int weightUnit, int lengthUnit);
// "Tolerance on Shaft": weight at the shaft radius ("%1.1fgm" / "%1.2foz") and
// the radius in the coarse length format.
std::string ToleranceOnShaftText(const MachineSettings& settings, double shaftRadius);
std::string ToleranceRadiusText(const MachineSettings& settings, double shaftRadius);
// Settings box: "%1.1f gm/in", "%1.1f gm/mm", "%1.2f oz/in", "%1.2f oz/mm";
// empty at or below 0.001.
std::string ToleranceBoxText(const MachineSettings& settings);

}  // namespace balancer
