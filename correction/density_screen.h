// The "Heavy Metal Density" window's model: a weighed test slug ("Slug"
// "Diameter", "Length", "Weight") gives the density, which may also be typed
// in directly ("Density", "Grams per Cubic Inch").
#pragma once

#include <vector>

#include "base/machine_settings.h"
#include "base/screen_model.h"

namespace balancer {

// The test slug is the window's own; it is not kept in the settings.
struct TestSlug {
  double diameter = 0.0;  // inches, at most 2.0
  double length = 0.0;    // inches, at most 15.0
  double weight = 0.0;    // grams
};

class DensityScreen : public ScreenEntryStore {
 public:
  explicit DensityScreen(MachineSettings& settings) : settings_(settings) {}

  // Texts "Slug", "Grams per Cubic Inch" and the weight unit; boxes 345
  // "Diameter", 346 "Length", 347 "Weight", 348 "Density" and 56.
  std::vector<ScreenItem> Items() const;
  const TestSlug& Slug() const { return slug_; }

  ScreenPress Press(int id);
  // D diameter, L length, W weight, G density, E or Esc exit.
  ScreenPress Key(int character);

  // 345-347: the test slug; with all three non-zero the density follows.
  ScreenEntryEffect StoreEntry(int actionCode, double value) override;

 private:
  MachineSettings& settings_;
  TestSlug slug_;
};

}  // namespace balancer
