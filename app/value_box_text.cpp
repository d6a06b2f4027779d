#include "app/value_box_text.h"

#include <cstdio>

#include "base/unit_text.h"
#include "correction/tolerance.h"

namespace balancer {

namespace {

// The side weights' entry factor (kilograms to pounds).
constexpr double kKilogramsToPounds = 2.20462;

enum class Kind { kNone, kLength, kWeight, kPlain1, kPlain0, kPlain2, kTolerance };

struct BoxValue {
  Kind kind = Kind::kNone;
  double value = 0.0;  // inches, grams or plain
};

BoxValue ValueOf(int code, const MachineSettings& s, const ValueBoxSides& sides) {
  switch (code) {
    case 100: {
      if (sides.outsideZoneLeft) return {Kind::kLength, s.slugRadiusLeft};
      return {Kind::kLength,
              s.radialCompensation == 1 ? s.correctionRadiusLeft : s.drillRadiusLeft};
    }
    case 102:
      return {Kind::kLength, s.drillDiameterLeft};
    case 112:
      return {Kind::kPlain0, static_cast<double>(s.shaftRpm)};
    case 114:
      return {Kind::kPlain0, static_cast<double>(s.sampleQuality)};
    case 118:
      return {Kind::kWeight, s.defaultOilWeight};
    case 119:
      return {Kind::kWeight, s.emptyBobweight};
    case 122:
      return {Kind::kPlain1, s.lagCompensationLeft};
    case 123:
      return {Kind::kPlain1, s.lagCompensationRight};
    case 124:
      return {Kind::kPlain2, s.calibrationFactorLeft};
    case 125:
      return {Kind::kPlain2, s.calibrationFactorRight};
    case 126:
      return {Kind::kPlain2, s.screenAspectRatio};
    case 129:
      return {Kind::kPlain2, s.printerScaleX};
    case 130:
      return {Kind::kPlain2, s.printerScaleY};
    case 131:
      return {Kind::kLength, s.uprightDistance};
    case 132:
      return {Kind::kLength, s.planeOffsetLeft};
    case 133:
      return {Kind::kLength, s.planeOffsetRight};
    case 145:
      return {Kind::kLength, s.maxDrillDepthLeft};
    case 146:
      return {Kind::kLength, s.maxDrillDepthRight};
    case 147:
      return {Kind::kLength, s.shaftRadiusLeft};
    case 148:
      return {Kind::kLength, s.shaftRadiusRight};
    case 149:
      return {Kind::kLength, s.slugDiameterLeft};
    case 150:
      return {Kind::kLength, s.slugDiameterRight};
    case 151:
      return {Kind::kLength, s.slugLengthLeft};
    case 152:
      return {Kind::kLength, s.slugLengthRight};
    case 153:
      return {Kind::kLength, s.slugWebThickness};
    case 154:
      return {Kind::kLength, s.cwThicknessLeft};
    case 155:
      return {Kind::kLength, s.cwThicknessRight};
    case 175:
      return {Kind::kWeight, s.minExtraWeight};
    case 176:
      return {Kind::kWeight, s.maxExtraWeight};
    case 238:
      return {Kind::kPlain1, s.shaftWeightPounds};
    case 239:
      return {Kind::kPlain0, s.maxOperatingRpm};
    case 256:
      return {Kind::kPlain1, s.optionEncoderResolution};
    case 262:
    case 263: {
      // Kept in pounds, shown in kilograms with millimetre units.
      const double pounds = code == 262 ? s.sideWeightLeft : s.sideWeightRight;
      return {Kind::kPlain1, s.lengthUnit == 1 ? pounds / kKilogramsToPounds : pounds};
    }
    case 113:
    case 241:
    case 242:
      return {Kind::kTolerance, s.toleranceMoment};
    case 305:
    case 348:
      return {Kind::kPlain1, s.heavyMetalDensity};
    case 320:
      return {Kind::kLength, s.drillDiameterLeft};
    case 321:
      return {Kind::kLength, s.drillDiameterRight};
    case 350:
      return {Kind::kLength, s.slugRadiusLeft};
    default:
      break;
  }
  return {};
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, Printable(value));
  return text;
}

}  // namespace

std::string ValueBoxText(int code, const MachineSettings& s, const ValueBoxSides& sides) {
  BoxValue box = ValueOf(code, s, sides);
  // 100 is the left radius box, 101 the right one.
  if (code == 101) {
    if (sides.outsideZoneRight) {
      box = {Kind::kLength, s.slugRadiusRight};
    } else {
      box = {Kind::kLength,
             s.radialCompensation == 1 ? s.correctionRadiusRight : s.drillRadiusRight};
    }
  }
  switch (box.kind) {
    case Kind::kNone:
      return "";
    case Kind::kLength:
      return LengthText(box.value, s.lengthUnit, true);
    case Kind::kWeight: {
      const double shown = box.value / WeightDivisor(s.weightUnit);
      return Format(s.weightUnit == 1 ? "%1.2f" : "%1.1f", shown);
    }
    case Kind::kPlain1:
      return Format("%1.1f", box.value);
    case Kind::kPlain0:
      return Format("%1.0f", box.value);
    case Kind::kPlain2:
      return Format("%1.2f", box.value);
    case Kind::kTolerance:
      // Moment per unit of radius in the display units.
      return ToleranceBoxText(s);
  }
  return "";
}

}  // namespace balancer
