// The "Drill Setup" window's model. Two-plane: per side a drill bit diameter
// box, a counterweight (shaft) radius box, a correction radius box and the
// "Max Depth" button; single-plane: one "&Drill Diameter" box and the right
// side only. "&Material", "Radial &Compensation" and "Exit".
#pragma once

#include <vector>

#include "base/machine_settings.h"
#include "base/screen_model.h"
#include "correction/correction_pass.h"

namespace balancer {

class DrillSetupScreen {
 public:
  DrillSetupScreen(MachineSettings& settings, CorrectionState& state)
      : settings_(settings), state_(state) {}

  // Boxes by field code (320/321 or 102, 147/148, 100/101, 145/146), the
  // row and column labels (id 0), 142, 143 and 56. Hidden items are those
  // the mode does not have.
  std::vector<ScreenItem> Items() const;

  ScreenPress Press(int id);
  // D drill diameter (single-plane), M material, C radial compensation,
  // E or Esc exit.
  ScreenPress Key(int character);

 private:
  MachineSettings& settings_;
  CorrectionState& state_;
};

}  // namespace balancer
