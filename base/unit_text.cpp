#include "base/unit_text.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

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
  if (weightUnit == 1) return FormatText("%1.1f oz", Printable(extraWeightGrams) / kGramsPerOunce);
  return FormatText("%1.0f gm", Printable(extraWeightGrams));
}

std::string ProjectionAngleText(int extraAngle) {
  return FormatText("at %d", extraAngle);
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
  return FormatText(format, grams / WeightDivisor(weightUnit), angle);
}

std::string LengthText(double inches, int lengthUnit, bool fine) {
  inches = Printable(inches);
  const char* format;
  if (lengthUnit == 1) {
    format = fine ? "%1.1fmm" : "%1.0fmm";
  } else {
    format = fine ? "%1.3f\"" : "%1.2f\"";
  }
  return FormatText(format, inches * LengthFactor(lengthUnit));
}

std::string SlugText(double diameter, double length, double angle, int lengthUnit) {
  const char* format = lengthUnit == 1 ? "%1.1fmm D x %1.1fmm L slug at %1.0f\xB0"
                                       : "%1.3f\"D x %1.3f\"L slug at %1.0f\xB0";
  double f = LengthFactor(lengthUnit);
  return FormatText(format, Printable(diameter) * f, Printable(length) * f, Printable(angle));
}

std::string DrillText(double depth, double angle, int lengthUnit) {
  const char* format =
      lengthUnit == 1 ? "Drill %1.1fmm deep at %1.0f\xB0" : "Drill %1.3f\" deep at %1.0f\xB0";
  return FormatText(format, Printable(depth) * LengthFactor(lengthUnit), Printable(angle));
}

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  char small[128];
  int needed = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string out;
  if (needed < 0) {
    out.clear();
  } else if (static_cast<size_t>(needed) < sizeof small) {
    out.assign(small, static_cast<size_t>(needed));
  } else {
    std::vector<char> big(static_cast<size_t>(needed) + 1);
    std::vsnprintf(big.data(), big.size(), format, again);
    out.assign(big.data(), static_cast<size_t>(needed));
  }
  va_end(again);
  return out;
}

std::string FormatNumber(const char* format, double value) {
  return FormatText(format, Printable(value));
}

}  // namespace balancer
