// Unit conversion, the texts of a correction in the Windows ANSI code page
// (the degree sign is 0xB0), and the one formatter of numbers into text.
#pragma once

#include <string>

namespace balancer {

constexpr double kGramsPerOunce = 28.349525;
constexpr double kMillimetresPerInch = 25.4;

// weightUnit 0 grams, 1 ounces; lengthUnit 0 inches, 1 millimetres.
double WeightDivisor(int weightUnit);
double LengthFactor(int lengthUnit);

// "%1.1f grams at %1.0f\xB0" and its small/ounce/Add forms. `grams` decides
// large or small (9.995 g in grams, 28.35 g in ounces); `angle` is printed as
// given.
std::string AmountText(double grams, double angle, int weightUnit, bool add);
// "%1.2f\"" / "%1.0fmm" (coarse) or "%1.3f\"" / "%1.1fmm" (fine).
std::string LengthText(double inches, int lengthUnit, bool fine);
// "%1.3f\"D x %1.3f\"L slug at %1.0f\xB0" or its millimetre form.
std::string SlugText(double diameter, double length, double angle, int lengthUnit);
// "Drill %1.3f\" deep at %1.0f\xB0" or its millimetre form.
std::string DrillText(double depth, double angle, int lengthUnit);

// The "Projection" reading of a heavy-metal side: the remainder after the
// slugs as "%1.1f oz" or "%1.0f gm", and its angle as "at %d".
std::string ProjectionWeightText(double extraWeightGrams, int weightUnit);
std::string ProjectionAngleText(int extraAngle);

// Light side of a display angle for the Add texts: +180, less 360 above 359.
double AddAngle(double displayAngle);

// Makes a number safe to print: NaN and infinities become 0.
double Printable(double value);

// snprintf into a string of whatever length the format needs, so no number
// is ever cut by a buffer.
std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// One number through a printf format for one double; NaN and infinities
// print as 0.
std::string FormatNumber(const char* format, double value);

}  // namespace balancer
