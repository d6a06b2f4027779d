#include "correction/zones.h"

#include "correction/vector_math.h"

namespace balancer {

ZoneBounds ZoneOf(const CorrectionZones& zones, Side side) {
  ZoneBounds b;
  if (side == kLeftSide) {
    b.start = zones.zoneStartLeft;
    b.end = zones.zoneEndLeft;
  } else {
    b.start = zones.zoneStartRight;
    b.end = zones.zoneEndRight;
  }
  return b;
}

void ZoneBegin(CorrectionZones& zones, Side side, int shaftPosition) {
  (side == kLeftSide ? zones.zoneStartLeft : zones.zoneStartRight) =
      PositiveMod(shaftPosition, 360);
}

void ZoneEnd(CorrectionZones& zones, Side side, int shaftPosition) {
  (side == kLeftSide ? zones.zoneEndLeft : zones.zoneEndRight) = PositiveMod(shaftPosition, 360);
}

void ClearZones(CorrectionZones& zones) {
  zones = CorrectionZones{};
}

bool AngleInZone(int angle, const ZoneBounds& zone) {
  if (!zone.defined()) return true;
  int start = PositiveMod(zone.start, 360);
  return PositiveMod(PositiveMod(angle, 360) - start, 360) <=
         PositiveMod(PositiveMod(zone.end, 360) - start, 360);
}

}  // namespace balancer
