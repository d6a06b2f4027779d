// The field table: one row per field code (100..358) with what the screens,
// the entry windows, the value boxes and the field store need to know of the
// field. A row that names a MachineSettings member is a plain field: its box
// shows the member and a typed value goes into it, converted by the unit
// kind and held to the row's range. Fields with rules of their own are
// handled by name in app/field_store.cpp and app/value_box_text.cpp.
#pragma once

#include <limits>
#include <string>

#include "base/field_codes.h"
#include "base/machine_settings.h"

namespace balancer {

// What a typed value and a shown value are measured in.
enum class FieldUnit {
  kNone,       // a button, a switch or a text: no number of its own
  kLength,     // inches, typed and shown in the display length unit
  kWeight,     // grams, typed and shown in the display weight unit
  kPlain,      // as typed, shown with `decimals` places
  kTolerance,  // a moment per unit of radius, shown by the tolerance box text
  kMoment,     // gram-inches, typed in display weight times display length
  kPounds,     // pounds, typed and shown in kilograms with millimetre units
};

// Row flags.
enum : unsigned {
  kFieldInchFractions = 1u << 0,  // "5/8" and "1 3/16" are read
  kFieldNegative = 1u << 1,       // stores a negative value (others drop one)
  kFieldKeypadSlash = 1u << 2,    // the keypad's first key of row 4 is "/", not "-"
  kFieldHelpButton = 1u << 3,     // the entry window shows "Help"
  kFieldScaleButton = 1u << 4,    // "&Transfer From Scale" in the entry window
  kFieldScaleKey = 1u << 5,       // the letter T reads the scale
};

struct FieldRow {
  const char* label = "";  // entry heading and button face, with its ampersand
  const char* hint = "";   // shown under the entry field
  FieldUnit unit = FieldUnit::kNone;
  unsigned flags = kFieldHelpButton;
  const char* helpTopic = "";  // the page of the manual, "" for none
  // A plain field's settings member (one of the two, or none).
  double MachineSettings::*member = nullptr;
  int MachineSettings::*intMember = nullptr;
  int decimals = 1;  // kPlain and kPounds boxes: "%1.<decimals>f"
  // The store holds a typed value (after the unit conversion) to these.
  double minimum = -std::numeric_limits<double>::infinity();
  double maximum = std::numeric_limits<double>::infinity();

  bool Has(unsigned flag) const { return (flags & flag) != 0; }
  bool IsPlain() const { return member != nullptr || intMember != nullptr; }
};

// The row of `code`; the card's external weight texts use the rows of the
// external weights (without the Help button), and every
// other code outside the table gets an empty row (no label, Help button).
const FieldRow& FieldRowOf(int code);

// Label of a code ("" for codes without one). The label carries its
// access-key ampersand.
const char* FieldLabel(int code);
// Hint shown under the entry field ("" when the field has none).
const char* FieldHint(int code);
// By table index (code - 100), as the button factory counts them.
inline const char* FieldLabelByIndex(int index) {
  return FieldLabel(index + kFirstFieldCode);
}

// Length fields: typed in the display length unit, fractions accepted.
bool IsLengthField(int code);
// Fields that store a negative value (others drop one).
bool AcceptsNegative(int code);
// The keypad's first key of row 4 is a slash for these codes, else a minus.
bool KeypadHasSlash(int code);
// The entry window shows a "Help" button.
bool HasHelpButton(int code);
// Weight fields that take a reading from the scale: by button (the rod and
// piston weights but the oil) and by the letter T (also the oil and the empty
// bobweight).
bool ScaleButtonField(int code);
bool ScaleKeyField(int code);
// Help topic for the "Help" button, "" when the field has none.
std::string HelpTopic(int code);

}  // namespace balancer
