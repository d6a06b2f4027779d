// Heavy-metal slug correction: a side whose heavy spot lies outside its drill
// zone gets heavy-metal slugs on the light side, bored through the
// counterweight inside the zone. Slugs are added until the remaining unbalance
// (the "extra weight") points back into the zone, where it is drilled away.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "base/operator_message.h"

namespace balancer {

constexpr int kMaxSlugs = 20;
constexpr int kSlugTableSize = 31;

struct SlugSize {
  double diameter;  // inches
  double length;    // inches
};
// The sizes the operator can mark for automatic selection.
extern const SlugSize kSlugSizes[kSlugTableSize];

struct SlugRecord {
  double angle = 0.0;          // radians [0, 2*pi), whole degrees converted
  double length = 0.0;         // inches
  double diameter = 0.0;       // inches; 0 marks an empty entry
  double installRadius = 0.0;  // set by hand; 0 = the side's slug radius
};

struct SlugPlan {
  std::array<SlugRecord, kMaxSlugs> slugs{};
  std::array<double, kMaxSlugs> actualSlugWeight{};  // grams, entered per slug; 0 = computed
  bool slugsHeld = false;
  double extraWeight = 0.0;  // grams at the shaft radius
  int extraAngle = 0;        // degrees 0..359
  bool extraInZone = false;
  bool noRoom = false;  // the zone had no room for a fan at the last placement

  int SlugCount() const;
};

struct SlugInput {
  double moment = 0.0;  // correction moment, gram-inches
  double angle = 0.0;   // correction (heavy spot) angle, degrees
  double displayAngle = 0.0;
  double toleranceMoment = 0.0;  // compared with `moment`
  bool outsideZone = false;
  double slugRadius = 2.85;  // installation radius
  double slugDiameter = 1.0;
  double slugLength = 1.25;
  double webThickness = 0.15;
  double shaftRadius = 3.5;
  double cwThickness = 1.25;
  double cwDensity = 117.0;
  double heavyMetalDensity = 278.6;
  int zoneStart = 0;
  int zoneEnd = 0;
  // The drill's half-width at the zone edges (the zone test's h): the fan is
  // done when the remainder passes the same test the next spin puts it to.
  int zoneHalfWidth = 0;
};

// Weight of one slug as planned (the entered actual weight while held).
double SlugWeight(const SlugInput& in, const SlugPlan& plan, int index);

// extraWeight, extraAngle and extraInZone from the correction and the slugs.
void ComputeRemainingUnbalance(const SlugInput& in, SlugPlan& plan);

// Plans the side's fan of slugs (or only recomputes the remainder while the
// slugs are held). A side that is not outside its zone, or whose own moment is
// within tolerance, gets no slugs and loses its held flag. True when the fan
// reached its goal: the remainder would be drilled, not sent back to heavy
// metal, by the zone test with `zoneHalfWidth`.
bool PlaceSlugs(const SlugInput& in, SlugPlan& plan);

// Installation radius allowed by the counterweight: shaft radius - web -
// diameter / 2, never below 0.1.
double CounterweightSlugRadius(double shaftRadius, double webThickness, double slugDiameter);

// Automatic size selection for one side: walks the selected sizes from the
// largest index down and takes the first whose extra weight falls in
// [minExtra - 0.5, maxExtra + 0.49]. On success `in` holds the size and radius
// and the plan is placed with it; otherwise `in` and the plan are as before.
std::optional<int> AutoSelectSlugSize(SlugInput& in,
                                      const std::array<bool, kSlugTableSize>& selected,
                                      double minExtraWeight, double maxExtraWeight, SlugPlan& plan);

// "Attention": no selected size fits the left, the right or both sides.
OperatorMessage NoSlugSizeMessage(bool leftFailed, bool rightFailed);

// "Alert": an entry was limited by the counterweight radius.
OperatorMessage SlugRadiusLimitedMessage();

// Density of the heavy metal from a weighed test slug, held in 250..320;
// nothing when a value is 0.
std::optional<double> DensityFromTestSlug(double diameter, double length, double weight);

}  // namespace balancer
