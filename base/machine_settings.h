// The machine, calibration and job-geometry settings: one record for the whole
// run, loaded from balsetup.dta (or balsetup.bak) at start-up and written back
// to both whenever a setting changes.
//
// Units: lengths in inches, weights in grams, moments in gram-inches, angles in
// degrees, whatever units the operator displays.
//
// Several right-side values exist once per balancing mode. The working values
// (correctionRadiusRight, drillRadiusRight, ...) are what every calculation
// reads; twoPlaneSet and singlePlaneSet are what the file stores. The working
// values are copied from the current mode's set at load and on a mode change
// (CopyWorkingRightFromSet); an entry of a right-side value goes to both the
// working value and the current mode's set (StoreWorkingRightToSet).
#pragma once

#include <array>
#include <string>

namespace balancer {

// Heavy-metal slug sizes the operator can mark for automatic selection.
// suspension
constexpr int kHardBearing = 0;
constexpr int kSoftBearing = 1;
// sensorType
constexpr int kSensorLvdt = 0;
constexpr int kSensorPiezo = 1;
constexpr int kSensorMagnetCoil = 2;
constexpr int kSensorAccelerometer = 3;
constexpr int kSlugSizeCount = 31;

// Serial scale models (scaleType 1 to this); 0 is none. The model table
// itself is the bobweight scale's.
constexpr int kScaleModelCount = 8;

// Longest texts of the path fields (the file lines hold one more character
// for the line end).
constexpr size_t kPhotoPathMax = 159;
constexpr size_t kFolderPathMax = 119;

// Right-side values stored once per balancing mode.
struct RightSideSet {
  double correctionRadiusRight = 3.5;
  double drillRadiusRight = 3.025;
  double slugRadiusRight = 2.85;
  double shaftRadiusRight = 3.5;
  double maxDrillDepthRight = 1.5;
  double drillDiameterRight = 0.75;
  int radialCompensation = 0;
};

// Defaults of the single-plane set (its max depth is shallower).
inline RightSideSet DefaultSinglePlaneSet() {
  RightSideSet set;
  set.maxDrillDepthRight = 0.5;
  return set;
}

// Material indexes (drillMaterial, counterweightMaterial).
enum : int {
  kMaterialCastNodular = 0,
  kMaterialSteel = 1,
  kMaterialTungsten = 2,
  kMaterialAluminum = 3,
};

struct MachineSettings {
  // Fields in file order.
  int shaftRpm = 500;                  // 250..1000
  double lagCompensationLeft = 0.0;    // mirrored in ControlConfig
  double lagCompensationRight = 0.0;   // mirrored in ControlConfig
  double emptyBobweight = 0.0;         // grams
  double correctionRadiusLeft = 3.5;   // with radial compensation
  double correctionRadiusRight = 3.5;  // working value
  double drillDiameterLeft = 0.75;
  double uprightDistance = 18.0;  // between the bearing contact centres
  double planeOffsetLeft = 0.0;   // negative = outboard
  double planeOffsetRight = 0.0;
  int sampleQuality = 2;                // 1..3 (kept in one byte by the firmware side)
  int rightUprightReversed = 0;         // 0 Normal, 1 Reversed
  int drillMaterial = kMaterialSteel;   // 0..3
  int radialCompensation = 0;           // working value of the switch (1 on)
  double defaultOilWeight = 5.0;        // grams
  int weightUnit = 0;                   // 0 grams, 1 ounces
  int lengthUnit = 0;                   // 0 inches, 1 millimetres
  double calibrationFactorLeft = 2.0;   // mirrored in ControlConfig
  double calibrationFactorRight = 2.0;  // mirrored in ControlConfig
  double slugRadiusLeft = 2.85;
  double slugRadiusRight = 2.85;  // working value
  double shaftRadiusLeft = 3.5;   // "Left Counterweight Radius"
  double shaftRadiusRight = 3.5;  // working value
  double cwThicknessLeft = 1.25;
  double cwThicknessRight = 1.25;
  double maxDrillDepthLeft = 1.5;
  double maxDrillDepthRight = 1.5;  // working value
  double slugDiameterLeft = 1.0;
  double slugDiameterRight = 1.0;
  double slugLengthLeft = 1.25;
  double slugLengthRight = 1.25;
  double slugWebThickness = 0.15;
  int counterweightMaterial = kMaterialCastNodular;  // 0 or 1
  double screenAspectRatio = 1.0;                    // 0.88..1.12 at entry
  double printerScaleX = 1.0;
  double printerScaleY = 1.0;
  // Gram-inches per side, never below 0.001. A fresh machine starts with what
  // the tolerance calculator gives for its default shaft (60 lb, 6000 rpm,
  // class 1), so "In Tolerance" means something before anyone sets it.
  double toleranceMoment = 13.64;
  int touchscreen = 0;  // 0 No, 1 Yes
  int scaleType = 0;    // serial scale model, 0 none
  // Slug sizes marked for automatic selection (written as a count and the
  // ascending indexes).
  std::array<bool, kSlugSizeCount> slugSizeSelected{};
  double minExtraWeight = 5.0;   // grams
  double maxExtraWeight = 20.0;  // grams
  int bobweightDetail = 1;       // 0 Single, 1 Multiple
  int sensorType = 0;            // 0 LVDT, 1 Piezo, 2 Magnet-Coil, 3 Accelerometer
  int speedControl = 0;          // 0 Manual, 1 Auto, 2 Semi-Auto
  int toleranceClass = 1;
  double shaftWeightPounds = 60.0;
  double maxOperatingRpm = 6000.0;
  int twoPlaneMode = 1;                     // 1 two-plane, 0 single-plane
  int encoderCountIndex = 1;                // 1-based; mirrored in ControlConfig
  int encoderDirection = 1;                 // mirrored in ControlConfig
  int photoEye = 0;                         // 1 ON, 0 OFF
  int photoEyeEncoderDirection = 1;         // 0 CW, 1 CCW
  double optionEncoderResolution = 1000.0;  // counts per inch
  double spareValueA = 0.0;                 // only mirrored in ControlConfig
  double spareValueB = 1.0;                 // only mirrored in ControlConfig
  int reluctorType = 0;                     // 0 Disabled .. 5 Custom
  int reluctorSide = 0;                     // 0 left, 1 right
  double customReluctorWeight = 0.0;        // gram-inches
  double customReluctorAngle = 0.0;         // degrees
  int printOption = 0;
  double drillRadiusLeft = 3.025;    // hole centre radius without radial compensation
  double drillRadiusRight = 3.025;   // working value
  int suspension = 0;                // 0 Hard Bearing, 1 Soft Bearing; mirrored in ControlConfig
  double sideWeightLeft = 0.0;       // pounds
  double sideWeightRight = 0.0;      // pounds
  double heavyMetalDensity = 278.6;  // grams per cubic inch, 250..320
  double drillDiameterRight = 0.75;  // working value
  int headerTextColor = 1;           // 0..5, see HeaderTextRgb
  std::string leftPhotoPath = "C:\\balancer\\photoleft.bmp";      // up to kPhotoPathMax
  std::string rightPhotoPath = "C:\\balancer\\photoright.bmp";    // up to kPhotoPathMax
  std::string bobweightFolder;                                    // up to kFolderPathMax
  std::string presetFolder;                                       // up to kFolderPathMax
  std::string historyFolder = "C:\\balancer";                     // up to kFolderPathMax
  std::string bottomPhotoPath = "C:\\balancer\\photobottom.bmp";  // up to kPhotoPathMax
  int showCoupleForces = 0;  // "Couple Forces" shown (1) or hidden (0)

  // The stored right-side sets.
  RightSideSet twoPlaneSet;
  RightSideSet singlePlaneSet = DefaultSinglePlaneSet();

  // Derived at load and on a reluctor type change; not stored.
  double simulatedReluctorWeight = 0.0;  // gram-inches
  double simulatedReluctorAngle = 0.0;   // degrees
};

// The set of the current mode.
inline RightSideSet& CurrentRightSet(MachineSettings& s) {
  return s.twoPlaneMode ? s.twoPlaneSet : s.singlePlaneSet;
}
inline const RightSideSet& CurrentRightSet(const MachineSettings& s) {
  return s.twoPlaneMode ? s.twoPlaneSet : s.singlePlaneSet;
}

// Copies the working right-side values from the current mode's set (at load
// and after a mode change).
inline void CopyWorkingRightFromSet(MachineSettings& s) {
  const RightSideSet& set = CurrentRightSet(s);
  s.correctionRadiusRight = set.correctionRadiusRight;
  s.drillRadiusRight = set.drillRadiusRight;
  s.slugRadiusRight = set.slugRadiusRight;
  s.shaftRadiusRight = set.shaftRadiusRight;
  s.maxDrillDepthRight = set.maxDrillDepthRight;
  s.drillDiameterRight = set.drillDiameterRight;
  s.radialCompensation = set.radialCompensation;
}

// Keeps the current mode's set in step with the working right-side values
// (after an entry of one of them).
inline void StoreWorkingRightToSet(MachineSettings& s) {
  RightSideSet& set = CurrentRightSet(s);
  set.correctionRadiusRight = s.correctionRadiusRight;
  set.drillRadiusRight = s.drillRadiusRight;
  set.slugRadiusRight = s.slugRadiusRight;
  set.shaftRadiusRight = s.shaftRadiusRight;
  set.maxDrillDepthRight = s.maxDrillDepthRight;
  set.drillDiameterRight = s.drillDiameterRight;
  set.radialCompensation = s.radialCompensation;
}

// Switches the balancing mode: keeps the working values of the old mode in its
// set, then takes the new mode's set.
inline void SetBalancingMode(MachineSettings& s, int twoPlane) {
  StoreWorkingRightToSet(s);
  s.twoPlaneMode = twoPlane ? 1 : 0;
  CopyWorkingRightFromSet(s);
}

// Material densities in grams per cubic inch; tungsten is heavyMetalDensity.
double MaterialDensity(const MachineSettings& s, int material);
// "Cast/Nodular", "Steel", "Tungsten", "Aluminum"; "" outside 0..3.
const char* MaterialName(int material);

// Colour of the job header texts (headerTextColor outside 0..5 counts as 1).
struct HeaderRgb {
  int r, g, b;
};
HeaderRgb HeaderTextRgb(int headerTextColor);

// W and psi of the simulated reluctor for reluctorType (0 "Disabled" gives 0).
void SetSimulatedReluctor(MachineSettings& s);

// Drill Setup's "&Material": drillMaterial 0 -> 1 -> 2 -> 3 -> 0; the
// counterweight follows when the new material is cast or steel.
void CycleDrillMaterial(MachineSettings& s);
// Heavy Metal Setup's "&Material": both between cast and steel.
void CycleCounterweightMaterial(MachineSettings& s);

// At start-up: a scale model index beyond the scale list (of
// `scaleModelCount` entries, "none" included) becomes 0.
void LimitScaleType(MachineSettings& s, int scaleModelCount = kScaleModelCount + 1);

}  // namespace balancer
