// What a portable screen model hands its window: the items it shows and the
// effect of a press, a key or a typed value. The window draws the items and
// carries out the effect; the model itself is tested natively.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>

#include "base/operator_message.h"

namespace balancer {

// The Esc key as WM_CHAR carries it.
constexpr int kEscapeCharacter = 27;

// A screen's access key and the button it presses.
struct KeyButton {
  char key;  // a letter in upper case, or a digit
  int id;
};

// The button a key presses: Esc gives `escapeId`, any other character the
// button paired with it (letters in either case); 0 for a key of no button.
inline int KeyedButton(int character, int escapeId, std::initializer_list<KeyButton> keys) {
  if (character == kEscapeCharacter) return escapeId;
  if (character >= 'a' && character <= 'z') character -= 'a' - 'A';
  for (const KeyButton& k : keys) {
    if (k.key == character) return k.id;
  }
  return 0;
}

// One button, box, check box or text of a screen.
struct ScreenItem {
  int id = 0;             // control id (field codes double as ids)
  std::string label;      // the button face or caption
  std::string value;      // the value text beside or inside it
  Rgb colour{0, 0, 128};  // of the value text
  bool shown = true;      // exists in this mode
  bool checked = false;   // radio and check boxes; the active class button
};

// What a press or a key asks of the window.
struct ScreenPress {
  bool handled = false;                    // the press belongs to this screen
  bool recompute = false;                  // rerun the corrections and repaint the main screen
  bool writeSettings = false;              // write balsetup.dta and .bak
  bool repaint = false;                    // repaint this screen
  bool close = false;                      // close this screen
  int entryCode = 0;                       // open the entry window for this field code
  char openScreen = 0;                     // open this screen (ScreenCode letter) over it
  std::string helpTopic;                   // open this topic of the help file
  std::optional<OperatorMessage> message;  // show it (its actionCode set)
};

// A typed value taken by the open screen itself rather than the settings.
struct ScreenEntryEffect {
  bool handled = false;  // the field belongs to the screen
  bool stored = false;
  bool writeSettings = false;
  bool recompute = false;
  std::optional<OperatorMessage> message;
};

// Implemented by screen models with fields of their own (a test slug, the
// slug being adjusted, the tolerance calculator). The field store asks the
// open screen first; called on the GUI thread with the value in display
// units, already read and checked by the number reader.
class ScreenEntryStore {
 public:
  virtual ~ScreenEntryStore() = default;
  virtual ScreenEntryEffect StoreEntry(int actionCode, double value) = 0;
};

}  // namespace balancer
