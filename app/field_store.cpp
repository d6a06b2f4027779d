#include "app/field_store.h"

#include <cmath>

#include "app/number_reader.h"
#include "base/field_table.h"
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

// The typed value in the row's unit, held to its range, into its member.
void StorePlainField(const FieldRow& row, double value, MachineSettings& s) {
  double stored = value;
  switch (row.unit) {
    case FieldUnit::kLength:
      stored = value / LengthFactor(s.lengthUnit);
      break;
    case FieldUnit::kWeight:
      stored = value * WeightDivisor(s.weightUnit);
      break;
    case FieldUnit::kTolerance:
    case FieldUnit::kMoment:
      stored = value * WeightDivisor(s.weightUnit) / LengthFactor(s.lengthUnit);
      break;
    case FieldUnit::kPounds:
      stored = s.lengthUnit == 1 ? value * kKilogramsToPounds : value;
      break;
    case FieldUnit::kPlain:
    case FieldUnit::kNone:
      break;
  }
  stored = std::fmin(std::fmax(stored, row.minimum), row.maximum);
  if (row.member != nullptr) {
    s.*row.member = stored;
  } else {
    s.*row.intMember = static_cast<int>(std::lround(std::fmin(std::fmax(stored, -2e9), 2e9)));
  }
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
    case kFieldShaftRpm:  // the speed is the control's to choose in manual mode
      if (s.speedControl == 0) return FieldStoreOutcome{true, false, false, false};
      s.shaftRpm = static_cast<int>(std::fmin(std::fmax(value, -2e9), 2e9));
      break;
    case kFieldDesiredReadingLeft:
    case kFieldDesiredReadingRight: {
      if (!context.calibration) return FieldStoreOutcome{};
      bool changed =
          code == kFieldDesiredReadingLeft
              ? context.calibration->EnterDesiredLeft(s, value, context.leftMeasured,
                                                      context.leftMoment, WeightDivisor(s))
              : context.calibration->EnterDesiredRight(s, value, context.rightMeasured,
                                                       context.rightMoment, WeightDivisor(s));
      if (!changed) return FieldStoreOutcome{true, false, false, false};
      break;
    }
    // The radius boxes edit the correction radius while radial compensation
    // is on, otherwise the drill (hole centre) radius; the range limiter
    // keeps either inside the counterweight. A main-screen box that shows the
    // slug installation radius edits that one instead.
    case kFieldRadiusLeft:
    case kFieldRadiusRight: {
      const Side side = code == kFieldRadiusLeft ? kLeftSide : kRightSide;
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
    case kFieldUprightDistance:
      s.uprightDistance = length;
      RangeLimit(s, context.ui);
      ApplyUprightDistanceRule(s);
      return out;
    case kFieldPlaneOffsetLeft:
      s.planeOffsetLeft = LimitPlaneOffset(length, s.uprightDistance, s.planeOffsetRight);
      break;
    case kFieldPlaneOffsetRight:
      s.planeOffsetRight = LimitPlaneOffset(length, s.uprightDistance, s.planeOffsetLeft);
      break;
    case kFieldDrillDiameter:
    case kFieldDrillBitDiameterLeft:
    case kFieldDrillBitDiameterRight:
      ApplyDrillDiameterEntry(s, correction,
                              code == kFieldDrillBitDiameterLeft ? kLeftSide : kRightSide, length);
      break;
    // A new maximum depth lets the planner rebuild holes adjusted by hand.
    case kFieldMaxDepthLeft:
      ApplyMaxDepthEntry(s, correction, kLeftSide, length);
      break;
    case kFieldMaxDepthRight:
      ApplyMaxDepthEntry(s, correction, kRightSide, length);
      break;
    case kFieldSlugDiameterLeft:
    case kFieldSlugDiameterRight: {
      Side side = code == kFieldSlugDiameterLeft ? kLeftSide : kRightSide;
      double before = side == kLeftSide ? s.slugRadiusLeft : s.slugRadiusRight;
      ApplySlugDiameterEntry(s, correction, side, std::fmin(length, 2.0));
      slugRadiusLimited = (side == kLeftSide ? s.slugRadiusLeft : s.slugRadiusRight) < before;
      break;
    }
    case kFieldCounterweightRadiusRight:
      s.shaftRadiusRight = length;
      CurrentRightSet(s).shaftRadiusRight = length;
      break;
    case kFieldToleranceAtRadiusLeft:
      EnterToleranceAtShaftRadius(s, value, s.shaftRadiusLeft);
      break;
    case kFieldToleranceAtRadiusRight:
      EnterToleranceAtShaftRadius(s, value, s.shaftRadiusRight);
      break;
    case kFieldReluctorAmount:
      s.customReluctorWeight = grams / LengthFactor(s);
      SetSimulatedReluctor(s);
      break;
    case kFieldReluctorAngle:
      s.customReluctorAngle = value;
      SetSimulatedReluctor(s);
      break;
    case kFieldOptionPortType: {
      if (!context.link) return FieldStoreOutcome{};
      long type = std::lround(std::fmin(value, 1000.0));
      context.link->optionPortType =
          type > kLastOptionPortType ? kOptionPortNone : static_cast<int>(type);
      // Kept in the control's EEPROM, not in the settings file.
      return FieldStoreOutcome{true, true, false, false};
    }
    case kFieldInitialConditionLeft:
    case kFieldInitialConditionRight:
    case kFieldFinalConditionLeft:
    case kFieldFinalConditionRight:
    case kFieldConditionRadiusLeft:
    case kFieldConditionRadiusRight: {
      if (!context.history) return FieldStoreOutcome{};
      const bool radius = FieldRowOf(code).unit == FieldUnit::kLength;
      // These go onto the bobweight card, which takes no value beyond its
      // range: one typed here would not come back from the card file.
      if (!NumberInRange(radius ? length : grams, -kCardValueMax, kCardValueMax)) {
        return FieldStoreOutcome{true, false, false, false};
      }
      History& h = *context.history;
      switch (code) {
        case kFieldInitialConditionLeft:
          h.initial.leftAmount = grams;
          break;
        case kFieldInitialConditionRight:
          h.initial.rightAmount = grams;
          break;
        case kFieldFinalConditionLeft:
          h.final.leftAmount = grams;
          break;
        case kFieldFinalConditionRight:
          h.final.rightAmount = grams;
          break;
        case kFieldConditionRadiusLeft:
          h.initial.leftRadius = h.final.leftRadius = length;
          break;
        case kFieldConditionRadiusRight:
          h.initial.rightRadius = h.final.rightRadius = length;
          break;
      }
      h.initial.text = ConditionLine(h.initial.leftAmount, h.initial.rightAmount, s.weightUnit);
      h.final.text = ConditionLine(h.final.leftAmount, h.final.rightAmount, s.weightUnit);
      // These belong to the bobweight card, not to the settings file.
      return FieldStoreOutcome{true, true, false, false};
    }
    default: {
      // A plain field: its row says the member, the unit and the range.
      const FieldRow& row = FieldRowOf(code);
      if (!row.IsPlain()) return FieldStoreOutcome{};
      StorePlainField(row, value, s);
      break;
    }
  }
  RangeLimit(s, context.ui);
  // The counterweight radius bounds the slugs as much as their own size does.
  if (code >= kFieldCounterweightRadiusLeft && code <= kFieldWebThickness && LimitSlugRadii(s)) {
    slugRadiusLimited = true;
  }
  if (slugRadiusLimited && context.ui) context.ui->ShowMessage(SlugRadiusLimitedMessage());
  // A right-side entry is kept in the current mode's stored set.
  if (code == kFieldRadiusRight || code == kFieldDrillDiameter || code == kFieldMaxDepthRight ||
      code == kFieldCounterweightRadiusRight || code == kFieldSlugDiameterRight ||
      code == kFieldDrillBitDiameterRight) {
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
