#include "sim/rotor_corrections.h"

#include <algorithm>
#include <cmath>

#include "base/unit_text.h"
#include "correction/vector_math.h"
#include "records/settings_file.h"

namespace balancer::sim {

namespace {

constexpr double kConeFactor = 0.266787;  // cone volume / ((d/2)^2 d)

double Bore(double diameter) {
  return kPi * diameter * diameter / 4.0;
}

double CounterweightDensity(int material) {
  return material == 1 ? 128.64 : 117.0;
}

void AddHoles(const DrillPlan& plan, Side which, const MachineSettings& settings,
              const CorrectionState& state, double axial, std::vector<PointMass>& out) {
  bool left = which == Side::kLeft;
  double density = MaterialDensity(settings, settings.drillMaterial);
  double tip = state.drillPoint ? state.tipAllowance[left ? 0 : 1] : 0.0;
  bool radial = settings.radialCompensation != 0;
  double drillRadius = left ? settings.drillRadiusLeft : settings.drillRadiusRight;
  double correctionRadius =
      std::min(left ? settings.correctionRadiusLeft : settings.correctionRadiusRight,
               left ? settings.shaftRadiusLeft : settings.shaftRadiusRight);
  for (int j = 0; j < plan.holeCount && j < kMaxHoles; ++j) {
    const DrillHole& hole = plan.holes[j];
    if (!(hole.depth > 0.0) || !(hole.diameter > 0.0)) continue;
    double d = hole.diameter;
    double angle = hole.angle * kDegreesPerRadian;
    // Without the drill point option the hole counts as flat-bottomed.
    double bodyLength = state.drillPoint ? std::max(hole.depth - tip, 0.0) : hole.depth;
    double coneHeight = state.drillPoint ? std::min(hole.depth, tip) : 0.0;
    double coneVolume = 0.0;
    if (state.drillPoint && tip > 0.0) {
      double full = (d / 2.0) * (d / 2.0) * d * kConeFactor;
      double share = coneHeight / tip;
      coneVolume = full * share * share * share;
    }
    double bodyRadius = radial ? correctionRadius - bodyLength / 2.0 : drillRadius;
    double coneRadius = radial ? correctionRadius - bodyLength - coneHeight / 4.0 : drillRadius;
    if (bodyLength > 0.0) {
      out.push_back({-Bore(d) * bodyLength * density, bodyRadius, angle, axial});
    }
    if (coneVolume > 0.0) out.push_back({-coneVolume * density, coneRadius, angle, axial});
  }
}

void AddSlugs(const SideCorrection& side, Side which, const MachineSettings& settings, double axial,
              std::vector<PointMass>& out) {
  bool left = which == Side::kLeft;
  double slugRadius = left ? settings.slugRadiusLeft : settings.slugRadiusRight;
  double cwThickness = left ? settings.cwThicknessLeft : settings.cwThicknessRight;
  double cwDensity = CounterweightDensity(settings.counterweightMaterial);
  const SlugPlan& plan = side.slugs;
  for (int j = 0; j < kMaxSlugs; ++j) {
    const SlugRecord& slug = plan.slugs[j];
    if (!(slug.diameter > 0.0)) continue;
    double radius = (plan.slugsHeld && slug.installRadius > 0.0) ? slug.installRadius : slugRadius;
    double weight = (plan.slugsHeld && plan.actualSlugWeight[j] > 0.0)
                        ? plan.actualSlugWeight[j]
                        : Bore(slug.diameter) * slug.length * settings.heavyMetalDensity;
    double bored = Bore(slug.diameter) * cwThickness * cwDensity;
    out.push_back({weight - bored, radius, slug.angle * kDegreesPerRadian, axial});
  }
}

void AddSide(const SideCorrection& side, Side which, const MachineSettings& settings,
             const CorrectionState& state, bool twoPlane, double axial,
             std::vector<PointMass>& out) {
  if (!side.active || side.colour != TextColour::kDefault) return;
  if (side.addMode) {
    out.push_back({side.grams, side.radius, AddAngle(side.plane.displayAngle), axial});
    return;
  }
  switch (side.method) {
    case CorrectionMethod::kDrill:
      AddHoles(side.drill, which, settings, state, axial, out);
      break;
    case CorrectionMethod::kSlug:
      AddSlugs(side, which, settings, axial, out);
      // The remainder's holes go in with the slugs; not while its line is
      // the red drill notice.
      if (side.remainderColour == TextColour::kDefault) {
        AddHoles(side.remainder, which, settings, state, axial, out);
      }
      break;
    case CorrectionMethod::kWeight:
      out.push_back({-side.grams, side.radius, side.plane.displayAngle, axial});
      break;
  }
}

}  // namespace

CorrectionPlanes PlanesFromSettings(const MachineSettings& settings) {
  CorrectionPlanes p;
  p.leftAxial = settings.planeOffsetLeft;
  p.rightAxial = settings.uprightDistance - settings.planeOffsetRight;
  return p;
}

std::vector<PointMass> MassesForCorrections(const CorrectionResult& result,
                                            const MachineSettings& settings,
                                            const CorrectionState& state,
                                            const CorrectionPlanes& planes) {
  std::vector<PointMass> out;
  AddSide(result.left, Side::kLeft, settings, state, result.twoPlaneMode, planes.leftAxial, out);
  AddSide(result.right, Side::kRight, settings, state, result.twoPlaneMode, planes.rightAxial, out);
  return out;
}

int ApplyCorrections(SimulatedControl& control, const CorrectionResult& result,
                     const MachineSettings& settings, const CorrectionState& state,
                     const CorrectionPlanes& planes) {
  std::vector<PointMass> masses = MassesForCorrections(result, settings, state, planes);
  for (const PointMass& m : masses) control.AddMass(m);
  return static_cast<int>(masses.size());
}

bool ShowsDrillNotice(const SideCorrection& side) {
  if (!side.active) return false;
  if (side.method == CorrectionMethod::kDrill) return side.colour == TextColour::kRed;
  // The same notice under the Projection reading: the slugs' remainder.
  return side.method == CorrectionMethod::kSlug && side.colour == TextColour::kDefault &&
         side.remainderColour == TextColour::kRed;
}

DrillChange IncreaseDrillOrDepth(MachineSettings& settings, Side side,
                                 const DrillToolbox& toolbox) {
  bool left = side == Side::kLeft;
  double& diameter = left ? settings.drillDiameterLeft : settings.drillDiameterRight;
  double& depth = left ? settings.maxDrillDepthLeft : settings.maxDrillDepthRight;
  // Sizes a hair apart are the same drill.
  constexpr double kSame = 1e-6;
  DrillChange change = DrillChange::kNone;
  double next = 0.0;
  for (double d : toolbox.drills) {
    if (d > diameter + kSame && (next == 0.0 || d < next)) next = d;
  }
  if (next > 0.0) {
    diameter = next;
    change = DrillChange::kLargerDrill;
  } else if (toolbox.depthStep > 0.0 && depth + toolbox.depthStep <= toolbox.deepestHole + kSame) {
    depth += toolbox.depthStep;
    change = DrillChange::kDeeper;
  }
  if (change == DrillChange::kNone) return change;
  if (!left) StoreWorkingRightToSet(settings);
  LimitDrillRadii(settings);
  return change;
}

NoticeAnswers FollowDrillNotice(const PlaneReading& left, const PlaneReading& right,
                                MachineSettings& settings, const CorrectionZones& zones,
                                CorrectionState& state, CorrectionResult& result,
                                const DrillToolbox& toolbox) {
  NoticeAnswers answers;
  for (;;) {
    bool changed = false;
    const SideCorrection* sides[2] = {&result.left, &result.right};
    for (int i = 0; i < 2; ++i) {
      if (!ShowsDrillNotice(*sides[i])) continue;
      Side side = i == 0 ? Side::kLeft : Side::kRight;
      DrillChange change = IncreaseDrillOrDepth(settings, side, toolbox);
      if (change == DrillChange::kNone) continue;
      changed = answers.changed[i] = true;
      if (change == DrillChange::kLargerDrill) {
        ++answers.largerDrills;
      } else {
        ++answers.deeperSettings;
        state.drill[i].holesHeld = false;  // a new max depth lets the planner rebuild
      }
    }
    if (!changed) return answers;
    SetDrillPoint(state, settings, state.drillPoint);  // the tip follows the drill
    PlaneReading l = left, r = right;
    result = RunCorrectionPass(l, r, settings, zones, state, nullptr);
  }
}

}  // namespace balancer::sim
