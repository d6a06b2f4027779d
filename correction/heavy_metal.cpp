#include "correction/heavy_metal.h"

#include <algorithm>
#include <cmath>

#include "correction/vector_math.h"
#include "correction/zones.h"
#include "records/number_text.h"

namespace balancer {

const SlugSize kSlugSizes[kSlugTableSize] = {
    {0.4375, 0.875}, {0.5, 0.75},  {0.5, 1.0},    {0.5, 1.1},    {0.5, 1.2},    {0.5, 1.25},
    {0.625, 1.0},    {0.625, 1.1}, {0.625, 1.2},  {0.625, 1.25}, {0.75, 1.0},   {0.75, 1.1},
    {0.75, 1.2},     {0.75, 1.25}, {0.875, 0.5},  {0.875, 0.7},  {0.875, 0.75}, {0.875, 1.0},
    {0.875, 1.1},    {0.875, 1.2}, {0.875, 1.25}, {1.0, 0.5},    {1.0, 0.7},    {1.0, 0.75},
    {1.0, 0.85},     {1.0, 1.0},   {1.0, 1.1},    {1.0, 1.2},    {1.0, 1.25},   {1.125, 1.0},
    {1.25, 1.0},
};

namespace {

constexpr double kMinRadius = 0.001;
constexpr double kHalfDegreesPerRadian = 28.64789;
constexpr int kMaxRoom = 160;

double ClampUnit(double v) {
  return v > 1.0 ? 1.0 : (v < -1.0 ? -1.0 : v);
}

double Bore(double diameter) {
  return kPi * (diameter / 2.0) * (diameter / 2.0);
}

int FoldDistance(int a, int b) {
  int d = std::abs(a - b) % 360;
  return d > 180 ? 360 - d : d;
}

void ClearSlugs(SlugPlan& plan) {
  plan.slugs.fill(SlugRecord{});
}

}  // namespace

int SlugPlan::SlugCount() const {
  int n = 0;
  for (const SlugRecord& s : slugs) n += s.diameter > 0.0 ? 1 : 0;
  return n;
}

double SlugWeight(const SlugInput& in, const SlugPlan& plan, int index) {
  const SlugRecord& s = plan.slugs[index];
  if (plan.slugsHeld && plan.actualSlugWeight[index] > 0.0) return plan.actualSlugWeight[index];
  return Bore(s.diameter) * s.length * in.heavyMetalDensity;
}

void ComputeRemainingUnbalance(const SlugInput& in, SlugPlan& plan) {
  double angle = in.angle / kDegreesPerRadian;
  double x = in.moment * std::cos(angle);
  double y = in.moment * std::sin(angle);
  for (int i = 0; i < kMaxSlugs; ++i) {
    const SlugRecord& s = plan.slugs[i];
    if (!(s.diameter > 0.0)) continue;
    double radius = (plan.slugsHeld && s.installRadius > 0.0) ? s.installRadius : in.slugRadius;
    double slug = SlugWeight(in, plan, i);
    double displaced = Bore(s.diameter) * in.cwThickness * in.cwDensity;
    double moment = (slug - displaced) * radius;
    x += moment * std::cos(s.angle);
    y += moment * std::sin(s.angle);
  }
  double length = std::sqrt(x * x + y * y);
  double degrees = length > 0.0 ? AngleOfComponents(x, y, length) : 0.0;
  double shaft = std::max(in.shaftRadius, kMinRadius);
  plan.extraWeight = length / shaft;
  int whole = PositiveMod(TruncToInt(RoundHalfAway(degrees)), 360);
  if (whole >= 360) whole -= 360;
  plan.extraAngle = whole;
  ZoneBounds zone{in.zoneStart, in.zoneEnd};
  plan.extraInZone = AngleInZone(whole, zone);
}

double CounterweightSlugRadius(double shaftRadius, double webThickness, double slugDiameter) {
  double r = shaftRadius - webThickness - slugDiameter / 2.0;
  return r < 0.1 ? 0.1 : r;
}

bool PlaceSlugs(const SlugInput& in, SlugPlan& plan) {
  plan.noRoom = false;
  // The plane's own moment decides: an upright reading may stay above the
  // tolerance only because of the other plane's unbalance.
  if (!in.outsideZone || !(in.moment > in.toleranceMoment)) {
    ClearSlugs(plan);
    plan.slugsHeld = false;
    ComputeRemainingUnbalance(in, plan);
    return false;
  }
  if (plan.slugsHeld) {
    ComputeRemainingUnbalance(in, plan);
    return false;
  }

  int beta = PositiveMod(TruncToInt(RoundHalfAway(in.angle - 180.0)), 360);
  if (beta < 0) beta += 360;
  beta = PositiveMod(beta, 360);

  double radius = std::max(in.slugRadius, kMinRadius);
  double pitch = 2.0 * std::asin(ClampUnit(((in.webThickness + in.slugDiameter) / 2.0) / radius));
  int margin = TruncToInt(std::ceil(std::asin(ClampUnit(((in.slugDiameter + 0.3) / 2.0) / radius)) *
                                    kDegreesPerRadian));

  int s = PositiveMod(in.zoneStart, 360), e = PositiveMod(in.zoneEnd, 360);
  margin = std::min(std::max(margin, 0), 360);
  int width = PositiveMod(e - s, 360);
  int lower = s + margin;
  if (lower > 359) lower -= 360;
  int upper = e - margin;
  if (upper < 0) upper += 360;
  lower = PositiveMod(lower, 360);
  upper = PositiveMod(upper, 360);
  int room = PositiveMod(upper - lower, 360);
  bool noRoom = room > width;
  int toLower = FoldDistance(beta, lower);
  int toUpper = FoldDistance(beta, upper);
  bool nearerLower = toLower <= toUpper;
  int edgeDistance = nearerLower ? toLower : toUpper;
  bool betaInside = PositiveMod(beta - lower, 360) <= room;
  if (room > kMaxRoom) room = kMaxRoom;

  ClearSlugs(plan);
  plan.noRoom = noRoom;
  if (noRoom) {
    ComputeRemainingUnbalance(in, plan);
    return false;
  }
  bool success = false;
  for (int k = 0; k + 1 <= kMaxSlugs && !success; ++k) {
    if (k * pitch * kDegreesPerRadian > room) break;
    double halfWidth = k * pitch * kHalfDegreesPerRadian;
    double start;
    if (edgeDistance >= RoundHalfAway(halfWidth) && betaInside) {
      start = beta - halfWidth;
    } else if (nearerLower) {
      start = lower;
    } else {
      start = upper - k * pitch * kDegreesPerRadian;
    }
    if (start < 0.0) start += 360.0;
    ClearSlugs(plan);
    for (int j = 0; j <= k; ++j) {
      int degrees =
          PositiveMod(TruncToInt(RoundHalfAway(start + j * pitch * kDegreesPerRadian)), 360);
      SlugRecord& slug = plan.slugs[j];
      slug.angle = degrees / kDegreesPerRadian;
      slug.length = in.slugLength;
      slug.diameter = in.slugDiameter;
    }
    ComputeRemainingUnbalance(in, plan);
    // Done when the next spin will drill the remainder; any stricter test
    // stops too late and any looser one sends the operator round again.
    success = !OutsideZone(plan.extraAngle, plan.extraWeight, s, e, in.zoneHalfWidth) &&
              static_cast<double>(plan.extraAngle) != in.displayAngle;
  }
  return success;
}

std::optional<int> AutoSelectSlugSize(SlugInput& in,
                                      const std::array<bool, kSlugTableSize>& selected,
                                      double minExtraWeight, double maxExtraWeight,
                                      SlugPlan& plan) {
  SlugInput original = in;
  for (int index = kSlugTableSize - 1; index >= 0; --index) {
    if (!selected[index]) continue;
    SlugInput trial = original;
    trial.slugDiameter = kSlugSizes[index].diameter;
    trial.slugLength = kSlugSizes[index].length;
    trial.slugRadius = CounterweightSlugRadius(in.shaftRadius, in.webThickness, trial.slugDiameter);
    PlaceSlugs(trial, plan);
    if (minExtraWeight - 0.5 <= plan.extraWeight && plan.extraWeight <= maxExtraWeight + 0.49) {
      in = trial;
      return index;
    }
  }
  in = original;
  PlaceSlugs(in, plan);
  return std::nullopt;
}

OperatorMessage NoSlugSizeMessage(bool leftFailed, bool rightFailed) {
  const char* text = "No selected slug sizes fall in range for the\nLeft side and Right side.";
  if (leftFailed && !rightFailed) {
    text = "No selected slug sizes fall in range for the Left side.";
  } else if (rightFailed && !leftFailed) {
    text = "No selected slug sizes fall in range for the Right side.";
  }
  return MakeOkMessage("Attention", text, kDarkBlueText, kBeepAsterisk, 310, 197, 520, 160);
}

// Tall enough for its three lines in the message font.
OperatorMessage SlugRadiusLimitedMessage() {
  return MakeOkMessage(
      "Alert",
      "The correction radius has been limited by the counterweight radius, slug diameter, and the thickness between slugs setting.",
      kDarkBlueText, kBeepAsterisk, 290, 197, 560, 180);
}

std::optional<double> DensityFromTestSlug(double diameter, double length, double weight) {
  if (diameter == 0.0 || length == 0.0 || weight == 0.0) return std::nullopt;
  double density = weight / (Bore(diameter) * length);
  if (!std::isfinite(density)) return std::nullopt;
  return std::clamp(density, 250.0, 320.0);
}

}  // namespace balancer
