// The "Heavy Metal Setup" window's model: per side slug diameter, slug
// length, CW radius and CW thickness boxes (the left column only in two-plane
// mode), "Thickness between slugs", the counterweight material with
// "&Material", "Heavy Metal Density", "Auto Select" and "Exit".
#pragma once

#include <vector>

#include "base/machine_settings.h"
#include "base/screen_model.h"

namespace balancer {

class HeavyMetalSetupScreen {
 public:
  explicit HeavyMetalSetupScreen(MachineSettings& settings) : settings_(settings) {}

  // Boxes by field code (149-155, 147, 148), 142, 305, 174, 56 and the
  // column labels (id 0).
  std::vector<ScreenItem> Items() const;

  // 174 opens the size selection ("p"), 305 the density window ("D").
  ScreenPress Press(int id);
  // M material, A auto select, H heavy metal density, E or Esc exit.
  ScreenPress Key(int character);

 private:
  MachineSettings& settings_;
};

// "%1.1f gm/in", "%1.1f gm/mm", "%1.2f oz/in" or "%1.2f oz/mm" of the density.
std::string DensityBoxText(const MachineSettings& settings);

}  // namespace balancer
