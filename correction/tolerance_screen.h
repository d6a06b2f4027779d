// The "Tolerance Calculation" window's model: shaft weight and maximum rpm
// boxes, the two class buttons, "Calculate", the result area and "Exit".
#pragma once

#include <vector>

#include "base/machine_settings.h"
#include "base/screen_model.h"
#include "correction/tolerance.h"

namespace balancer {

class ToleranceScreen : public ScreenEntryStore {
 public:
  // The calculator lives for the run (its class factor starts at 16.0).
  ToleranceScreen(MachineSettings& settings, ToleranceCalculator& calc)
      : settings_(settings), calc_(calc) {}

  // Boxes 238, 239, 241, 242, class buttons 1001/1002 (the one in force
  // checked), 243 "Calculate", 56 "Exit", and the result texts (id 0).
  std::vector<ScreenItem> Items() const;
  // Result area: "Actual Tolerance" value and unit label.
  std::string ActualTolerance() const { return ActualToleranceText(settings_); }
  const char* UnitLabel() const {
    return ToleranceUnitLabel(settings_.weightUnit, settings_.lengthUnit);
  }

  ScreenPress Press(int id);
  // W weight, M max rpm, A automotive, D diesel, C calculate, E or Esc exit.
  ScreenPress Key(int character);

  // 238 and 239 recalculate with the calculator's factor.
  ScreenEntryEffect StoreEntry(int actionCode, double value) override;

 private:
  MachineSettings& settings_;
  ToleranceCalculator& calc_;
};

}  // namespace balancer
