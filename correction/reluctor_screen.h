// The "Reluctor Simulator" window's model: six radio buttons, the "Side"
// button, the custom amount and "degree offset" boxes, the explanatory lines
// and "OK".
#pragma once

#include <vector>

#include "base/machine_settings.h"
#include "base/screen_model.h"
#include "correction/reluctor.h"

namespace balancer {

class ReluctorScreen {
 public:
  explicit ReluctorScreen(MachineSettings& settings) : settings_(settings) {}

  // Radio buttons 1100..1105 (the type in force checked), 267 "Side" with
  // "Left"/"Right", and for "Custom" only the boxes 265 (label: its unit)
  // and 266 ("degree offset"), 141 "OK".
  std::vector<ScreenItem> Items() const;
  ReluctorExplanation Explanation() const { return ReluctorExplanationFor(settings_.reluctorType); }

  ScreenPress Press(int id);
  // S side, O or Esc close; the digits 0-5 choose a type.
  ScreenPress Key(int character);

 private:
  MachineSettings& settings_;
};

// "gram/inch", "gram/mm", "ounce/inch" or "ounce/mm".
const char* ReluctorAmountUnit(int weightUnit, int lengthUnit);

}  // namespace balancer
