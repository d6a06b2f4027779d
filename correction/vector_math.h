// Vector arithmetic on amount/angle pairs as the balancer does it: angles in
// degrees, recovered from Cartesian components with asin and quadrant rules.
#pragma once

namespace balancer {

constexpr double kDegreesPerRadian = 57.29577951308;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// Result of combineVectors.
struct VectorSum {
  double sumAmount = 0.0;
  double sumAngle = 0.0;  // degrees [0, 360)
  double halfDiffAmount = 0.0;
  double halfDiffAngle = 0.0;  // degrees [0, 360)
};

// Sum and half difference of (a1, theta1) and (a2, theta2), angles in degrees.
// A zero-length result has amount 0.000001 (halved for the difference).
VectorSum combineVectors(double a1, double theta1, double a2, double theta2);

// Angle in degrees [0, 360) of the vector (x, y) of length r (r > 0), by asin
// and the quadrant rules.
double AngleOfComponents(double x, double y, double r);

// Any angle in degrees into [0, 360).
double NormalizeDegrees(double degrees);
// Any angle in radians into [0, 2*pi).
double NormalizeRadians(double radians);

// Rounds half away from zero.
double RoundHalfAway(double value);

// Modulo that never goes negative (for whole degrees).
int PositiveMod(int value, int modulus);

}  // namespace balancer
