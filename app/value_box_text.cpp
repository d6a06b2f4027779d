#include "app/value_box_text.h"

#include <cstdio>

#include "base/field_table.h"
#include "base/unit_text.h"
#include "correction/tolerance.h"

namespace balancer {

namespace {

// The side weights' entry factor (kilograms to pounds).
constexpr double kKilogramsToPounds = 2.20462;

std::string Format(int decimals, double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%1.*f", decimals, Printable(value));
  return text;
}

std::string LengthBox(double inches, const MachineSettings& s) {
  return LengthText(inches, s.lengthUnit, true);
}

}  // namespace

std::string ValueBoxText(int code, const MachineSettings& s, const ValueBoxSides& sides) {
  // The radius boxes show the slug installation radius on a heavy-metal
  // side, else the correction radius with radial compensation on, else the
  // drill radius.
  switch (code) {
    case kFieldRadiusLeft:
      if (sides.outsideZoneLeft) return LengthBox(s.slugRadiusLeft, s);
      return LengthBox(s.radialCompensation == 1 ? s.correctionRadiusLeft : s.drillRadiusLeft, s);
    case kFieldRadiusRight:
      if (sides.outsideZoneRight) return LengthBox(s.slugRadiusRight, s);
      return LengthBox(s.radialCompensation == 1 ? s.correctionRadiusRight : s.drillRadiusRight, s);
    case kFieldSlugInstallationRadius:  // Adjust's box, for the left side
      return LengthBox(s.slugRadiusLeft, s);
    default:
      break;
  }
  const FieldRow& row = FieldRowOf(code);
  if (!row.IsPlain()) return "";
  const double value =
      row.member != nullptr ? s.*row.member : static_cast<double>(s.*row.intMember);
  switch (row.unit) {
    case FieldUnit::kNone:
      return "";
    case FieldUnit::kLength:
      return LengthBox(value, s);
    case FieldUnit::kWeight:
      return Format(s.weightUnit == 1 ? 2 : 1, value / WeightDivisor(s.weightUnit));
    case FieldUnit::kPlain:
      return Format(row.decimals, value);
    case FieldUnit::kPounds:
      // Kept in pounds, shown in kilograms with millimetre units.
      return Format(row.decimals, s.lengthUnit == 1 ? value / kKilogramsToPounds : value);
    case FieldUnit::kTolerance:
      // Moment per unit of radius in the display units.
      return ToleranceBoxText(s);
    case FieldUnit::kMoment:
      return Format(row.decimals, value * LengthFactor(s.lengthUnit) / WeightDivisor(s.weightUnit));
  }
  return "";
}

}  // namespace balancer
