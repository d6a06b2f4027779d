// Holds a screen model to the field table: every item it shows inside the
// table has a row with a label or a hint, and every entry its presses open
// has a label and a unit. A model's own test walks its items through here
// (CollectItems, then ExpectRows), so a new screen is checked without being
// listed anywhere else.
#pragma once

#include <functional>
#include <set>
#include <vector>

#include "base/screen_model.h"

namespace balancer::test {

class FieldRowWalk {
 public:
  // One item: its id, and the entry code its press opens (0 for none).
  void Collect(int id, int entryCode);
  // Every item of `items` (only the shown ones when `shownOnly`), pressed
  // through `press`.
  void CollectItems(const std::vector<ScreenItem>& items,
                    const std::function<ScreenPress(int id)>& press, bool shownOnly = true);
  // The expectations over everything collected so far.
  void ExpectRows() const;

  const std::set<int>& Entries() const { return entries_; }

 private:
  std::set<int> shown_;
  std::set<int> entries_;
};

// A field someone types into: the row says how to read it.
void ExpectNumericRow(int code);

}  // namespace balancer::test
