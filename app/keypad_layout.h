// Key faces of the on-screen keypad and typewriter keyboard. A key's id is
// the character code it types; a few ids are commands of the entry window.
#pragma once

#include <array>
#include <vector>

#include "base/field_codes.h"

namespace balancer {

struct KeyFace {
  const char* label;
  int id;
};

// Entry window command ids that are not typed characters.
constexpr int kKeyEnter = 13;
constexpr int kKeyBackspace = 8;
constexpr int kKeyCancel = 27;
constexpr int kKeyNoteOk = kFieldOk;
constexpr int kKeyTransfer = kFieldTransferFromScale;
constexpr int kKeyCapsLock = 253;
constexpr int kKeyShift = 254;
constexpr int kKeyClear = 255;
constexpr int kKeyHelp = kFieldHelp;

// Four rows of four for the field `actionCode`; row 4 starts with a slash for
// the fraction fields and a minus sign for the others.
std::array<std::array<KeyFace, 4>, 4> KeypadRows(int actionCode);

// Whether Enter on the keypad hands the typed text over as it is (the date,
// kFieldDate) rather than reading it as a number.
bool KeypadTakesText(int actionCode);

// The typewriter keyboard, row by row: digits, the three letter rows (with
// comma and full stop after the last), then the command row.
const std::vector<std::vector<KeyFace>>& TypewriterRows();

// What a button of an entry window does.
enum class EntryButton {
  kType,      // send the character to the edit
  kCapsLock,  // toggle Caps Lock
  kShift,     // Shift for the next key
  kClear,     // empty the edit
  kCancel,    // close without storing
  kHelp,      // open the field's help topic
  kTransfer,  // read the scale
  kNoteOk,    // the note/text window's OK
};
EntryButton ClassifyEntryButton(int id);

// The character a key types: letters a-z upper-cased while Shift or Caps
// Lock is on, anything else as it is.
int TypedCharacter(int id, bool shift, bool capsLock);

}  // namespace balancer
