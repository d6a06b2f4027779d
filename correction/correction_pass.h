// The correction pass: from the two readings, the settings and the zones to
// everything the main screen, the history and the CLI show per side. It runs
// after every spin and after every change of a setting that affects it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/machine_settings.h"
#include "base/operator_message.h"
#include "base/operator_ui.h"
#include "correction/drill_planner.h"
#include "correction/heavy_metal.h"
#include "correction/plane_transform.h"
#include "correction/tolerance.h"
#include "correction/zones.h"
#include "measure/plane_reading.h"

namespace balancer {

// What the pass keeps between runs (the held plans survive a rerun).
struct CorrectionState {
  PlaneCorrection left;
  PlaneCorrection right;
  SinglePlaneResult single;
  std::array<DrillPlan, 2> drill{};
  std::array<SlugPlan, 2> slugs{};
  // Per side: the holes that drill away what the slugs leave (the
  // "Projection"), planned with the slugs so that one run does both.
  std::array<DrillPlan, 2> remainder{};
  bool drillPoint = false;               // "Drill Point" switch, off at every start
  std::array<double, 2> tipAllowance{};  // a per side; 0 while the switch is off
  std::array<bool, 2> add{};             // the Add toggles
  bool autoSelectRequested = false;      // raised by the size selection window
  bool readingsPresent = false;          // a measurement (or the preload) exists
  // Per side (left, right): the reading was measured by a spin or loaded from
  // preload.txt. A failed or cancelled spin leaves none, although the plane
  // transformation turns its 0 into a small moment.
  std::array<bool, 2> measured{};
  // The slug picked on a dial (Part of the main screen's state); its angle is
  // the one the slug text names. -1: none.
  int selectedSlugSide = -1;
  int selectedSlugIndex = 0;
  // The tolerance calculator's class factor, kept for the run.
  ToleranceCalculator toleranceCalculator;
};

// The "Drill Point" switch: on sets both tip allowances from the drill
// diameters, off sets them to 0.
void SetDrillPoint(CorrectionState& state, const MachineSettings& settings, bool on);

// A spin's reading is a new shaft condition: the holes and slugs adjusted by
// hand on the old one are released on both sides, so the next pass plans them
// afresh, and the slug picked on a dial is forgotten.
void StartNewReading(CorrectionState& state);

enum class CorrectionMethod { kWeight, kDrill, kSlug };
const char* CorrectionMethodName(CorrectionMethod method);  // "weight", "drill", "slug"

enum class TextColour { kDefault, kRed, kTolerance };

struct SideCorrection {
  bool active = false;  // drawn in this mode (single-plane shows the right side only)
  PlaneCorrection plane;
  double radius = 0.0;  // correction radius the grams refer to
  double grams = 0.0;   // moment / radius
  CorrectionMethod method = CorrectionMethod::kWeight;
  std::string text;  // the line under the dial (ANSI)
  TextColour colour = TextColour::kDefault;
  bool inTolerance = false;
  bool addMode = false;
  DrillPlan drill;
  SlugPlan slugs;
  // A heavy-metal side whose remainder points into the zone: the holes that
  // drill it away in the same run, and the line under the Projection reading
  // (the drill text, or the drill notice in red). Empty otherwise.
  DrillPlan remainder;
  std::string remainderText;
  TextColour remainderColour = TextColour::kDefault;
};

struct CorrectionResult {
  bool twoPlaneMode = true;
  SideCorrection left;
  SideCorrection right;
  SinglePlaneResult single;  // single-plane mode only
  bool geometryDegenerate = false;
  std::vector<OperatorMessage> messages;  // also shown through the ui
};

// The whole pass. The readings' zero moments become 0.002 (stored back); the
// settings may change where the pass itself changes them (the heavy-metal
// installation radius limit, an automatic slug size). Messages go to `ui`
// when given.
CorrectionResult RunCorrectionPass(PlaneReading& left, PlaneReading& right,
                                   MachineSettings& settings, const CorrectionZones& zones,
                                   CorrectionState& state, OperatorUi* ui);

// The inputs of one side's planners, as the pass builds them.
DrillInput DrillInputFor(const MachineSettings& settings, const CorrectionState& state, Side side,
                         const PlaneCorrection& plane, const CorrectionZones& zones);
SlugInput SlugInputFor(const MachineSettings& settings, const CorrectionState& state, Side side,
                       const PlaneCorrection& plane, const CorrectionZones& zones);

// The side's radius that turns its moment into grams: slug radius outside the
// zone, else the correction radius with radial compensation, else the drill
// radius.
double CorrectionRadiusOf(const MachineSettings& settings, Side side, bool outsideZone);

// The remainder of a side's slugs as a drill correction: its moment
// (extraWeight at the shaft radius) at extraAngle. Planned only when the
// remainder points into the zone and the side's slugs are fitted.
bool RemainderIsDrilled(const SlugPlan& slugs, bool outsideZone);
// `side` is the side's drill input; its moment and angle are replaced. No
// holes either where the zone test with the side's drill would not drill the
// remainder (just inside a zone bound).
void PlanRemainderHoles(const DrillInput& side, bool radial, const SlugPlan& slugs,
                        bool outsideZone, DrillPlan& plan);
void PlanRemainder(const MachineSettings& settings, const CorrectionState& state, Side side,
                   const CorrectionZones& zones, const SlugPlan& slugs, bool outsideZone,
                   DrillPlan& plan);

}  // namespace balancer
