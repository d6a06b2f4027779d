#include "correction/tolerance.h"

#include <cmath>
#include <cstdio>

#include "base/unit_text.h"
#include "records/number_text.h"

namespace balancer {

namespace {

double FloorTolerance(double value) {
  if (!std::isfinite(value) || value < kMinToleranceMoment) return kMinToleranceMoment;
  return value;
}

}  // namespace

bool WithinTolerance(double moment, double toleranceMoment) {
  return moment <= toleranceMoment;
}

double ClassFactor(int toleranceClass) {
  return toleranceClass == 2 ? 40.0 : 16.0;
}

const char* ToleranceClassName(int toleranceClass) {
  return toleranceClass == 2 ? "Diesel crankshafts" : "Automotive performance crankshafts";
}

double ToleranceFromCalculator(double classFactor, double shaftWeightPounds,
                               double maxOperatingRpm) {
  if (!(maxOperatingRpm > 0.0)) return kMinToleranceMoment;
  return FloorTolerance(classFactor * 170.5 * (shaftWeightPounds / maxOperatingRpm) * 0.5);
}

void CalculateTolerance(const ToleranceCalculator& calc, MachineSettings& settings) {
  settings.toleranceMoment = ToleranceFromCalculator(calc.classFactor, settings.shaftWeightPounds,
                                                     settings.maxOperatingRpm);
}

void SelectToleranceClass(ToleranceCalculator& calc, MachineSettings& settings, int cls) {
  settings.toleranceClass = cls == 2 ? 2 : 1;
  calc.classFactor = ClassFactor(settings.toleranceClass);
  CalculateTolerance(calc, settings);
}

void EnterShaftWeight(ToleranceCalculator& calc, MachineSettings& settings, double pounds) {
  if (!(pounds >= kMinShaftWeightPounds)) pounds = kMinShaftWeightPounds;
  settings.shaftWeightPounds = pounds;
  CalculateTolerance(calc, settings);
}

void EnterMaxOperatingRpm(ToleranceCalculator& calc, MachineSettings& settings, double rpm) {
  if (!(rpm >= kMinOperatingRpm)) rpm = kMinOperatingRpm;
  settings.maxOperatingRpm = rpm;
  CalculateTolerance(calc, settings);
}

void EnterToleranceDisplay(MachineSettings& settings, double value) {
  settings.toleranceMoment = FloorTolerance(value * WeightDivisor(settings.weightUnit) /
                                            LengthFactor(settings.lengthUnit));
}

void EnterToleranceAtShaftRadius(MachineSettings& settings, double value, double shaftRadius) {
  settings.toleranceMoment =
      FloorTolerance(value * WeightDivisor(settings.weightUnit) * shaftRadius);
}

std::string ActualToleranceText(const MachineSettings& settings) {
  double value = settings.toleranceMoment / WeightDivisor(settings.weightUnit) *
                 LengthFactor(settings.lengthUnit);
  bool fine = settings.weightUnit == 1 || value > 10.0;
  return FormatNumber(fine ? "%1.2f" : "%1.1f", value);
}

const char* ToleranceUnitLabel(int weightUnit, int lengthUnit) {
  if (weightUnit == 1) return lengthUnit == 1 ? "ounce/mm per side" : "ounce/inch per side";
  return lengthUnit == 1 ? "gram/mm per side" : "gram/inch per side";
}

std::string ToleranceOnShaftText(const MachineSettings& settings, double shaftRadius) {
  double grams = shaftRadius > 0.0 ? settings.toleranceMoment / shaftRadius : 0.0;
  if (settings.weightUnit == 1) return FormatNumber("%1.2foz", grams / kGramsPerOunce);
  return FormatNumber("%1.1fgm", grams);
}

std::string ToleranceRadiusText(const MachineSettings& settings, double shaftRadius) {
  return LengthText(shaftRadius, settings.lengthUnit, false);
}

std::string ToleranceBoxText(const MachineSettings& settings) {
  if (!(settings.toleranceMoment > kMinToleranceMoment)) return "";
  double value = settings.toleranceMoment / WeightDivisor(settings.weightUnit) *
                 LengthFactor(settings.lengthUnit);
  if (settings.weightUnit == 1) {
    return FormatNumber(settings.lengthUnit == 1 ? "%1.2f oz/mm" : "%1.2f oz/in", value);
  }
  return FormatNumber(settings.lengthUnit == 1 ? "%1.1f gm/mm" : "%1.1f gm/in", value);
}

}  // namespace balancer
