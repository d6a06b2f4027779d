#include "correction/density_screen.h"

#include <cmath>
#include <cstdio>

#include "base/field_codes.h"
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
  items.push_back(PlacedItem(kFieldSlugDiameter, "Diameter",
                             LengthText(slug_.diameter, s.lengthUnit, true), {20, 50, 140, 36}));
  items.push_back(PlacedItem(kFieldSlugLength, "Length",
                             LengthText(slug_.length, s.lengthUnit, true), {20, 100, 140, 36}));
  items.push_back(PlacedItem(kFieldSlugWeight, "Weight", weight, {20, 150, 140, 36}));
  items.push_back(PlacedItem(kFieldHeavyMetalDensity, "Density", density, {20, 220, 140, 36}));
  items.push_back(PlacedItem(kIdExit, "Exit", "", {300, 290, 120, 40}));
  return items;
}

ScreenPress DensityScreen::Press(int id) {
  ScreenPress p;
  if (id >= kFieldSlugDiameter && id <= kFieldHeavyMetalDensity) {
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
                       {{'D', kFieldSlugDiameter},
                        {'L', kFieldSlugLength},
                        {'W', kFieldSlugWeight},
                        {'G', kFieldHeavyMetalDensity},
                        {'E', kIdExit}});
  return id != 0 ? Press(id) : ScreenPress{};
}

ScreenEntryEffect DensityScreen::StoreEntry(int actionCode, double value) {
  ScreenEntryEffect effect;
  if (actionCode < kFieldSlugDiameter || actionCode > kFieldSlugWeight || !std::isfinite(value) ||
      value < 0.0)
    return effect;
  effect.handled = effect.stored = true;
  if (actionCode == kFieldSlugDiameter)
    slug_.diameter = std::fmin(value / LengthFactor(settings_.lengthUnit), 2.0);
  if (actionCode == kFieldSlugLength)
    slug_.length = std::fmin(value / LengthFactor(settings_.lengthUnit), 15.0);
  if (actionCode == kFieldSlugWeight) slug_.weight = value * WeightDivisor(settings_.weightUnit);
  std::optional<double> density = DensityFromTestSlug(slug_.diameter, slug_.length, slug_.weight);
  if (density) {
    settings_.heavyMetalDensity = *density;
    effect.writeSettings = effect.recompute = true;
  }
  return effect;
}

}  // namespace balancer
