#include "base/machine_settings.h"

#include "base/reluctor_types.h"

namespace balancer {

double MaterialDensity(const MachineSettings& s, int material) {
  switch (material) {
    case kMaterialCastNodular:
      return 117.0;
    case kMaterialSteel:
      return 128.64;
    case kMaterialTungsten:
      return s.heavyMetalDensity;
    case kMaterialAluminum:
      return 45.36;
    default:
      return 128.64;
  }
}

const char* MaterialName(int material) {
  switch (material) {
    case kMaterialCastNodular:
      return "Cast/Nodular";
    case kMaterialSteel:
      return "Steel";
    case kMaterialTungsten:
      return "Tungsten";
    case kMaterialAluminum:
      return "Aluminum";
    default:
      return "";
  }
}

HeaderRgb HeaderTextRgb(int headerTextColor) {
  static const HeaderRgb kColours[6] = {{0, 0, 0},     {255, 0, 0},  {0, 136, 34},
                                        {51, 51, 255}, {224, 96, 0}, {148, 32, 132}};
  if (headerTextColor < 0 || headerTextColor > 5) headerTextColor = 1;
  return kColours[headerTextColor];
}

void SetSimulatedReluctor(MachineSettings& s) {
  ReluctorUnbalance w = ReluctorFor(s.reluctorType, s.customReluctorWeight, s.customReluctorAngle);
  s.simulatedReluctorWeight = w.weight;
  s.simulatedReluctorAngle = w.angle;
}

void CycleDrillMaterial(MachineSettings& s) {
  s.drillMaterial =
      (s.drillMaterial >= kMaterialAluminum || s.drillMaterial < 0) ? 0 : s.drillMaterial + 1;
  if (s.drillMaterial <= kMaterialSteel) s.counterweightMaterial = s.drillMaterial;
}

void CycleCounterweightMaterial(MachineSettings& s) {
  s.counterweightMaterial =
      s.counterweightMaterial == kMaterialCastNodular ? kMaterialSteel : kMaterialCastNodular;
  s.drillMaterial = s.counterweightMaterial;
}

void LimitScaleType(MachineSettings& s, int scaleModelCount) {
  if (s.scaleType < 0 || s.scaleType >= scaleModelCount) s.scaleType = 0;
}

}  // namespace balancer
