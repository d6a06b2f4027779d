// Correction zones: per side the angular range of the counterweight, marked by
// turning the shaft to its start and end. A side whose start equals its end has
// no zone (everything may be drilled).
#pragma once

#include "correction/plane_transform.h"

namespace balancer {

struct CorrectionZones {
  int zoneStartLeft = 0;
  int zoneEndLeft = 0;
  int zoneStartRight = 0;
  int zoneEndRight = 0;
};

struct ZoneBounds {
  int start = 0;
  int end = 0;
  bool defined() const { return start != end; }
};

ZoneBounds ZoneOf(const CorrectionZones& zones, Side side);

// "Begin" / "End": the side's bound becomes the current shaft position (whole
// degrees, wrapped into 0..359).
void ZoneBegin(CorrectionZones& zones, Side side, int shaftPosition);
void ZoneEnd(CorrectionZones& zones, Side side, int shaftPosition);
// "Clear All".
void ClearZones(CorrectionZones& zones);

// True when whole degree `angle` lies in the zone [start, end] (going up from
// start, through 0 when end < start). Without a zone every angle is inside.
bool AngleInZone(int angle, const ZoneBounds& zone);

}  // namespace balancer
