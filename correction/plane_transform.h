// From the two upright readings to the correction needed in each correction
// plane (two-plane mode), or to a static and a couple part (single-plane
// mode); the zone test that chooses drilling or heavy metal per side.
#pragma once

#include "measure/plane_reading.h"

namespace balancer {

enum Side : int { kLeftSide = 0, kRightSide = 1 };

struct PlaneCorrection {
  double moment = 0.0;        // gram-inches at the correction plane
  double angle = 0.0;         // heavy spot, degrees [0, 360)
  double displayAngle = 0.0;  // angle prepared for display, [0, 359.5]
  bool outsideZone = false;   // corrected with heavy metal
};

struct SinglePlaneResult {
  double staticMoment = 0.0;
  double staticAngle = 0.0;
  double coupleHalfMoment = 0.0;
  double coupleAngle = 0.0;
  double coupleOppositeAngle = 0.0;
};

struct PlaneGeometry {
  int twoPlaneMode = 1;
  double uprightDistance = 18.0;  // D
  double planeOffsetLeft = 0.0;   // pL, inboard from the left upright
  double planeOffsetRight = 0.0;  // pR
};

// The simulated reluctor as the transformation applies it.
struct ReluctorInput {
  int reluctorType = 0;  // 0 = none
  int reluctorSide = 0;  // 0 left, 1 right
  double weight = 0.0;   // W, gram-inches
  double angle = 0.0;    // psi, degrees
};

struct PlaneTransform {
  PlaneCorrection left;
  PlaneCorrection right;  // in single-plane mode the static result
  SinglePlaneResult single;
  // The plane geometry could not be solved (an offset equal to the upright
  // distance, coincident planes); the readings were taken as they are.
  bool geometryDegenerate = false;
};

// Steps 1-5 of the correction pass: zero readings become 0.002 (stored back),
// the plane (or static/couple) transformation, the reluctor and the display
// angles. outsideZone is left false; the zone test sets it.
PlaneTransform TransformReadings(PlaneReading& left, PlaneReading& right,
                                 const PlaneGeometry& geometry, const ReluctorInput& reluctor);

// angle > 359.5 shows as angle - 360, and nothing shows below 0.
double DisplayAngleOf(double angle);

// Half-width of the drill at the zone edges, whole degrees:
// trunc(atan(((d + 0.05) / 2) / (shaft radius - (max depth - tip allowance))) * 64).
int ZoneHalfWidth(double drillDiameter, double shaftRadius, double maxDrillDepth,
                  double tipAllowance);

// The zone test of one side. zoneStart == zoneEnd means no zone. A moment of
// exactly 0 is never outside.
bool OutsideZone(double displayAngle, double moment, int zoneStart, int zoneEnd, int halfWidth);

// Re-zeroing: the shaft's reference moved by k whole degrees. Reading angles
// and zone bounds are reduced by k (wrapped into 0..360).
struct CorrectionZones;
void rotateReference(int shift, PlaneReading& left, PlaneReading& right, CorrectionZones& zones);

}  // namespace balancer
