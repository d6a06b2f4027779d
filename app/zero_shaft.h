// Zero Shaft Position: what its buttons and keys do, and zeroing the shaft.
// Zero makes the shaft's present position the new zero and turns the stored
// readings and zones with it; Sync zeroes the same way but leaves them where
// they are on the shaft.
#pragma once

#include "base/field_codes.h"
#include "base/operator_message.h"
#include "correction/zones.h"
#include "device/control_link.h"
#include "measure/plane_reading.h"

namespace balancer {

constexpr char kZeroShaftScreenCode = kScreenZeroShaft;
constexpr int kZeroShaftZeroId = kFieldZero;
constexpr int kZeroShaftSyncId = kFieldSync;

// The window's place and its buttons, design units.
struct ZeroShaftLayout {
  static constexpr int kX = 298, kY = 200, kWidth = 544, kHeight = 224;
  static constexpr int kButtonWidth = 96, kButtonHeight = 40, kButtonY = 128;
  static constexpr int kZeroX = 80, kSyncX = 352;
  static constexpr int kFontHeight = 24, kFontWeight = 600;
};

// Without a correction zone on either side the shaft is zeroed at once and
// no window opens.
bool ZeroShaftNeedsWindow(const CorrectionZones& zones);

enum class ZeroShaftPress { kNone, kZero, kSync };

// The button a key presses (Z, S in either case).
ZeroShaftPress ZeroShaftKey(int character);
// The button an id belongs to.
ZeroShaftPress ZeroShaftButton(int id);

// Zeroes the shaft. Unless `sync`, the reading angles and the four zone
// bounds turn with the reference. Returns the angle zeroed, -1 when nothing
// was (no control). The caller recomputes the corrections.
int ZeroTheShaft(ControlLink& link, bool sync, PlaneReading& left, PlaneReading& right,
                 CorrectionZones& zones);

// What a press does once the window is closed.
struct ZeroShaftOutcome {
  bool zero = false;         // zero the shaft
  bool sync = false;         // ... keeping the readings
  bool syncMessage = false;  // photo-eye mode: nothing zeroed, tell the operator
};
ZeroShaftOutcome DecideZeroShaftPress(ZeroShaftPress press, int softZeroActive);

// Sync in photo-eye mode (caption "Sync", one OK button).
OperatorMessage PhotoEyeSyncMessage();

}  // namespace balancer
