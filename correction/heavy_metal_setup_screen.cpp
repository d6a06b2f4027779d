#include "correction/heavy_metal_setup_screen.h"

#include <cstdio>

#include "base/unit_text.h"
#include "correction/screen_ids.h"
#include "records/number_text.h"

namespace balancer {

namespace {

ScreenItem Box(int id, const std::string& label, double inches, int lengthUnit, bool shown) {
  ScreenItem item;
  item.id = id;
  item.label = label;
  item.value = LengthText(inches, lengthUnit, true);
  item.shown = shown;
  return item;
}

ScreenItem Button(int id, const std::string& label, const std::string& value = "") {
  ScreenItem item;
  item.id = id;
  item.label = label;
  item.value = value;
  return item;
}

}  // namespace

std::string DensityBoxText(const MachineSettings& s) {
  // Grams per cubic inch shown per unit of the length switch, as the boxes of
  // the kit show densities.
  double value = s.heavyMetalDensity / WeightDivisor(s.weightUnit);
  const char* format = s.weightUnit == 1 ? (s.lengthUnit == 1 ? "%1.2f oz/mm" : "%1.2f oz/in")
                                         : (s.lengthUnit == 1 ? "%1.1f gm/mm" : "%1.1f gm/in");
  return FormatNumber(format, value);
}

std::vector<ScreenItem> HeavyMetalSetupScreen::Items() const {
  const MachineSettings& s = settings_;
  const bool two = s.twoPlaneMode != 0;
  const int unit = s.lengthUnit;
  std::vector<ScreenItem> items;
  ScreenItem left = Button(0, "Left");
  left.shown = two;
  items.push_back(left);
  items.push_back(Button(0, "Right"));
  items.push_back(Box(149, "Slug diameter", s.slugDiameterLeft, unit, two));
  items.push_back(Box(150, "Slug diameter", s.slugDiameterRight, unit, true));
  items.push_back(Box(151, "Slug length", s.slugLengthLeft, unit, two));
  items.push_back(Box(152, "Slug length", s.slugLengthRight, unit, true));
  items.push_back(Box(147, "CW radius", s.shaftRadiusLeft, unit, two));
  items.push_back(Box(148, "CW radius", s.shaftRadiusRight, unit, true));
  items.push_back(Box(154, "CW thickness", s.cwThicknessLeft, unit, two));
  items.push_back(Box(155, "CW thickness", s.cwThicknessRight, unit, true));
  items.push_back(Box(153, "Thickness between slugs", s.slugWebThickness, unit, true));
  items.push_back(Button(kIdMaterial, "&Material", MaterialName(s.counterweightMaterial)));
  items.push_back(Button(kIdDensity, "Heavy Metal Density", DensityBoxText(s)));
  items.push_back(Button(kIdAutoSelect, "Auto Select"));
  items.push_back(Button(kIdExit, "Exit"));
  return items;
}

ScreenPress HeavyMetalSetupScreen::Press(int id) {
  ScreenPress p;
  const bool two = settings_.twoPlaneMode != 0;
  switch (id) {
    case 149:
    case 151:
    case 147:
    case 154:
      if (!two) return p;
      p.handled = true;
      p.entryCode = id;
      return p;
    case 150:
    case 152:
    case 148:
    case 155:
    case 153:
      p.handled = true;
      p.entryCode = id;
      return p;
    case kIdMaterial:
      CycleCounterweightMaterial(settings_);
      p.handled = p.recompute = p.writeSettings = p.repaint = true;
      return p;
    case kIdDensity:
      p.handled = true;
      p.openScreen = 'D';
      return p;
    case kIdAutoSelect:
      p.handled = true;
      p.openScreen = 'p';
      return p;
    case kIdExit:
      p.handled = p.close = p.writeSettings = true;
      return p;
  }
  return p;
}

ScreenPress HeavyMetalSetupScreen::Key(int character) {
  int id =
      KeyedButton(character, kIdExit,
                  {{'M', kIdMaterial}, {'A', kIdAutoSelect}, {'H', kIdDensity}, {'E', kIdExit}});
  return id != 0 ? Press(id) : ScreenPress{};
}

}  // namespace balancer
