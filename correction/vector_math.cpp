#include "correction/vector_math.h"

#include <cmath>

namespace balancer {

namespace {
constexpr double kZeroLength = 0.000001;
}  // namespace

double AngleOfComponents(double x, double y, double r) {
  double ratio = y / r;
  // Rounding can put |y| a hair above r; asin would give NaN.
  if (ratio > 1.0) ratio = 1.0;
  if (ratio < -1.0) ratio = -1.0;
  double angle = std::asin(ratio) * kDegreesPerRadian;
  if (x < 0.0 && y >= 0.0) {
    angle = 180.0 - angle;
  } else if (x >= 0.0 && y < 0.0) {
    angle = angle + 360.0;
  } else if (x < 0.0 && y < 0.0) {
    angle = 180.0 - angle;
  }
  if (angle < 0.0) angle += 360.0;
  // 360 itself is the same direction as 0 and must not reach a display.
  if (angle >= 360.0) angle -= 360.0;
  return angle;
}

VectorSum combineVectors(double a1, double theta1, double a2, double theta2) {
  double t1 = theta1 / kDegreesPerRadian;
  double t2 = theta2 / kDegreesPerRadian;
  double x1 = a1 * std::cos(t1), y1 = a1 * std::sin(t1);
  double x2 = a2 * std::cos(t2), y2 = a2 * std::sin(t2);

  VectorSum out;
  double sx = x1 + x2, sy = y1 + y2;
  double sr = std::sqrt(sx * sx + sy * sy);
  // Equal and opposite vectors leave rounding dust, not an exact 0; both
  // count as no length.
  out.sumAmount = sr < kZeroLength ? kZeroLength : sr;
  out.sumAngle = sr > 0.0 ? AngleOfComponents(sx, sy, sr) : 0.0;

  double dx = x1 - x2, dy = y1 - y2;
  double dr = std::sqrt(dx * dx + dy * dy);
  out.halfDiffAmount = (dr < kZeroLength ? kZeroLength : dr) * 0.5;
  out.halfDiffAngle = dr > 0.0 ? AngleOfComponents(dx, dy, dr) : 0.0;
  return out;
}

double NormalizeDegrees(double degrees) {
  if (!std::isfinite(degrees)) return 0.0;
  double d = std::fmod(degrees, 360.0);
  if (d < 0.0) d += 360.0;
  if (d >= 360.0) d -= 360.0;
  return d;
}

double NormalizeRadians(double radians) {
  if (!std::isfinite(radians)) return 0.0;
  double r = std::fmod(radians, kTwoPi);
  if (r < 0.0) r += kTwoPi;
  if (r >= kTwoPi) r -= kTwoPi;
  return r;
}

double RoundHalfAway(double value) {
  return std::round(value);
}

int PositiveMod(int value, int modulus) {
  int m = value % modulus;
  return m < 0 ? m + modulus : m;
}

}  // namespace balancer
