#include "app/keypad_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace balancer {
namespace {

TEST(KeypadRows, RowFourStartsWithSlashForFractionFieldsAndMinusElsewhere) {
  for (int code : {100, 101, 102, 131, 145, 150, 155, 260, 320, 321}) {
    EXPECT_EQ(KeypadRows(code)[3][0].id, '/') << code;
    EXPECT_STREQ(KeypadRows(code)[3][0].label, "/") << code;
  }
  // Plane offsets take negative values; speed and weights take the minus too.
  for (int code : {132, 133, 112, 103, 122, 140, 156}) {
    EXPECT_EQ(KeypadRows(code)[3][0].id, '-') << code;
  }
}

TEST(KeypadRows, KeysCarryTheCharacterTheyType) {
  const auto rows = KeypadRows(132);
  const char* expected[4][4] = {{"1", "2", "3", "Clear"},
                                {"4", "5", "6", "Backspace"},
                                {"7", "8", "9", "Cancel"},
                                {"-", "0", ".", "Enter"}};
  const int ids[4][4] = {{49, 50, 51, 255}, {52, 53, 54, 8}, {55, 56, 57, 27}, {45, 48, 46, 13}};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      EXPECT_STREQ(rows[r][c].label, expected[r][c]);
      EXPECT_EQ(rows[r][c].id, ids[r][c]);
    }
  }
}

TEST(TypewriterRows, EveryKeyOnceWithLowerCaseLetterIds) {
  std::set<int> ids;
  std::string letters;
  for (const auto& row : TypewriterRows()) {
    for (const KeyFace& key : row) {
      EXPECT_TRUE(ids.insert(key.id).second) << key.label;
      if (key.id >= 'a' && key.id <= 'z') {
        // The face shows the capital, the id is the small letter.
        EXPECT_EQ(std::string(key.label), std::string(1, static_cast<char>(key.id - 32)));
        letters += static_cast<char>(key.id);
      }
    }
  }
  EXPECT_EQ(letters, "qwertyuiopasdfghjklzxcvbnm");
  const int commands[] = {'1',           '0',        '-',       '+',          ',',
                          '.',           ' ',        kKeyShift, kKeyCapsLock, kKeyEnter,
                          kKeyBackspace, kKeyNoteOk, kKeyCancel};
  for (int id : commands) {
    EXPECT_EQ(ids.count(id), 1u) << id;
  }
  EXPECT_STREQ(TypewriterRows()[0][11].label, "+");
}

TEST(TypedCharacter, LettersFollowShiftAndCapsLockOnly) {
  EXPECT_EQ(TypedCharacter('q', false, false), 'q');
  EXPECT_EQ(TypedCharacter('q', true, false), 'Q');
  EXPECT_EQ(TypedCharacter('z', false, true), 'Z');
  EXPECT_EQ(TypedCharacter('a', true, true), 'A');
  EXPECT_EQ(TypedCharacter('1', true, true), '1');
  EXPECT_EQ(TypedCharacter(',', true, false), ',');
}

TEST(ClassifyEntryButton, CommandIdsAreNotTyped) {
  EXPECT_EQ(ClassifyEntryButton(253), EntryButton::kCapsLock);
  EXPECT_EQ(ClassifyEntryButton(254), EntryButton::kShift);
  EXPECT_EQ(ClassifyEntryButton(255), EntryButton::kClear);
  EXPECT_EQ(ClassifyEntryButton(27), EntryButton::kCancel);
  EXPECT_EQ(ClassifyEntryButton(306), EntryButton::kHelp);
  EXPECT_EQ(ClassifyEntryButton(144), EntryButton::kTransfer);
  EXPECT_EQ(ClassifyEntryButton(141), EntryButton::kNoteOk);
  // Enter and Backspace go to the edit as characters.
  EXPECT_EQ(ClassifyEntryButton(13), EntryButton::kType);
  EXPECT_EQ(ClassifyEntryButton(8), EntryButton::kType);
  EXPECT_EQ(ClassifyEntryButton('/'), EntryButton::kType);
}

}  // namespace
}  // namespace balancer
