#include "correction/plane_transform.h"

#include <algorithm>
#include <cmath>

#include "correction/reluctor.h"
#include "correction/vector_math.h"
#include "correction/zones.h"
#include "records/number_text.h"

namespace balancer {

namespace {

constexpr double kZeroReading = 0.002;
// Below this a lever of the plane geometry counts as zero.
constexpr double kTinyLever = 1e-9;

// Steps 3.2/3.3 for one plane: the lever-scaled own reading (ownScaled at
// ownAngle) and the other side's (otherScaled at otherAngle).
void SolvePlane(double ownScaled, double ownAngle, double otherScaled, double otherAngle,
                double otherOffset, double ownLever, double* moment, double* angle) {
  double theta = (otherAngle - ownAngle + 180.0) / kDegreesPerRadian;
  double k = otherScaled * otherOffset / ownLever;
  double x = (ownScaled + k * std::cos(theta)) / 2.0;
  double y = (k * std::sin(theta)) / 2.0;
  // atan2 is atan(y/x) with the "minus pi when x <= 0" turn, without the
  // wrong half-turn at x == 0.
  double phi = std::atan2(y, x);
  *moment = 2.0 * std::sqrt(x * x + y * y);
  *angle = ownAngle + phi * kDegreesPerRadian;
}

void FinishAngle(double& moment, double& angle) {
  angle = NormalizeDegrees(angle);
  if (moment < 0.0) {
    moment = -moment;
    angle += 180.0;
    if (angle >= 360.0) angle -= 360.0;
  }
}

}  // namespace

double DisplayAngleOf(double angle) {
  double d = angle;
  if (d > 359.5) d -= 360.0;
  if (d < 0.0) d = 0.0;
  return d;
}

PlaneTransform TransformReadings(PlaneReading& left, PlaneReading& right,
                                 const PlaneGeometry& geometry, const ReluctorInput& reluctor) {
  if (left.amount == 0.0) left.amount = kZeroReading;
  if (right.amount == 0.0) right.amount = kZeroReading;

  PlaneTransform out;
  double rL = left.amount, aL = NormalizeDegrees(left.angle);
  double rR = right.amount, aR = NormalizeDegrees(right.angle);

  if (!geometry.twoPlaneMode) {
    VectorSum v = combineVectors(rL, aL, rR, aR);
    out.single.staticMoment = v.sumAmount;
    out.single.staticAngle = v.sumAngle;
    out.single.coupleHalfMoment = v.halfDiffAmount;
    out.single.coupleAngle = v.halfDiffAngle;
    out.single.coupleOppositeAngle = v.halfDiffAngle + 180.0;
    if (out.single.coupleOppositeAngle >= 360.0) out.single.coupleOppositeAngle -= 360.0;
    out.left.moment = rL;
    out.left.angle = aL;
    out.right.moment = v.sumAmount;
    out.right.angle = v.sumAngle;
  } else {
    double d = geometry.uprightDistance;
    double pL = geometry.planeOffsetLeft;
    double pR = geometry.planeOffsetRight;
    double leverL = d - pL, leverR = d - pR, between = d - pL - pR;
    if (std::fabs(d) < kTinyLever || std::fabs(leverL) < kTinyLever ||
        std::fabs(leverR) < kTinyLever || std::fabs(between) < kTinyLever) {
      // No solution exists; the uprights' readings are the best we have.
      out.geometryDegenerate = true;
      out.left.moment = rL;
      out.left.angle = aL;
      out.right.moment = rR;
      out.right.angle = aR;
    } else {
      double scaledL = rL * d / leverL;
      double scaledR = rR * d / leverR;
      double m, a;
      SolvePlane(scaledL, aL, scaledR, aR, pR, leverL, &m, &a);
      out.left.moment = m * (leverL / between) / (d / leverR);
      out.left.angle = a;
      SolvePlane(scaledR, aR, scaledL, aL, pL, leverR, &m, &a);
      out.right.moment = m * (leverR / between) / (d / leverL);
      out.right.angle = a;
      FinishAngle(out.left.moment, out.left.angle);
      FinishAngle(out.right.moment, out.right.angle);
    }

    if (reluctor.reluctorType >= 1) {
      ReluctorShares shares = SplitReluctor(reluctor.weight, reluctor.reluctorSide, d, pL, pR);
      VectorSum l = combineVectors(out.left.moment, out.left.angle, shares.left, reluctor.angle);
      VectorSum r = combineVectors(out.right.moment, out.right.angle, shares.right, reluctor.angle);
      out.left.moment = l.sumAmount;
      out.left.angle = l.sumAngle;
      out.right.moment = r.sumAmount;
      out.right.angle = r.sumAngle;
    }
  }

  out.left.displayAngle = DisplayAngleOf(out.left.angle);
  out.right.displayAngle = DisplayAngleOf(out.right.angle);
  return out;
}

int ZoneHalfWidth(double drillDiameter, double shaftRadius, double maxDrillDepth,
                  double tipAllowance) {
  double below = shaftRadius - (maxDrillDepth - tipAllowance);
  // A hole reaching the shaft centre has the widest half-width atan can give.
  double a = below > 0.0 ? std::atan(((drillDiameter + 0.05) * 0.5) / below) : kPi / 2.0;
  if (!std::isfinite(a)) a = kPi / 2.0;
  return TruncToInt(a * 64.0);
}

bool OutsideZone(double displayAngle, double moment, int zoneStart, int zoneEnd, int halfWidth) {
  // Bounds and half-width brought into a turn first, so no sum below can
  // overflow whatever a damaged file held.
  zoneStart = PositiveMod(zoneStart, 360);
  zoneEnd = PositiveMod(zoneEnd, 360);
  halfWidth = std::min(std::max(halfWidth, 0), 360);
  if (zoneStart == zoneEnd || moment == 0.0) return false;
  int lower = zoneStart + halfWidth;
  int upper = zoneEnd - halfWidth;
  if (zoneEnd < zoneStart) upper += 360;
  if (upper < 0) upper += 360;
  double angle = displayAngle;
  if (angle < zoneStart) angle += 360.0;
  double a = std::trunc(angle);
  return a < lower || a > upper;
}

void rotateReference(int shift, PlaneReading& left, PlaneReading& right, CorrectionZones& zones) {
  auto turn = [shift](double angle) {
    double a = angle - shift;
    if (a < 0.0) a += 360.0;
    return NormalizeDegrees(a);
  };
  left.angle = turn(left.angle);
  right.angle = turn(right.angle);
  int* bounds[4] = {&zones.zoneStartLeft, &zones.zoneEndLeft, &zones.zoneStartRight,
                    &zones.zoneEndRight};
  for (int* b : bounds) *b = PositiveMod(PositiveMod(*b, 360) - PositiveMod(shift, 360), 360);
}

}  // namespace balancer
