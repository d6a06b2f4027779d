#include "correction/setup_entries.h"

#include <algorithm>

#include "correction/heavy_metal.h"

namespace balancer {

void ApplyDrillDiameterEntry(MachineSettings& settings, CorrectionState& state, Side side,
                             double diameter) {
  bool both = !settings.twoPlaneMode;
  if (side == kLeftSide || both) settings.drillDiameterLeft = diameter;
  if (side == kRightSide || both) {
    settings.drillDiameterRight = diameter;
    CurrentRightSet(settings).drillDiameterRight = diameter;
  }
  if (state.drillPoint) SetDrillPoint(state, settings, true);
  settings.drillRadiusLeft = std::min(
      settings.drillRadiusLeft, settings.shaftRadiusLeft - 0.05 - settings.drillDiameterLeft / 2.0);
  settings.drillRadiusRight =
      std::min(settings.drillRadiusRight,
               settings.shaftRadiusRight - 0.05 - settings.drillDiameterRight / 2.0);
  CurrentRightSet(settings).drillRadiusRight = settings.drillRadiusRight;
}

void ToggleRadialCompensation(MachineSettings& settings, CorrectionState& state) {
  settings.radialCompensation = settings.radialCompensation ? 0 : 1;
  CurrentRightSet(settings).radialCompensation = settings.radialCompensation;
  if (settings.radialCompensation) {
    settings.maxDrillDepthLeft = std::min(settings.maxDrillDepthLeft, settings.shaftRadiusLeft);
    settings.maxDrillDepthRight = std::min(settings.maxDrillDepthRight, settings.shaftRadiusRight);
    CurrentRightSet(settings).maxDrillDepthRight = settings.maxDrillDepthRight;
  }
  state.drill[kLeftSide].holesHeld = false;
  state.drill[kRightSide].holesHeld = false;
}

void ApplyMaxDepthEntry(MachineSettings& settings, CorrectionState& state, Side side,
                        double depth) {
  if (side == kLeftSide) {
    settings.maxDrillDepthLeft = depth;
  } else {
    settings.maxDrillDepthRight = depth;
    CurrentRightSet(settings).maxDrillDepthRight = depth;
  }
  state.drill[side].holesHeld = false;
}

void ApplySlugDiameterEntry(MachineSettings& settings, CorrectionState& state, Side side,
                            double diameter) {
  double& stored = side == kLeftSide ? settings.slugDiameterLeft : settings.slugDiameterRight;
  double old = stored;
  stored = diameter;
  double shaft = side == kLeftSide ? settings.shaftRadiusLeft : settings.shaftRadiusRight;
  double radius = CounterweightSlugRadius(shaft, settings.slugWebThickness, diameter);
  if (side == kLeftSide) {
    settings.slugRadiusLeft = radius;
  } else {
    settings.slugRadiusRight = radius;
    CurrentRightSet(settings).slugRadiusRight = radius;
  }
  for (SlugRecord& slug : state.slugs[side].slugs) {
    if (slug.diameter > 0.0 && slug.diameter == old) slug.diameter = diameter;
  }
}

}  // namespace balancer
