// The field table: a label and a hint per field code (100..358). The codes
// double as ActionCode values and as control ids of buttons made from the
// table.
#pragma once

#include <string>

namespace balancer {

constexpr int kFirstFieldCode = 100;
constexpr int kLastFieldCode = 358;

// Label of a code ("" for codes without one). Codes 15 and 16 use the entries
// of 156 and 157. The label carries its access-key ampersand.
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
// Weight fields that take a reading from the scale: by button (103-110,
// 187-234) and by the letter T (also 111 and 119).
bool ScaleButtonField(int code);
bool ScaleKeyField(int code);
// Help topic for the "Help" button, "" when the field has none.
const char* HelpTopic(int code);

}  // namespace balancer
