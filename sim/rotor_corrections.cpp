#include "sim/rotor_corrections.h"

#include <algorithm>
#include <cmath>

#include "base/unit_text.h"
#include "correction/vector_math.h"

namespace balancer::sim {

namespace {

constexpr double kConeFactor = 0.266787;  // cone volume / ((d/2)^2 d)

double Bore(double diameter) {
  return kPi * diameter * diameter / 4.0;
}

double CounterweightDensity(int material) {
  return material == 1 ? 128.64 : 117.0;
}

void AddHoles(const SideCorrection& side, Side which, const MachineSettings& settings,
              const CorrectionState& state, double axial, std::vector<PointMass>& out) {
  bool left = which == Side::kLeft;
  double density = MaterialDensity(settings, settings.drillMaterial);
  double tip = state.drillPoint ? state.tipAllowance[left ? 0 : 1] : 0.0;
  bool radial = settings.radialCompensation != 0;
  double drillRadius = left ? settings.drillRadiusLeft : settings.drillRadiusRight;
  double correctionRadius =
      std::min(left ? settings.correctionRadiusLeft : settings.correctionRadiusRight,
               left ? settings.shaftRadiusLeft : settings.shaftRadiusRight);
  for (int j = 0; j < side.drill.holeCount && j < kMaxHoles; ++j) {
    const DrillHole& hole = side.drill.holes[j];
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
      AddHoles(side, which, settings, state, axial, out);
      break;
    case CorrectionMethod::kSlug:
      AddSlugs(side, which, settings, axial, out);
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

}  // namespace balancer::sim
