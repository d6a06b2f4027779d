// What a portable screen model hands its window: the items it shows and the
// effect of a press, a key or a typed value. The window draws the items and
// carries out the effect; the model itself is tested natively.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

// A place on a screen in design units (1280 x 680 for the whole screen).
struct DesignBox {
  int x = 0, y = 0, width = 0, height = 0;
};

// Colours of the value texts beside the buttons.
constexpr Rgb kValueText{0, 0, 128};
constexpr Rgb kValueRedText{221, 0, 0};

// One button, box, check box or text of a screen, with its own place: a
// screen lists each of its codes once, here.
struct ScreenItem {
  int id = 0;               // control id (field codes double as ids); 0 for a text
  std::string label;        // the button face or the text, with its access-key ampersand
  std::string value;        // the value text beside or inside it; "" for none
  Rgb colour = kValueText;  // of the value text
  bool shown = true;        // exists in this mode
  bool enabled = true;      // false: a press does nothing now
  bool checked = false;     // radio and check boxes; the active class button
  bool checkBox = false;    // made as a check box showing `checked`, no value beside it
  DesignBox place;          // the button, or where a text starts; width 0: none made
  // Where the value is drawn: width 0, right of the button; height 0, from
  // (x, y) on, as a text starts.
  DesignBox valueBox;
};

// An item at `place` (design units; a text's place is where it starts).
inline ScreenItem PlacedItem(int id, std::string label, std::string value, DesignBox place) {
  ScreenItem item;
  item.id = id;
  item.label = std::move(label);
  item.value = std::move(value);
  item.place = place;
  return item;
}

// The item with this id, or nullptr.
inline const ScreenItem* FindItem(const std::vector<ScreenItem>& items, int id) {
  for (const ScreenItem& item : items) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

// One open or save dialog, described without the platform.
struct FileRequest {
  bool save = false;             // save dialog (prompts before overwriting) or open dialog
  std::string title;             // "Store Bobweight Data"
  std::string filterName;        // "Bobweight Files (.bwi files)"
  std::string patterns;          // "*.bwi", or several: "*.bmp;*.gif;*.jpg"
  std::string defaultExtension;  // "bwi", or empty
  std::string folder;            // where the dialog starts
  std::string proposedName;      // the file name filled in, or empty
  // A second file type offered after the first ("" for none): the save
  // dialog of the history also writes spreadsheets.
  std::string secondFilterName;  // "Spreadsheet Files (.csv files)"
  std::string secondPatterns;    // "*.csv"
};

// The path a dialog gave back when the operator had file type `filterIndex`
// (1 the first) chosen: a name typed without any extension takes the chosen
// type's, so the name alone tells what to write, whatever the dialog appended.
inline std::string PathOfChosenType(const FileRequest& request, const std::string& path,
                                    int filterIndex) {
  const std::string& patterns = filterIndex == 2 ? request.secondPatterns : request.patterns;
  const size_t nameStart = path.find_last_of("\\/") + 1;
  if (path.find('.', nameStart) != std::string::npos || nameStart >= path.size()) return path;
  if (patterns.size() < 3 || patterns.compare(0, 2, "*.") != 0 ||
      patterns.find(';') != std::string::npos) {
    return path;
  }
  return path + patterns.substr(1);
}

// The dialog of one kind of job file ("hst"): "*.hst" in `folder`, the save
// dialog proposing "NAME.hst" when there is a name.
inline FileRequest JobFileRequest(bool save, std::string title, std::string filterName,
                                  const std::string& extension, std::string folder,
                                  const std::string& name) {
  FileRequest r;
  r.save = save;
  r.title = std::move(title);
  r.filterName = std::move(filterName);
  r.patterns = "*." + extension;
  r.defaultExtension = extension;
  r.folder = std::move(folder);
  if (save && !name.empty()) r.proposedName = name + "." + extension;
  return r;
}

// The entry windows a text is typed on.
enum class TextEntryKind {
  kKeyboard,  // the on-screen keyboard
  kLine,      // one line of text
  kNote,      // several lines
  kKeypad,    // the touch keypad (it has a slash key; no heading)
};

// A text typed on an entry window: a name before the save dialog, a note, a
// date. The text comes back to the screen that asked.
struct NameEntry {
  int code = 0;         // ActionCode of the text entry
  std::string heading;  // "Enter history file name"
  std::string prefill;  // the current name
  TextEntryKind kind = TextEntryKind::kKeyboard;
  int x = 190, y = 60;  // where the entry window opens, design units
};

// What a press, a key, a typed name, a chosen file or an answer asks of the
// window. The kit's model screen carries out every effect, in this order:
// close, the main window (recompute or repaint), the settings written, then
// the rest.
struct ScreenPress {
  bool handled = false;          // the press belongs to this screen
  bool repaint = false;          // repaint this screen
  bool recompute = false;        // rerun the corrections and repaint the main screen
  bool repaintMain = false;      // repaint the whole main window
  bool repaintReadings = false;  // repaint the main screen's result areas
  bool spinFaceChanged = false;  // the Spin / Acquire face of the main window follows
  bool writeSettings = false;    // write balsetup.dta and .bak
  bool close = false;            // close this screen
  bool updateCheck = false;      // "Update Software": the software update check
  bool print = false;            // the shaft report
  bool printCard = false;        // the bobweight card
  int entryCode = 0;             // open the entry window for this field code
  char openScreen = 0;           // open this screen (ScreenCode letter) over it
  std::string helpTopic;         // open this topic of the help file
  // Show it (its actionCode set); a question's answer comes back through the
  // message routing.
  std::optional<OperatorMessage> message;
  std::optional<FileRequest> dialog;
  std::optional<NameEntry> nameEntry;
  // Bytes sent to the control with the photo-eye / configuration command, in
  // order (for the operator's record and the tests).
  std::vector<int> sentBytes;
};

// A press the screen knows that changes nothing (yet).
inline ScreenPress HandledPress() {
  ScreenPress press;
  press.handled = true;
  return press;
}

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
