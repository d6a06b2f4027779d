#include "correction/density_screen.h"

#include <cmath>
#include <cstdio>

#include "base/unit_text.h"
#include "correction/heavy_metal.h"
#include "correction/screen_ids.h"
#include "records/number_text.h"

namespace balancer {

std::vector<ScreenItem> DensityScreen::Items() const {
  const MachineSettings& s = settings_;
  std::string weight = FormatText(s.weightUnit == 1 ? "%1.3f" : "%1.1f",
                                  Printable(slug_.weight / WeightDivisor(s.weightUnit)));
  std::string density = FormatText("%1.1f", Printable(s.heavyMetalDensity));
  std::vector<ScreenItem> items;
  items.push_back(PlacedItem(0, "Slug", "", {20, 18, 0, 0}));
  items.push_back(PlacedItem(0, "Grams per Cubic Inch", "", {20, 262, 0, 0}));
  items.push_back(PlacedItem(0, s.weightUnit == 1 ? "ounces" : "grams", "", {240, 157, 0, 0}));
  items.push_back(PlacedItem(345, "Diameter", LengthText(slug_.diameter, s.lengthUnit, true),
                             {20, 50, 140, 36}));
  items.push_back(
      PlacedItem(346, "Length", LengthText(slug_.length, s.lengthUnit, true), {20, 100, 140, 36}));
  items.push_back(PlacedItem(347, "Weight", weight, {20, 150, 140, 36}));
  items.push_back(PlacedItem(348, "Density", density, {20, 220, 140, 36}));
  items.push_back(PlacedItem(kIdExit, "Exit", "", {300, 290, 120, 40}));
  return items;
}

ScreenPress DensityScreen::Press(int id) {
  ScreenPress p;
  if (id >= 345 && id <= 348) {
    p.handled = true;
    p.entryCode = id;
  } else if (id == kIdExit) {
    // Closing a settings window writes the settings.
    p.handled = p.close = p.writeSettings = true;
  }
  return p;
}

ScreenPress DensityScreen::Key(int character) {
  int id = KeyedButton(character, kIdExit,
                       {{'D', 345}, {'L', 346}, {'W', 347}, {'G', 348}, {'E', kIdExit}});
  return id != 0 ? Press(id) : ScreenPress{};
}

ScreenEntryEffect DensityScreen::StoreEntry(int actionCode, double value) {
  ScreenEntryEffect effect;
  if (actionCode < 345 || actionCode > 347 || !std::isfinite(value) || value < 0.0) return effect;
  effect.handled = effect.stored = true;
  if (actionCode == 345)
    slug_.diameter = std::fmin(value / LengthFactor(settings_.lengthUnit), 2.0);
  if (actionCode == 346) slug_.length = std::fmin(value / LengthFactor(settings_.lengthUnit), 15.0);
  if (actionCode == 347) slug_.weight = value * WeightDivisor(settings_.weightUnit);
  std::optional<double> density = DensityFromTestSlug(slug_.diameter, slug_.length, slug_.weight);
  if (density) {
    settings_.heavyMetalDensity = *density;
    effect.writeSettings = effect.recompute = true;
  }
  return effect;
}

}  // namespace balancer
