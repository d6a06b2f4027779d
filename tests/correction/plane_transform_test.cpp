#include "correction/plane_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>

#include "correction/reluctor.h"
#include "correction/vector_math.h"
#include "correction/zones.h"

namespace balancer {
namespace {

using Vec = std::complex<double>;

Vec Polar(double amount, double degrees) {
  return std::polar(amount, degrees / kDegreesPerRadian);
}

double DegreesOf(Vec v) {
  return NormalizeDegrees(std::arg(v) * kDegreesPerRadian);
}

double AngleGap(double a, double b) {
  double d = std::fabs(NormalizeDegrees(a) - NormalizeDegrees(b));
  return d > 180.0 ? 360.0 - d : d;
}

PlaneGeometry TwoPlane(double d, double pl, double pr) {
  PlaneGeometry g;
  g.twoPlaneMode = 1;
  g.uprightDistance = d;
  g.planeOffsetLeft = pl;
  g.planeOffsetRight = pr;
  return g;
}

TEST(CombineVectors, SumAndHalfDifference) {
  VectorSum v = combineVectors(3.0, 0.0, 4.0, 90.0);
  EXPECT_NEAR(v.sumAmount, 5.0, 1e-12);
  EXPECT_NEAR(v.sumAngle, 53.130102, 1e-5);
  EXPECT_NEAR(v.halfDiffAmount, 2.5, 1e-12);
  EXPECT_NEAR(v.halfDiffAngle, 306.869898, 1e-5);  // (3, -4)
  // Every quadrant comes back where it belongs.
  for (double a : {10.0, 100.0, 190.0, 280.0, 359.9}) {
    VectorSum s = combineVectors(2.0, a, 0.0, 0.0);
    EXPECT_NEAR(s.sumAngle, a, 1e-9) << a;
    EXPECT_LT(s.sumAngle, 360.0);
  }
}

TEST(CombineVectors, ZeroLengthFloors) {
  VectorSum v = combineVectors(5.0, 30.0, 5.0, 210.0);
  EXPECT_DOUBLE_EQ(v.sumAmount, 0.000001);
  EXPECT_NEAR(v.halfDiffAmount, 5.0, 1e-12);
  EXPECT_NEAR(v.halfDiffAngle, 30.0, 1e-9);
  VectorSum same = combineVectors(2.0, 45.0, 2.0, 45.0);
  EXPECT_DOUBLE_EQ(same.halfDiffAmount, 0.0000005);
}

TEST(TransformReadings, ZeroOffsetsReturnTheReadings) {
  PlaneReading l{12.5, 37.0}, r{40.0, 301.25};
  PlaneTransform t = TransformReadings(l, r, TwoPlane(18.0, 0.0, 0.0), ReluctorInput{});
  EXPECT_NEAR(t.left.moment, 12.5, 1e-9);
  EXPECT_NEAR(t.left.angle, 37.0, 1e-9);
  EXPECT_NEAR(t.right.moment, 40.0, 1e-9);
  EXPECT_NEAR(t.right.angle, 301.25, 1e-9);
}

TEST(TransformReadings, ZeroReadingBecomesFloorAndIsStoredBack) {
  PlaneReading l{0.0, 0.0}, r{10.0, 90.0};
  TransformReadings(l, r, TwoPlane(18.0, 0.0, 0.0), ReluctorInput{});
  EXPECT_DOUBLE_EQ(l.amount, 0.002);
  EXPECT_DOUBLE_EQ(r.amount, 10.0);
}

// Every geometry, crossed planes included, agrees with the closed form
// left = (FL(D - pR) - FR pR) / B, right = (FR(D - pL) - FL pL) / B.
TEST(TransformReadings, AgreesWithClosedFormIncludingCrossedPlanes) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> amount(0.5, 500.0), angle(0.0, 359.99), offset(-6.0, 14.0);
  int crossed = 0;
  for (int i = 0; i < 400; ++i) {
    double d = 18.0, pl = offset(rng), pr = offset(rng);
    double b = d - pl - pr;
    if (std::fabs(b) < 0.5 || std::fabs(d - pl) < 0.5 || std::fabs(d - pr) < 0.5) continue;
    crossed += b < 0.0;
    PlaneReading l{amount(rng), angle(rng)}, r{amount(rng), angle(rng)};
    Vec fl = Polar(l.amount, l.angle), fr = Polar(r.amount, r.angle);
    Vec left = (fl * (d - pr) - fr * pr) / b;
    Vec right = (fr * (d - pl) - fl * pl) / b;
    PlaneTransform t = TransformReadings(l, r, TwoPlane(d, pl, pr), ReluctorInput{});
    ASSERT_GT(t.left.moment, 0.0);
    ASSERT_GT(t.right.moment, 0.0);
    EXPECT_NEAR(t.left.moment, std::abs(left), 1e-6 * std::abs(left) + 1e-9);
    EXPECT_NEAR(t.right.moment, std::abs(right), 1e-6 * std::abs(right) + 1e-9);
    EXPECT_LT(AngleGap(t.left.angle, DegreesOf(left)), 1e-6);
    EXPECT_LT(AngleGap(t.right.angle, DegreesOf(right)), 1e-6);
    EXPECT_GE(t.left.angle, 0.0);
    EXPECT_LT(t.left.angle, 360.0);
  }
  EXPECT_GT(crossed, 10);
}

TEST(TransformReadings, CrossedPlanesTurnByHalfATurn) {
  // pL + pR > D: with equal readings the plane results point the other way.
  PlaneReading l{10.0, 30.0}, r{10.0, 30.0};
  PlaneTransform t = TransformReadings(l, r, TwoPlane(10.0, 6.0, 6.0), ReluctorInput{});
  // left = F(D - pR - pR)/B = F * (-2)/(-2) = F; now make it asymmetric.
  EXPECT_NEAR(t.left.moment, 10.0, 1e-9);
  PlaneReading l2{10.0, 30.0}, r2{0.002, 0.0};
  PlaneTransform t2 = TransformReadings(l2, r2, TwoPlane(10.0, 6.0, 6.0), ReluctorInput{});
  // right = (FR(D - pL) - FL pL)/B ~ -10*6/-2 = +30 at 30 degrees; left = 10*4/-2 = -20 -> 210.
  EXPECT_NEAR(t2.left.moment, 20.0, 0.01);
  EXPECT_NEAR(t2.left.angle, 210.0, 0.02);
  EXPECT_NEAR(t2.right.moment, 30.0, 0.01);
  EXPECT_NEAR(t2.right.angle, 30.0, 0.02);
}

TEST(TransformReadings, DegenerateGeometryNeverGivesNaN) {
  for (auto g : {TwoPlane(18.0, 18.0, 0.0), TwoPlane(18.0, 9.0, 9.0), TwoPlane(0.0, 0.0, 0.0)}) {
    PlaneReading l{10.0, 30.0}, r{20.0, 60.0};
    PlaneTransform t = TransformReadings(l, r, g, ReluctorInput{});
    EXPECT_TRUE(t.geometryDegenerate);
    EXPECT_TRUE(std::isfinite(t.left.moment) && std::isfinite(t.left.angle));
    EXPECT_TRUE(std::isfinite(t.right.moment) && std::isfinite(t.right.angle));
  }
}

TEST(TransformReadings, SinglePlaneStaticAndCouple) {
  PlaneGeometry g;
  g.twoPlaneMode = 0;
  PlaneReading l{25.0, 40.0}, r{25.0, 220.0};
  PlaneTransform t = TransformReadings(l, r, g, ReluctorInput{});
  EXPECT_DOUBLE_EQ(t.single.staticMoment, 0.000001);
  EXPECT_NEAR(t.single.coupleHalfMoment, 25.0, 1e-9);
  EXPECT_NEAR(t.single.coupleAngle, 40.0, 1e-9);
  EXPECT_NEAR(t.single.coupleOppositeAngle, 220.0, 1e-9);
  EXPECT_DOUBLE_EQ(t.right.moment, t.single.staticMoment);

  // The opposite angle wraps below 360; no reluctor in single-plane mode.
  ReluctorInput rel{1, 0, 156.0, 0.0};
  PlaneReading l2{10.0, 200.0}, r2{10.0, 200.0};
  PlaneTransform t2 = TransformReadings(l2, r2, g, rel);
  EXPECT_NEAR(t2.single.staticMoment, 20.0, 1e-9);
  EXPECT_NEAR(t2.single.staticAngle, 200.0, 1e-9);
  PlaneReading l3{10.0, 250.0}, r3{4.0, 70.0};
  PlaneTransform t3 = TransformReadings(l3, r3, g, rel);
  EXPECT_NEAR(t3.single.coupleAngle, 250.0, 1e-9);
  EXPECT_NEAR(t3.single.coupleOppositeAngle, 70.0, 1e-9);
}

TEST(DisplayAngle, Boundary) {
  EXPECT_DOUBLE_EQ(DisplayAngleOf(359.7), 0.0);
  EXPECT_DOUBLE_EQ(DisplayAngleOf(359.5), 359.5);
  EXPECT_DOUBLE_EQ(DisplayAngleOf(12.25), 12.25);
}

TEST(Reluctor, SharesFollowTheWheelSide) {
  // Type 1 on the left, D = 18, offsets 0: left gains 156 * 18.58 / 18.
  ReluctorInput rel{kReluctorLs24x, 0, 156.0, 0.0};
  PlaneReading l{0.0, 0.0}, r{0.0, 0.0};
  PlaneTransform t = TransformReadings(l, r, TwoPlane(18.0, 0.0, 0.0), rel);
  EXPECT_NEAR(t.left.moment, 161.03, 0.005);
  EXPECT_NEAR(t.left.angle, 0.0, 0.01);
  // The right share is -5.03: the right result points to 180.
  EXPECT_NEAR(t.right.moment, 5.0267 - 0.002, 1e-3);
  EXPECT_NEAR(t.right.angle, 180.0, 0.1);

  ReluctorShares s = SplitReluctor(156.0, 0, 18.0, 0.58, 0.0);
  EXPECT_DOUBLE_EQ(s.left, 156.0);
  EXPECT_DOUBLE_EQ(s.right, 0.0);
  ReluctorShares flipped = SplitReluctor(156.0, 1, 18.0, 0.0, 0.0);
  EXPECT_NEAR(flipped.right, 161.0267, 1e-3);
  EXPECT_NEAR(flipped.left, -5.0267, 1e-3);

  ReluctorUnbalance custom = ReluctorFor(kReluctorCustom, 42.0, 90.0);
  EXPECT_DOUBLE_EQ(custom.weight, 42.0);
  EXPECT_DOUBLE_EQ(custom.angle, 90.0);
  EXPECT_DOUBLE_EQ(ReluctorFor(kReluctorMopar, 42.0, 90.0).weight, 0.0);
  EXPECT_STREQ(ReluctorName(kReluctorLsa58x), "LSA 58x");
  EXPECT_STREQ(ReluctorName(9), "");
}

TEST(ZoneTest, HalfWidthUsesSixtyFour) {
  // atan(0.4 / 2.0) * 64 = 12.63 -> 12 (not 11.3 degrees).
  EXPECT_EQ(ZoneHalfWidth(0.75, 3.5, 1.5, 0.0), 12);
  // The tip allowance deepens the bottom; a hole to the centre is the widest.
  EXPECT_EQ(ZoneHalfWidth(0.75, 3.5, 3.5, 0.0), 100);
  EXPECT_EQ(ZoneHalfWidth(0.75, 3.5, 4.0, 0.0), 100);
}

TEST(ZoneTest, InsideOutsideAndWrap) {
  EXPECT_FALSE(OutsideZone(200.0, 10.0, 40, 40, 12));  // no zone
  EXPECT_FALSE(OutsideZone(100.0, 10.0, 40, 160, 12));
  EXPECT_FALSE(OutsideZone(52.0, 10.0, 40, 160, 12));
  EXPECT_TRUE(OutsideZone(51.9, 10.0, 40, 160, 12));
  EXPECT_FALSE(OutsideZone(148.9, 10.0, 40, 160, 12));
  EXPECT_TRUE(OutsideZone(149.0, 10.0, 40, 160, 12));
  EXPECT_TRUE(OutsideZone(10.0, 10.0, 40, 160, 12));
  // Zone through 0: 300..60.
  EXPECT_FALSE(OutsideZone(10.0, 10.0, 300, 60, 12));
  EXPECT_FALSE(OutsideZone(330.0, 10.0, 300, 60, 12));
  EXPECT_TRUE(OutsideZone(55.0, 10.0, 300, 60, 12));
  EXPECT_TRUE(OutsideZone(200.0, 10.0, 300, 60, 12));
  EXPECT_FALSE(OutsideZone(200.0, 0.0, 300, 60, 12));  // nothing to correct
}

TEST(RotateReference, TurnsReadingsAndZones) {
  PlaneReading l{5.0, 10.0}, r{5.0, 200.0};
  CorrectionZones z{5, 100, 350, 20};
  rotateReference(15, l, r, z);
  EXPECT_DOUBLE_EQ(l.angle, 355.0);
  EXPECT_DOUBLE_EQ(r.angle, 185.0);
  EXPECT_EQ(z.zoneStartLeft, 350);
  EXPECT_EQ(z.zoneEndLeft, 85);
  EXPECT_EQ(z.zoneStartRight, 335);
  EXPECT_EQ(z.zoneEndRight, 5);
}

}  // namespace
}  // namespace balancer
