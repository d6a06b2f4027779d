#include "correction/tolerance_screen.h"

#include <cstdio>

#include "base/field_codes.h"
#include "base/unit_text.h"
#include "correction/screen_ids.h"
#include "records/number_text.h"

namespace balancer {

namespace {

ScreenPress Changed() {
  ScreenPress p;
  p.handled = p.recompute = p.writeSettings = p.repaint = true;
  return p;
}

}  // namespace

std::vector<ScreenItem> ToleranceScreen::Items() const {
  const MachineSettings& s = settings_;
  std::vector<ScreenItem> items;
  items.push_back(PlacedItem(kFieldShaftWeight, "Shaft Weight, pounds",
                             FormatNumber("%1.1f", s.shaftWeightPounds), {20, 20, 260, 40}));
  items.push_back(PlacedItem(kFieldMaxOperatingRpm, "Max Operating RPM",
                             FormatNumber("%1.0f", s.maxOperatingRpm), {20, 70, 260, 40}));
  for (int cls = 1; cls <= 2; ++cls) {
    ScreenItem b = PlacedItem(kIdClassFirst + cls - 1, ToleranceClassName(cls), "",
                              {20, 130 + 50 * (cls - 1), 380, 40});
    b.checked = s.toleranceClass == cls;
    items.push_back(b);
  }
  items.push_back(PlacedItem(kIdCalculate, "Calculate", "", {20, 240, 140, 40}));
  ScreenItem actual = PlacedItem(0, "Actual Tolerance", ActualToleranceText(s), {200, 250, 0, 0});
  actual.colour = Rgb{0, 153, 51};
  items.push_back(actual);
  items.push_back(PlacedItem(0, "Tolerance on Shaft", "", {20, 305, 0, 0}));
  items.push_back(PlacedItem(kFieldToleranceAtRadiusLeft, "Left",
                             ToleranceOnShaftText(s, s.shaftRadiusLeft), {20, 340, 100, 36}));
  items.push_back(PlacedItem(kFieldToleranceAtRadiusRight, "Right",
                             ToleranceOnShaftText(s, s.shaftRadiusRight), {20, 384, 100, 36}));
  items.push_back(
      PlacedItem(0, "Radius", ToleranceRadiusText(s, s.shaftRadiusLeft), {330, 346, 0, 0}));
  items.push_back(
      PlacedItem(0, "Radius", ToleranceRadiusText(s, s.shaftRadiusRight), {330, 390, 0, 0}));
  items.push_back(PlacedItem(kIdExit, "Exit", "", {500, 420, 100, 40}));
  return items;
}

ScreenPress ToleranceScreen::Press(int id) {
  ScreenPress p;
  switch (id) {
    case kFieldShaftWeight:
    case kFieldMaxOperatingRpm:
    case kFieldToleranceAtRadiusLeft:
    case kFieldToleranceAtRadiusRight:
      p.handled = true;
      p.entryCode = id;
      return p;
    case kIdClassFirst:
    case kIdClassFirst + 1:
      SelectToleranceClass(calc_, settings_, id - kIdClassFirst + 1);
      return Changed();
    case kIdCalculate:
      CalculateTolerance(calc_, settings_);
      return Changed();
    case kIdExit:
      p.handled = p.close = true;
      return p;
  }
  return p;
}

ScreenPress ToleranceScreen::Key(int character) {
  int id = KeyedButton(character, kIdExit,
                       {{'W', kFieldShaftWeight},
                        {'M', kFieldMaxOperatingRpm},
                        {'A', kIdClassFirst},
                        {'D', kIdClassFirst + 1},
                        {'C', kIdCalculate},
                        {'E', kIdExit}});
  return id != 0 ? Press(id) : ScreenPress{};
}

ScreenEntryEffect ToleranceScreen::StoreEntry(int actionCode, double value) {
  ScreenEntryEffect effect;
  if (actionCode == kFieldShaftWeight) {
    EnterShaftWeight(calc_, settings_, value);
  } else if (actionCode == kFieldMaxOperatingRpm) {
    EnterMaxOperatingRpm(calc_, settings_, value);
  } else {
    return effect;
  }
  effect.handled = effect.stored = effect.writeSettings = effect.recompute = true;
  return effect;
}

}  // namespace balancer
