// The "Heavy Metal Size Selection" window's model: one check box per slug
// size in three columns, the two "Extra Weight" boxes and "Select Now".
#pragma once

#include <array>
#include <vector>

#include "base/machine_settings.h"
#include "base/screen_model.h"
#include "correction/correction_pass.h"

namespace balancer {

class SlugSizeScreen {
 public:
  // The check states start as the stored selection; they become the
  // selection only on "Select Now".
  SlugSizeScreen(MachineSettings& settings, CorrectionState& state)
      : settings_(settings), state_(state), checked_(settings.slugSizeSelected) {}

  // Check boxes 2000 + index labelled "%1.3f x %1.3f" in display length
  // units, the texts "Extra Weight" and its unit, the boxes 175 and 176,
  // 177 "Select Now" and 56 "Exit".
  std::vector<ScreenItem> Items() const;
  // Column (0..2) and row of a size: entries 0-10, 11-21, 22-30.
  static int ColumnOf(int index) { return index / 11; }
  static int RowOf(int index) { return index % 11; }

  // "Select Now" stores the checks, asks for automatic selection and closes;
  // the recompute then tries the sizes and reports the sides without one.
  ScreenPress Press(int id);
  // S select now, Esc or E exit without selecting.
  ScreenPress Key(int character);

 private:
  MachineSettings& settings_;
  CorrectionState& state_;
  std::array<bool, kSlugSizeCount> checked_;
};

// "%1.1f" grams or "%1.2f" ounces of an extra weight box.
std::string ExtraWeightText(double grams, int weightUnit);

}  // namespace balancer
