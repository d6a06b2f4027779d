#include "correction/slug_size_screen.h"

#include <cstdio>

#include "base/field_codes.h"
#include "base/unit_text.h"
#include "correction/heavy_metal.h"
#include "correction/screen_ids.h"
#include "records/number_text.h"

namespace balancer {

std::string ExtraWeightText(double grams, int weightUnit) {
  return FormatText(weightUnit == 1 ? "%1.2f" : "%1.1f",
                    Printable(grams / WeightDivisor(weightUnit)));
}

std::vector<ScreenItem> SlugSizeScreen::Items() const {
  const double factor = LengthFactor(settings_.lengthUnit);
  std::vector<ScreenItem> items;
  for (int i = 0; i < kSlugTableSize; ++i) {
    ScreenItem box;
    box.id = kIdSlugSizeFirst + i;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%1.3f x %1.3f", kSlugSizes[i].diameter * factor,
                  kSlugSizes[i].length * factor);
    box.label = buffer;
    box.checked = checked_[i];  // a check box the window makes itself
    items.push_back(box);
  }
  ScreenItem heading;
  heading.label = "Extra Weight";
  heading.place = {20, 404, 0, 0};
  items.push_back(heading);
  ScreenItem unit;
  unit.label = settings_.weightUnit == 1 ? "ounces" : "grams";
  unit.place = {160, 404, 0, 0};
  items.push_back(unit);
  ScreenItem min;
  min.id = kFieldMinExtraWeight;
  min.label = "Minimum";
  min.place = {20, 440, 120, 36};
  min.value = ExtraWeightText(settings_.minExtraWeight, settings_.weightUnit);
  items.push_back(min);
  ScreenItem max;
  max.id = kFieldMaxExtraWeight;
  max.label = "Maximum";
  max.place = {260, 440, 120, 36};
  max.value = ExtraWeightText(settings_.maxExtraWeight, settings_.weightUnit);
  items.push_back(max);
  ScreenItem select;
  select.id = kIdSelectNow;
  select.label = "Select Now";
  select.place = {480, 400, 150, 40};
  items.push_back(select);
  ScreenItem exit;
  exit.id = kIdExit;
  exit.label = "Exit";
  exit.place = {480, 456, 150, 40};
  items.push_back(exit);
  return items;
}

ScreenPress SlugSizeScreen::Press(int id) {
  ScreenPress p;
  if (id >= kIdSlugSizeFirst && id < kIdSlugSizeFirst + kSlugTableSize) {
    bool& flag = checked_[id - kIdSlugSizeFirst];
    flag = !flag;
    p.handled = p.repaint = true;
  } else if (id == kFieldMinExtraWeight || id == kFieldMaxExtraWeight) {
    p.handled = true;
    p.entryCode = id;
  } else if (id == kIdSelectNow) {
    settings_.slugSizeSelected = checked_;
    state_.autoSelectRequested = true;
    p.handled = p.recompute = p.writeSettings = p.close = true;
  } else if (id == kIdExit) {
    // Closing a settings window writes the settings; the checks are dropped.
    p.handled = p.close = p.writeSettings = true;
  }
  return p;
}

ScreenPress SlugSizeScreen::Key(int character) {
  int id = KeyedButton(character, kIdExit, {{'S', kIdSelectNow}, {'E', kIdExit}});
  return id != 0 ? Press(id) : ScreenPress{};
}

}  // namespace balancer
