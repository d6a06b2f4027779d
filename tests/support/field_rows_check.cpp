#include "support/field_rows_check.h"

#include <gtest/gtest.h>

#include <string>

#include "base/field_table.h"

namespace balancer::test {

namespace {

bool InTable(int code) {
  return code >= kFirstFieldCode && code <= kLastFieldCode;
}

std::string Named(int code) {
  const FieldRow& row = FieldRowOf(code);
  return std::to_string(code) + " \"" + row.label + "\"";
}

}  // namespace

void ExpectNumericRow(int code) {
  const FieldRow& row = FieldRowOf(code);
  EXPECT_TRUE(*row.label != '\0' || *row.hint != '\0') << code;
  EXPECT_NE(row.unit, FieldUnit::kNone) << Named(code);
}

void FieldRowWalk::Collect(int id, int entryCode) {
  if (InTable(id)) shown_.insert(id);
  if (entryCode != 0) entries_.insert(entryCode);
}

void FieldRowWalk::CollectItems(const std::vector<ScreenItem>& items,
                                const std::function<ScreenPress(int id)>& press, bool shownOnly) {
  for (const ScreenItem& item : items) {
    if (shownOnly && !item.shown) continue;
    Collect(item.id, press(item.id).entryCode);
  }
}

void FieldRowWalk::ExpectRows() const {
  for (int code : shown_) {
    const FieldRow& row = FieldRowOf(code);
    EXPECT_TRUE(*row.label != '\0' || *row.hint != '\0') << "shown without a row: " << code;
  }
  for (int code : entries_) ExpectNumericRow(code);
}

}  // namespace balancer::test
