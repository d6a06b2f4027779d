#include "base/unit_text.h"

#include <cmath>
#include <cstdio>

namespace balancer {

double WeightDivisor(int weightUnit) {
  return weightUnit == 1 ? kGramsPerOunce : 1.0;
}

double LengthFactor(int lengthUnit) {
  return lengthUnit == 1 ? kMillimetresPerInch : 1.0;
}

double Printable(double value) {
  return std::isfinite(value) ? value : 0.0;
}

std::string ProjectionWeightText(double extraWeightGrams, int weightUnit) {
  char buffer[48];
  if (weightUnit == 1) {
    std::snprintf(buffer, sizeof buffer, "%1.1f oz", Printable(extraWeightGrams) / kGramsPerOunce);
  } else {
    std::snprintf(buffer, sizeof buffer, "%1.0f gm", Printable(extraWeightGrams));
  }
  return buffer;
}

std::string ProjectionAngleText(int extraAngle) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "at %d", extraAngle);
  return buffer;
}

double AddAngle(double displayAngle) {
  double a = displayAngle + 180.0;
  if (a > 359.0) a -= 360.0;
  // 359..360 would come out as "-0" or "-1" degrees.
  if (a < 0.0) a = 0.0;
  return a;
}

std::string AmountText(double grams, double angle, int weightUnit, bool add) {
  grams = Printable(grams);
  angle = Printable(angle);
  const char* format;
  if (weightUnit == 1) {
    bool large = grams >= 28.35;
    if (add) {
      format = large ? "Add %1.2f ounces at %1.0f\xB0" : "Add %1.3f ounces at %1.0f\xB0";
    } else {
      format = large ? "%1.2f ounces at %1.0f\xB0" : "%1.3f ounces at %1.0f\xB0";
    }
  } else {
    bool large = grams >= 9.995;
    if (add) {
      format = large ? "Add %1.1f grams at %1.0f\xB0" : "Add %1.2f grams at %1.0f\xB0";
    } else {
      format = large ? "%1.1f grams at %1.0f\xB0" : "%1.2f grams at %1.0f\xB0";
    }
  }
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, format, grams / WeightDivisor(weightUnit), angle);
  return buffer;
}

std::string LengthText(double inches, int lengthUnit, bool fine) {
  inches = Printable(inches);
  const char* format;
  if (lengthUnit == 1) {
    format = fine ? "%1.1fmm" : "%1.0fmm";
  } else {
    format = fine ? "%1.3f\"" : "%1.2f\"";
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, inches * LengthFactor(lengthUnit));
  return buffer;
}

std::string SlugText(double diameter, double length, double angle, int lengthUnit) {
  const char* format = lengthUnit == 1 ? "%1.1fmm D x %1.1fmm L slug at %1.0f\xB0"
                                       : "%1.3f\"D x %1.3f\"L slug at %1.0f\xB0";
  double f = LengthFactor(lengthUnit);
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, format, Printable(diameter) * f, Printable(length) * f,
                Printable(angle));
  return buffer;
}

std::string DrillText(double depth, double angle, int lengthUnit) {
  const char* format =
      lengthUnit == 1 ? "Drill %1.1fmm deep at %1.0f\xB0" : "Drill %1.3f\" deep at %1.0f\xB0";
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, format, Printable(depth) * LengthFactor(lengthUnit),
                Printable(angle));
  return buffer;
}

}  // namespace balancer
