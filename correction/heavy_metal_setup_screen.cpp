#include "correction/heavy_metal_setup_screen.h"

#include <cstdio>

#include "base/field_codes.h"
#include "base/unit_text.h"
#include "correction/screen_ids.h"
#include "records/number_text.h"

namespace balancer {

namespace {

// Design units: the left column at x 20, the right at x 300 (single-plane
// keeps the right), one row every 50 units from y 50.
constexpr int kLeftX = 20;
constexpr int kRightX = 300;
constexpr int kBoxW = 150;
constexpr int kBoxH = 36;

ScreenItem Box(int id, const std::string& label, double inches, int lengthUnit, bool shown,
               DesignBox place) {
  ScreenItem item;
  item.id = id;
  item.label = label;
  item.value = LengthText(inches, lengthUnit, true);
  item.shown = shown;
  item.place = place;
  return item;
}

ScreenItem Pair(int id, const std::string& label, double inches, int lengthUnit, bool shown,
                bool right, int row) {
  return Box(id, label, inches, lengthUnit, shown,
             {right ? kRightX : kLeftX, 50 + 50 * row, kBoxW, kBoxH});
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
  ScreenItem left = PlacedItem(0, "Left", "", {70, 20, 0, 0});
  left.shown = two;
  items.push_back(left);
  items.push_back(PlacedItem(0, "Right", "", {350, 20, 0, 0}));
  items.push_back(
      Pair(kFieldSlugDiameterLeft, "Slug diameter", s.slugDiameterLeft, unit, two, false, 0));
  items.push_back(
      Pair(kFieldSlugDiameterRight, "Slug diameter", s.slugDiameterRight, unit, true, true, 0));
  items.push_back(Pair(kFieldSlugLengthLeft, "Slug length", s.slugLengthLeft, unit, two, false, 1));
  items.push_back(
      Pair(kFieldSlugLengthRight, "Slug length", s.slugLengthRight, unit, true, true, 1));
  items.push_back(
      Pair(kFieldCounterweightRadiusLeft, "CW radius", s.shaftRadiusLeft, unit, two, false, 2));
  items.push_back(
      Pair(kFieldCounterweightRadiusRight, "CW radius", s.shaftRadiusRight, unit, true, true, 2));
  items.push_back(Pair(kFieldCounterweightThicknessLeft, "CW thickness", s.cwThicknessLeft, unit,
                       two, false, 3));
  items.push_back(Pair(kFieldCounterweightThicknessRight, "CW thickness", s.cwThicknessRight, unit,
                       true, true, 3));
  items.push_back(Box(kFieldWebThickness, "Thickness between slugs", s.slugWebThickness, unit, true,
                      {kLeftX, 260, 250, kBoxH}));
  items.push_back(PlacedItem(kIdMaterial, "&Material", MaterialName(s.counterweightMaterial),
                             {kLeftX, 316, 150, 40}));
  items.push_back(
      PlacedItem(kIdDensity, "Heavy Metal Density", DensityBoxText(s), {kLeftX, 370, 230, 40}));
  items.push_back(PlacedItem(kIdAutoSelect, "Auto Select", "", {450, 316, 140, 40}));
  items.push_back(PlacedItem(kIdExit, "Exit", "", {450, 370, 140, 40}));
  return items;
}

ScreenPress HeavyMetalSetupScreen::Press(int id) {
  ScreenPress p;
  const bool two = settings_.twoPlaneMode != 0;
  switch (id) {
    case kFieldSlugDiameterLeft:
    case kFieldSlugLengthLeft:
    case kFieldCounterweightRadiusLeft:
    case kFieldCounterweightThicknessLeft:
      if (!two) return p;
      p.handled = true;
      p.entryCode = id;
      return p;
    case kFieldSlugDiameterRight:
    case kFieldSlugLengthRight:
    case kFieldCounterweightRadiusRight:
    case kFieldCounterweightThicknessRight:
    case kFieldWebThickness:
      p.handled = true;
      p.entryCode = id;
      return p;
    case kIdMaterial:
      CycleCounterweightMaterial(settings_);
      p.handled = p.recompute = p.writeSettings = p.repaint = true;
      return p;
    case kIdDensity:
      p.handled = true;
      p.openScreen = kScreenDensity;
      return p;
    case kIdAutoSelect:
      p.handled = true;
      p.openScreen = kScreenSlugSize;
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
