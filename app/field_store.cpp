#include "app/field_store.h"

#include <cmath>

#include "app/number_reader.h"
#include "base/unit_text.h"
#include "bobweight/bobweight_card.h"
#include "correction/setup_entries.h"
#include "correction/tolerance.h"
#include "records/number_text.h"
#include "records/settings_file.h"
#include "records/settings_startup.h"

namespace balancer {

namespace {

constexpr double kKilogramsToPounds = 2.20462;

// Keeps a plane offset solvable against the other one.
double LimitPlaneOffset(double offset, double uprightDistance, double otherOffset) {
  double limit = uprightDistance - 0.2 - otherOffset;
  return offset >= limit ? limit - 0.001 : offset;
}

// Holds each slug installation radius inside the counterweight; true when one
// had to come in.
bool LimitSlugRadii(MachineSettings& s) {
  double left = CounterweightSlugRadius(s.shaftRadiusLeft, s.slugWebThickness, s.slugDiameterLeft);
  double right =
      CounterweightSlugRadius(s.shaftRadiusRight, s.slugWebThickness, s.slugDiameterRight);
  bool limited = s.slugRadiusLeft > left || s.slugRadiusRight > right;
  s.slugRadiusLeft = std::fmin(s.slugRadiusLeft, left);
  s.slugRadiusRight = std::fmin(s.slugRadiusRight, right);
  return limited;
}

// A typed installation radius stays inside the counterweight, clear of the
// web; true when it had to come in.
bool StoreSlugRadius(MachineSettings& s, Side side, double radius) {
  const bool left = side == kLeftSide;
  const double limit =
      CounterweightSlugRadius(left ? s.shaftRadiusLeft : s.shaftRadiusRight, s.slugWebThickness,
                              left ? s.slugDiameterLeft : s.slugDiameterRight);
  (left ? s.slugRadiusLeft : s.slugRadiusRight) = std::fmin(radius, limit);
  return radius > limit;
}

}  // namespace

double LengthFactor(const MachineSettings& s) {
  return LengthFactor(s.lengthUnit);
}
double WeightDivisor(const MachineSettings& s) {
  return WeightDivisor(s.weightUnit);
}

FieldStoreOutcome StoreFieldValue(int code, double value, FieldStoreContext& context) {
  MachineSettings& s = context.settings;
  if (context.screen != nullptr) {
    ScreenEntryEffect own = context.screen->StoreEntry(code, value);
    if (own.handled) {
      if (own.message && context.ui) context.ui->ShowMessage(*own.message);
      return FieldStoreOutcome{true, own.stored, own.writeSettings, own.recompute};
    }
  }
  // Drill and slug entries also reach the planned holes and slugs.
  CorrectionState scratch;
  CorrectionState& correction = context.correction ? *context.correction : scratch;
  bool slugRadiusLimited = false;
  const double length = value / LengthFactor(s);
  const double grams = value * WeightDivisor(s);
  FieldStoreOutcome out;
  out.handled = true;
  out.stored = true;
  out.writeSettings = true;
  out.recompute = true;

  switch (code) {
    case 112:  // the speed is the control's to choose in manual mode
      if (s.speedControl == 0) return FieldStoreOutcome{true, false, false, false};
      s.shaftRpm = static_cast<int>(std::fmin(std::fmax(value, -2e9), 2e9));
      break;
    case 113:
      s.toleranceMoment = std::fmax(grams / LengthFactor(s), 0.001);
      break;
    case 114:
      s.sampleQuality = static_cast<int>(std::lround(std::fmin(value, 1000.0)));
      break;
    case 118:
      s.defaultOilWeight = grams;
      break;
    case 119:
      s.emptyBobweight = grams;
      break;
    case 122:
      s.lagCompensationLeft = value;
      break;
    case 123:
      s.lagCompensationRight = value;
      break;
    case 124:
      s.calibrationFactorLeft = value;
      break;
    case 125:
      s.calibrationFactorRight = value;
      break;
    case 129:
      s.printerScaleX = value;
      break;
    case 130:
      s.printerScaleY = value;
      break;
    case 126:
      s.screenAspectRatio = std::fmin(std::fmax(value, 0.88), 1.12);
      break;
    case 127:
    case 128: {
      if (!context.calibration) return FieldStoreOutcome{};
      bool changed =
          code == 127 ? context.calibration->EnterDesiredLeft(s, value, context.leftMeasured,
                                                              context.leftMoment, WeightDivisor(s))
                      : context.calibration->EnterDesiredRight(
                            s, value, context.rightMeasured, context.rightMoment, WeightDivisor(s));
      if (!changed) return FieldStoreOutcome{true, false, false, false};
      break;
    }
    // The radius boxes edit the correction radius while radial compensation
    // is on, otherwise the drill (hole centre) radius; the range limiter
    // keeps either inside the counterweight. A main-screen box that shows the
    // slug installation radius edits that one instead.
    case 100:
    case 101: {
      const Side side = code == 100 ? kLeftSide : kRightSide;
      const ValueBoxSides& shown = context.radiusBoxSides;
      if (side == kLeftSide ? shown.outsideZoneLeft : shown.outsideZoneRight) {
        slugRadiusLimited = StoreSlugRadius(s, side, length);
      } else if (side == kLeftSide) {
        (s.radialCompensation == 1 ? s.correctionRadiusLeft : s.drillRadiusLeft) = length;
      } else {
        (s.radialCompensation == 1 ? s.correctionRadiusRight : s.drillRadiusRight) = length;
      }
      break;
    }
    case 131:
      s.uprightDistance = length;
      RangeLimit(s, context.ui);
      ApplyUprightDistanceRule(s);
      return out;
    case 132:
      s.planeOffsetLeft = LimitPlaneOffset(length, s.uprightDistance, s.planeOffsetRight);
      break;
    case 133:
      s.planeOffsetRight = LimitPlaneOffset(length, s.uprightDistance, s.planeOffsetLeft);
      break;
    case 102:
    case 320:
    case 321:
      ApplyDrillDiameterEntry(s, correction, code == 320 ? kLeftSide : kRightSide, length);
      break;
    // A new maximum depth lets the planner rebuild holes adjusted by hand.
    case 145:
      ApplyMaxDepthEntry(s, correction, kLeftSide, length);
      break;
    case 146:
      ApplyMaxDepthEntry(s, correction, kRightSide, length);
      break;
    case 149:
    case 150: {
      Side side = code == 149 ? kLeftSide : kRightSide;
      double before = side == kLeftSide ? s.slugRadiusLeft : s.slugRadiusRight;
      ApplySlugDiameterEntry(s, correction, side, std::fmin(length, 2.0));
      slugRadiusLimited = (side == kLeftSide ? s.slugRadiusLeft : s.slugRadiusRight) < before;
      break;
    }
    case 151:
      s.slugLengthLeft = length;
      break;
    case 152:
      s.slugLengthRight = length;
      break;
    case 153:
      s.slugWebThickness = length;
      break;
    case 147:
      s.shaftRadiusLeft = length;
      break;
    case 148:
      s.shaftRadiusRight = length;
      CurrentRightSet(s).shaftRadiusRight = length;
      break;
    case 154:
      s.cwThicknessLeft = length;
      break;
    case 155:
      s.cwThicknessRight = length;
      break;
    case 175:
      s.minExtraWeight = grams;
      break;
    case 176:
      s.maxExtraWeight = grams;
      break;
    case 238:
      s.shaftWeightPounds = std::fmax(value, kMinShaftWeightPounds);
      break;
    case 239:
      s.maxOperatingRpm = std::fmax(value, kMinOperatingRpm);
      break;
    case 241:
      EnterToleranceAtShaftRadius(s, value, s.shaftRadiusLeft);
      break;
    case 242:
      EnterToleranceAtShaftRadius(s, value, s.shaftRadiusRight);
      break;
    case 265:
      s.customReluctorWeight = grams / LengthFactor(s);
      SetSimulatedReluctor(s);
      break;
    case 266:
      s.customReluctorAngle = value;
      SetSimulatedReluctor(s);
      break;
    case 305:
    case 348:
      s.heavyMetalDensity = value;
      break;
    case 248: {
      if (!context.link) return FieldStoreOutcome{};
      long type = std::lround(std::fmin(value, 1000.0));
      context.link->optionPortType = type > 5 ? 0 : static_cast<int>(type);
      // Kept in the control's EEPROM, not in the settings file.
      return FieldStoreOutcome{true, true, false, false};
    }
    case 256:
      s.optionEncoderResolution = value;
      break;
    case 262:
    case 263: {
      double pounds = s.lengthUnit == 1 ? value * kKilogramsToPounds : value;
      (code == 262 ? s.sideWeightLeft : s.sideWeightRight) = pounds;
      break;
    }
    case 270:
    case 271:
    case 272:
    case 273:
    case 274:
    case 275: {
      if (!context.history) return FieldStoreOutcome{};
      // These go onto the bobweight card, which takes no value beyond its
      // range: one typed here would not come back from the card file.
      if (!NumberInRange(code >= 274 ? length : grams, -kCardValueMax, kCardValueMax)) {
        return FieldStoreOutcome{true, false, false, false};
      }
      History& h = *context.history;
      switch (code) {
        case 270:
          h.initial.leftAmount = grams;
          break;
        case 271:
          h.initial.rightAmount = grams;
          break;
        case 272:
          h.final.leftAmount = grams;
          break;
        case 273:
          h.final.rightAmount = grams;
          break;
        case 274:
          h.initial.leftRadius = h.final.leftRadius = length;
          break;
        case 275:
          h.initial.rightRadius = h.final.rightRadius = length;
          break;
      }
      h.initial.text = ConditionLine(h.initial.leftAmount, h.initial.rightAmount, s.weightUnit);
      h.final.text = ConditionLine(h.final.leftAmount, h.final.rightAmount, s.weightUnit);
      // These belong to the bobweight card, not to the settings file.
      return FieldStoreOutcome{true, true, false, false};
    }
    default:
      return FieldStoreOutcome{};
  }
  RangeLimit(s, context.ui);
  // The counterweight radius bounds the slugs as much as their own size does.
  if (code >= 147 && code <= 153 && LimitSlugRadii(s)) slugRadiusLimited = true;
  if (slugRadiusLimited && context.ui) context.ui->ShowMessage(SlugRadiusLimitedMessage());
  // A right-side entry is kept in the current mode's stored set.
  if (code == 101 || code == 102 || code == 146 || code == 148 || code == 150 || code == 321) {
    StoreWorkingRightToSet(s);
  }
  return out;
}

EntryCommit CommitTypedEntry(const std::string& text, int actionCode, FieldStoreContext& context,
                             const ProgramFolder& folder) {
  EntryCommit commit;
  TypedNumber typed = ReadTypedNumber(text, actionCode);
  if (typed.status != TypedNumber::kValue) return commit;
  commit.outcome = StoreFieldValue(actionCode, typed.value, context);
  if (commit.outcome.writeSettings) {
    commit.settingsWritten = WriteSettingsFiles(folder, context.settings, context.ui);
  }
  return commit;
}

OperatorMessage SpinFirstAlert() {
  return MakeOkMessage("Alert", "You must spin the shaft before performing this operation again.",
                       kDarkBlueText, kBeepAsterisk, 280, 187, 580, 180);
}

}  // namespace balancer
