#include "correction/correction_pass.h"

#include <algorithm>
#include <cmath>

#include "base/unit_text.h"
#include "correction/vector_math.h"

namespace balancer {

namespace {

constexpr double kMinRadius = 0.001;

double CounterweightDensity(int material) {
  return material == 1 ? 128.64 : 117.0;
}

double DrillDiameterOf(const MachineSettings& s, Side side) {
  return side == kLeftSide ? s.drillDiameterLeft : s.drillDiameterRight;
}
double MaxDepthOf(const MachineSettings& s, Side side) {
  return side == kLeftSide ? s.maxDrillDepthLeft : s.maxDrillDepthRight;
}
double ShaftRadiusOf(const MachineSettings& s, Side side) {
  return side == kLeftSide ? s.shaftRadiusLeft : s.shaftRadiusRight;
}
double SlugRadiusOf(const MachineSettings& s, Side side) {
  return side == kLeftSide ? s.slugRadiusLeft : s.slugRadiusRight;
}

void SetSlugRadius(MachineSettings& s, Side side, double radius) {
  if (side == kLeftSide) {
    s.slugRadiusLeft = radius;
  } else {
    s.slugRadiusRight = radius;
    CurrentRightSet(s).slugRadiusRight = radius;
  }
}

double TipAllowanceOf(const CorrectionState& state, Side side) {
  return state.drillPoint ? state.tipAllowance[side] : 0.0;
}

int HalfWidthOf(const MachineSettings& s, const CorrectionState& state, Side side) {
  return ZoneHalfWidth(DrillDiameterOf(s, side), ShaftRadiusOf(s, side), MaxDepthOf(s, side),
                       TipAllowanceOf(state, side));
}

}  // namespace

void SetDrillPoint(CorrectionState& state, const MachineSettings& settings, bool on) {
  state.drillPoint = on;
  state.tipAllowance[kLeftSide] = on ? kTipAllowancePerDiameter * settings.drillDiameterLeft : 0.0;
  state.tipAllowance[kRightSide] =
      on ? kTipAllowancePerDiameter * settings.drillDiameterRight : 0.0;
}

void StartNewReading(CorrectionState& state) {
  for (int i = 0; i < 2; ++i) {
    state.drill[i].holesHeld = false;
    state.slugs[i].slugsHeld = false;
  }
  state.selectedSlugSide = -1;
}

const char* CorrectionMethodName(CorrectionMethod method) {
  switch (method) {
    case CorrectionMethod::kDrill:
      return "drill";
    case CorrectionMethod::kSlug:
      return "slug";
    default:
      return "weight";
  }
}

double CorrectionRadiusOf(const MachineSettings& settings, Side side, bool outsideZone) {
  if (outsideZone) return SlugRadiusOf(settings, side);
  if (settings.radialCompensation) {
    return side == kLeftSide ? settings.correctionRadiusLeft : settings.correctionRadiusRight;
  }
  return side == kLeftSide ? settings.drillRadiusLeft : settings.drillRadiusRight;
}

DrillInput DrillInputFor(const MachineSettings& settings, const CorrectionState& state, Side side,
                         const PlaneCorrection& plane, const CorrectionZones& zones) {
  DrillInput in;
  in.drillDiameter = DrillDiameterOf(settings, side);
  in.maxDepth = MaxDepthOf(settings, side);
  in.moment = plane.moment;
  in.displayAngle = plane.displayAngle;
  in.drillRadius = side == kLeftSide ? settings.drillRadiusLeft : settings.drillRadiusRight;
  in.correctionRadius =
      side == kLeftSide ? settings.correctionRadiusLeft : settings.correctionRadiusRight;
  in.shaftRadius = ShaftRadiusOf(settings, side);
  in.density = MaterialDensity(settings, settings.drillMaterial);
  in.drillPoint = state.drillPoint;
  in.tipAllowance = TipAllowanceOf(state, side);
  ZoneBounds zone = ZoneOf(zones, side);
  in.zoneStart = zone.start;
  in.zoneEnd = zone.end;
  return in;
}

SlugInput SlugInputFor(const MachineSettings& settings, const CorrectionState& state, Side side,
                       const PlaneCorrection& plane, const CorrectionZones& zones) {
  SlugInput in;
  in.moment = plane.moment;
  in.angle = plane.angle;
  in.displayAngle = plane.displayAngle;
  in.toleranceMoment = settings.toleranceMoment;
  in.outsideZone = plane.outsideZone;
  in.slugRadius = SlugRadiusOf(settings, side);
  in.slugDiameter = side == kLeftSide ? settings.slugDiameterLeft : settings.slugDiameterRight;
  in.slugLength = side == kLeftSide ? settings.slugLengthLeft : settings.slugLengthRight;
  in.webThickness = settings.slugWebThickness;
  in.shaftRadius = ShaftRadiusOf(settings, side);
  in.cwThickness = side == kLeftSide ? settings.cwThicknessLeft : settings.cwThicknessRight;
  in.cwDensity = CounterweightDensity(settings.counterweightMaterial);
  in.heavyMetalDensity = settings.heavyMetalDensity;
  ZoneBounds zone = ZoneOf(zones, side);
  in.zoneStart = zone.start;
  in.zoneEnd = zone.end;
  in.zoneHalfWidth = HalfWidthOf(settings, state, side);
  return in;
}

bool RemainderIsDrilled(const SlugPlan& slugs, bool outsideZone) {
  return outsideZone && slugs.SlugCount() > 0 && slugs.extraInZone && slugs.extraWeight > 0.0;
}

void PlanRemainderHoles(const DrillInput& side, bool radial, const SlugPlan& slugs,
                        bool outsideZone, DrillPlan& plan) {
  plan = DrillPlan{};
  if (!RemainderIsDrilled(slugs, outsideZone)) return;
  // extraWeight is grams at the shaft radius; the planners take the moment.
  DrillInput in = side;
  in.moment = slugs.extraWeight * std::max(side.shaftRadius, kMinRadius);
  in.displayAngle = slugs.extraAngle;
  // Only where the next spin's zone test would drill it: just inside a bound
  // a hole would hang off the counterweight, so the slugs go in alone and
  // the next spin plans for what they leave.
  int halfWidth = ZoneHalfWidth(in.drillDiameter, in.shaftRadius, in.maxDepth, in.tipAllowance);
  if (OutsideZone(in.displayAngle, in.moment, in.zoneStart, in.zoneEnd, halfWidth)) return;
  PlanHolesWithRetry(radial, in, plan);
}

void PlanRemainder(const MachineSettings& settings, const CorrectionState& state, Side side,
                   const CorrectionZones& zones, const SlugPlan& slugs, bool outsideZone,
                   DrillPlan& plan) {
  PlaneCorrection none;
  PlanRemainderHoles(DrillInputFor(settings, state, side, none, zones),
                     settings.radialCompensation != 0, slugs, outsideZone, plan);
}

namespace {

void BuildText(const MachineSettings& settings, const CorrectionState& state, Side side,
               bool twoPlane, SideCorrection& out) {
  out.drill = state.drill[side];
  out.slugs = state.slugs[side];
  out.addMode = state.add[side];
  out.radius = CorrectionRadiusOf(settings, side, out.plane.outsideZone);
  double radius = out.radius > kMinRadius ? out.radius : kMinRadius;
  out.grams = out.plane.moment / radius;
  int unit = settings.weightUnit;
  double shown = out.plane.displayAngle;

  // The method follows the plan; the text may still be the tolerance notice.
  if (out.addMode) {
    out.method = CorrectionMethod::kWeight;
    out.text = AmountText(out.grams, AddAngle(shown), unit, true);
  } else if (out.plane.outsideZone) {
    int count = out.slugs.SlugCount();
    if (count > 0) {
      out.method = CorrectionMethod::kSlug;
      int index = 0;
      if (state.selectedSlugSide == side && state.selectedSlugIndex >= 0 &&
          state.selectedSlugIndex < kMaxSlugs &&
          out.slugs.slugs[state.selectedSlugIndex].diameter > 0.0) {
        index = state.selectedSlugIndex;
      }
      const SlugRecord& slug = out.slugs.slugs[index];
      out.text =
          SlugText(slug.diameter, slug.length, slug.angle * kDegreesPerRadian, settings.lengthUnit);
      out.remainder = state.remainder[side];
      if (out.remainder.capacityOverflow) {
        out.remainderText = "Increase drill size or max drill depth";
        out.remainderColour = TextColour::kRed;
      } else if (out.remainder.holeCount > 0) {
        out.remainderText =
            DrillText(out.remainder.holeDepth, out.slugs.extraAngle, settings.lengthUnit);
      }
    } else {
      out.method = CorrectionMethod::kSlug;
      out.text = "Projection is off the counterweight";
      out.colour = TextColour::kRed;
    }
  } else if (out.drill.capacityOverflow) {
    out.method = CorrectionMethod::kDrill;
    out.text = "Increase drill size or max drill depth";
    out.colour = TextColour::kRed;
  } else if (out.drill.holeCount > 0) {
    out.method = CorrectionMethod::kDrill;
    out.text = DrillText(out.drill.holeDepth, shown, settings.lengthUnit);
  } else {
    out.method = CorrectionMethod::kWeight;
    out.text = AmountText(out.grams, shown, unit, false);
  }
  if (twoPlane && state.readingsPresent && out.inTolerance) {
    out.text = "In Tolerance";
    out.colour = TextColour::kTolerance;
    out.remainder = DrillPlan{};
    out.remainderText.clear();
  }
}

}  // namespace

CorrectionResult RunCorrectionPass(PlaneReading& left, PlaneReading& right,
                                   MachineSettings& settings, const CorrectionZones& zones,
                                   CorrectionState& state, OperatorUi* ui) {
  CorrectionResult result;
  bool twoPlane = settings.twoPlaneMode != 0;
  result.twoPlaneMode = twoPlane;

  PlaneGeometry geometry;
  geometry.twoPlaneMode = settings.twoPlaneMode;
  geometry.uprightDistance = settings.uprightDistance;
  geometry.planeOffsetLeft = settings.planeOffsetLeft;
  geometry.planeOffsetRight = settings.planeOffsetRight;
  ReluctorInput reluctor;
  reluctor.reluctorType = settings.reluctorType;
  reluctor.reluctorSide = settings.reluctorSide;
  reluctor.weight = settings.simulatedReluctorWeight;
  reluctor.angle = settings.simulatedReluctorAngle;

  PlaneTransform t = TransformReadings(left, right, geometry, reluctor);
  state.left = t.left;
  state.right = t.right;
  state.single = t.single;
  result.single = t.single;
  result.geometryDegenerate = t.geometryDegenerate;

  PlaneCorrection* planes[2] = {&state.left, &state.right};
  double readingMoments[2] = {left.amount, twoPlane ? right.amount : t.single.staticMoment};
  bool active[2] = {twoPlane, true};

  // Zone test, method choice and the installation radius limit. A plane whose
  // own moment is within tolerance gets no heavy metal, so it is not outside
  // its zone; it is not drilled either where there is no counterweight.
  bool offCounterweight[2] = {false, false};
  for (int i = 0; i < 2; ++i) {
    Side side = static_cast<Side>(i);
    PlaneCorrection& plane = *planes[i];
    plane.outsideZone = false;
    if (!active[i]) continue;
    ZoneBounds zone = ZoneOf(zones, side);
    offCounterweight[i] = OutsideZone(plane.displayAngle, plane.moment, zone.start, zone.end,
                                      HalfWidthOf(settings, state, side));
    plane.outsideZone = offCounterweight[i] && plane.moment > settings.toleranceMoment;
    if (plane.outsideZone) {
      state.drill[i].capacityOverflow = false;
      if (!state.slugs[i].slugsHeld) {
        double slugDiameter =
            side == kLeftSide ? settings.slugDiameterLeft : settings.slugDiameterRight;
        double limit = CounterweightSlugRadius(ShaftRadiusOf(settings, side),
                                               settings.slugWebThickness, slugDiameter);
        if (SlugRadiusOf(settings, side) > limit) SetSlugRadius(settings, side, limit);
      }
    }
  }

  // Drilling.
  bool radial = settings.radialCompensation != 0;
  for (int i = 0; i < 2; ++i) {
    Side side = static_cast<Side>(i);
    DrillPlan& plan = state.drill[i];
    if (!active[i] || offCounterweight[i]) {
      if (!plan.holesHeld) {
        plan = DrillPlan{};
      }
      continue;
    }
    PlanHolesWithRetry(radial, DrillInputFor(settings, state, side, *planes[i], zones), plan);
  }

  // Heavy metal, with the automatic size selection when it was asked for.
  bool failed[2] = {false, false};
  for (int i = 0; i < 2; ++i) {
    Side side = static_cast<Side>(i);
    if (!active[i]) {
      state.slugs[i] = SlugPlan{};
      continue;
    }
    SlugInput in = SlugInputFor(settings, state, side, *planes[i], zones);
    PlaceSlugs(in, state.slugs[i]);
    if (state.autoSelectRequested && planes[i]->outsideZone) {
      std::optional<int> chosen =
          AutoSelectSlugSize(in, settings.slugSizeSelected, settings.minExtraWeight,
                             settings.maxExtraWeight, state.slugs[i]);
      if (chosen) {
        (side == kLeftSide ? settings.slugDiameterLeft : settings.slugDiameterRight) =
            in.slugDiameter;
        (side == kLeftSide ? settings.slugLengthLeft : settings.slugLengthRight) = in.slugLength;
        SetSlugRadius(settings, side, in.slugRadius);
      } else {
        failed[i] = true;
      }
    }
  }
  if (state.autoSelectRequested && (failed[0] || failed[1])) {
    OperatorMessage m = NoSlugSizeMessage(failed[0], failed[1]);
    result.messages.push_back(m);
    if (ui) ui->ShowMessage(m);
  }
  state.autoSelectRequested = false;

  // What the slugs leave is drilled in the same run; Add mode overrides the
  // heavy metal and with it its remainder.
  for (int i = 0; i < 2; ++i) {
    Side side = static_cast<Side>(i);
    if (!active[i] || state.add[i]) {
      state.remainder[i] = DrillPlan{};
      continue;
    }
    PlanRemainder(settings, state, side, zones, state.slugs[i], planes[i]->outsideZone,
                  state.remainder[i]);
  }

  // What each side shows.
  SideCorrection* outs[2] = {&result.left, &result.right};
  for (int i = 0; i < 2; ++i) {
    SideCorrection& out = *outs[i];
    out.active = active[i];
    out.plane = *planes[i];
    if (twoPlane) {
      out.inTolerance = WithinTolerance(readingMoments[i], settings.toleranceMoment);
    } else {
      out.inTolerance = WithinTolerance(left.amount, settings.toleranceMoment) &&
                        WithinTolerance(right.amount, settings.toleranceMoment) &&
                        WithinTolerance(t.single.staticMoment, settings.toleranceMoment);
    }
    if (!active[i]) continue;
    BuildText(settings, state, static_cast<Side>(i), twoPlane, out);
  }
  if (ui) ui->RequestRepaint(RepaintArea::kReadings);
  return result;
}

}  // namespace balancer
