#include "app/keypad_layout.h"

#include "base/field_table.h"

namespace balancer {

std::array<std::array<KeyFace, 4>, 4> KeypadRows(int actionCode) {
  const KeyFace first = KeypadHasSlash(actionCode) ? KeyFace{"/", '/'} : KeyFace{"-", '-'};
  return {{
      {{{"1", '1'}, {"2", '2'}, {"3", '3'}, {"Clear", kKeyClear}}},
      {{{"4", '4'}, {"5", '5'}, {"6", '6'}, {"Backspace", kKeyBackspace}}},
      {{{"7", '7'}, {"8", '8'}, {"9", '9'}, {"Cancel", kKeyCancel}}},
      {{first, {"0", '0'}, {".", '.'}, {"Enter", kKeyEnter}}},
  }};
}

bool KeypadTakesText(int actionCode) {
  return actionCode == kFieldDate;
}

namespace {

std::vector<KeyFace> CharacterRow(const char* faces, const char* labels) {
  std::vector<KeyFace> row;
  for (int i = 0; faces[i] != '\0'; ++i) {
    row.push_back({labels + 2 * i, static_cast<unsigned char>(faces[i])});
  }
  return row;
}

}  // namespace

const std::vector<std::vector<KeyFace>>& TypewriterRows() {
  // Each label is one character and its terminator, so a row's labels can
  // point into one string.
  static const std::vector<std::vector<KeyFace>> rows = [] {
    std::vector<std::vector<KeyFace>> r;
    r.push_back(CharacterRow("1234567890-+",
                             "1\0"
                             "2\0"
                             "3\0"
                             "4\0"
                             "5\0"
                             "6\0"
                             "7\0"
                             "8\0"
                             "9\0"
                             "0\0"
                             "-\0"
                             "+\0"));
    r.push_back(CharacterRow("qwertyuiop",
                             "Q\0"
                             "W\0"
                             "E\0"
                             "R\0"
                             "T\0"
                             "Y\0"
                             "U\0"
                             "I\0"
                             "O\0"
                             "P\0"));
    r.push_back(CharacterRow("asdfghjkl",
                             "A\0"
                             "S\0"
                             "D\0"
                             "F\0"
                             "G\0"
                             "H\0"
                             "J\0"
                             "K\0"
                             "L\0"));
    r.push_back(CharacterRow("zxcvbnm,.",
                             "Z\0"
                             "X\0"
                             "C\0"
                             "V\0"
                             "B\0"
                             "N\0"
                             "M\0"
                             ",\0"
                             ".\0"));
    r.push_back({{"Shift", kKeyShift},
                 {"Caps Lock", kKeyCapsLock},
                 {"Space", ' '},
                 {"Backspace", kKeyBackspace},
                 {"Enter", kKeyEnter},
                 {"OK", kKeyNoteOk},
                 {"Cancel", kKeyCancel}});
    return r;
  }();
  return rows;
}

EntryButton ClassifyEntryButton(int id) {
  switch (id) {
    case kKeyCapsLock:
      return EntryButton::kCapsLock;
    case kKeyShift:
      return EntryButton::kShift;
    case kKeyClear:
      return EntryButton::kClear;
    case kKeyCancel:
      return EntryButton::kCancel;
    case kKeyHelp:
      return EntryButton::kHelp;
    case kKeyTransfer:
      return EntryButton::kTransfer;
    case kKeyNoteOk:
      return EntryButton::kNoteOk;
    default:
      return EntryButton::kType;
  }
}

int TypedCharacter(int id, bool shift, bool capsLock) {
  if ((shift || capsLock) && id >= 'a' && id <= 'z') return id - 'a' + 'A';
  return id;
}

}  // namespace balancer
