#include "app/zero_shaft.h"

#include <cctype>

#include "correction/plane_transform.h"
#include "device/control_commands.h"

namespace balancer {

bool ZeroShaftNeedsWindow(const CorrectionZones& zones) {
  return zones.zoneStartLeft != zones.zoneEndLeft || zones.zoneStartRight != zones.zoneEndRight;
}

ZeroShaftPress ZeroShaftKey(int character) {
  switch (std::toupper(character & 0xFF)) {
    case 'Z':
      return ZeroShaftPress::kZero;
    case 'S':
      return ZeroShaftPress::kSync;
    default:
      return ZeroShaftPress::kNone;
  }
}

ZeroShaftPress ZeroShaftButton(int id) {
  if (id == kZeroShaftZeroId) return ZeroShaftPress::kZero;
  if (id == kZeroShaftSyncId) return ZeroShaftPress::kSync;
  return ZeroShaftPress::kNone;
}

int ZeroTheShaft(ControlLink& link, bool sync, PlaneReading& left, PlaneReading& right,
                 CorrectionZones& zones) {
  const int angle = ZeroShaftAction(link);
  if (angle > 0 && !sync) rotateReference(angle, left, right, zones);
  return angle;
}

ZeroShaftOutcome DecideZeroShaftPress(ZeroShaftPress press, int softZeroActive) {
  ZeroShaftOutcome out;
  if (press == ZeroShaftPress::kZero) {
    out.zero = true;
  } else if (press == ZeroShaftPress::kSync) {
    // The photo eye re-synchronises by itself; zeroing now would fight it.
    out.sync = true;
    out.zero = softZeroActive == 0;
    out.syncMessage = softZeroActive != 0;
  }
  return out;
}

OperatorMessage PhotoEyeSyncMessage() {
  return MakeOkMessage("Sync",
                       "Everything will automatically re-synchronize when you spin again,\n"
                       "or when the photo-eye sees the tape or mark.",
                       kDarkBlueText, kBeepAsterisk, 270, 182, 600, 190);
}

}  // namespace balancer
