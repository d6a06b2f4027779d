#include "correction/drill_setup_screen.h"

#include "base/field_codes.h"
#include "base/unit_text.h"
#include "correction/screen_ids.h"
#include "correction/setup_entries.h"

namespace balancer {

namespace {

// Design units. The buttons are wide enough for their longest label in the
// design font ("Right Counterweight Radius"), each value is drawn right of
// its button, and the row labels keep clear of the first column.
constexpr int kFirstColumnX = 180;
constexpr int kSecondColumnX = 590;
constexpr int kBoxW = 280;
constexpr int kBoxH = 36;
constexpr int kRowY[4] = {60, 110, 160, 210};
constexpr int kLabelX = 20;

// A box in `row` of the first or second column; none where the mode has no
// such box.
ScreenItem Box(int id, const std::string& label, double inches, int lengthUnit, bool shown, int row,
               bool secondColumn) {
  ScreenItem item;
  item.id = id;
  item.label = label;
  item.value = LengthText(inches, lengthUnit, true);
  item.shown = shown;
  if (shown) item.place = {secondColumn ? kSecondColumnX : kFirstColumnX, kRowY[row], kBoxW, kBoxH};
  return item;
}

ScreenItem Label(const std::string& text, bool shown, int x, int y) {
  ScreenItem item;
  item.label = text;
  item.shown = shown;
  item.place = {x, y, 0, 0};
  return item;
}

}  // namespace

std::vector<ScreenItem> DrillSetupScreen::Items() const {
  const MachineSettings& s = settings_;
  const bool two = s.twoPlaneMode != 0;
  const int unit = s.lengthUnit;
  const bool radial = s.radialCompensation == 1;
  // Two-plane: the left side in the first column, the right in the second;
  // single-plane: the right side only, in the first column.
  const bool right = two;
  std::vector<ScreenItem> items;
  items.push_back(Label("Left", two, kFirstColumnX + 10, 25));
  items.push_back(Label("Right", true, (two ? kSecondColumnX : kFirstColumnX) + 10, 25));
  items.push_back(Label("Drill Diameter", two, kLabelX, kRowY[0] + 6));
  items.push_back(Label("Shaft Radius", true, kLabelX, kRowY[1] + 6));
  items.push_back(Label("Correction Rad.", true, kLabelX, kRowY[2] + 6));
  items.push_back(Box(kFieldDrillBitDiameterLeft, "Left Drill Bit Diameter", s.drillDiameterLeft,
                      unit, two, 0, false));
  items.push_back(Box(kFieldDrillBitDiameterRight, "Right Drill Bit Diameter", s.drillDiameterRight,
                      unit, two, 0, true));
  items.push_back(
      Box(kFieldDrillDiameter, "&Drill Diameter", s.drillDiameterRight, unit, !two, 0, false));
  items.push_back(Box(kFieldCounterweightRadiusLeft, "Left Counterweight Radius", s.shaftRadiusLeft,
                      unit, two, 1, false));
  items.push_back(Box(kFieldCounterweightRadiusRight, "Right Counterweight Radius",
                      s.shaftRadiusRight, unit, true, 1, right));
  items.push_back(Box(kFieldRadiusLeft, "Radius",
                      radial ? s.correctionRadiusLeft : s.drillRadiusLeft, unit, two, 2, false));
  items.push_back(Box(kFieldRadiusRight, "Radius",
                      radial ? s.correctionRadiusRight : s.drillRadiusRight, unit, true, 2, right));
  items.push_back(Box(kFieldMaxDepthLeft, "Max Depth", s.maxDrillDepthLeft, unit, two, 3, false));
  items.push_back(
      Box(kFieldMaxDepthRight, "Max Depth", s.maxDrillDepthRight, unit, true, 3, right));
  items.push_back(
      PlacedItem(kIdMaterial, "&Material", MaterialName(s.drillMaterial), {kLabelX, 280, 160, 40}));
  items.push_back(PlacedItem(kIdRadialComp, "Radial &Compensation", radial ? "On" : "Off",
                             {kLabelX, 330, 240, 40}));
  items.push_back(PlacedItem(kIdExit, "Exit", "", {two ? 870 : 460, 380, 100, 40}));
  return items;
}

ScreenPress DrillSetupScreen::Press(int id) {
  ScreenPress p;
  const bool two = settings_.twoPlaneMode != 0;
  switch (id) {
    case kFieldDrillBitDiameterLeft:
    case kFieldDrillBitDiameterRight:
    case kFieldCounterweightRadiusLeft:
    case kFieldRadiusLeft:
    case kFieldMaxDepthLeft:
      if (!two) return p;
      p.handled = true;
      p.entryCode = id;
      return p;
    case kFieldDrillDiameter:
      if (two) return p;
      p.handled = true;
      p.entryCode = id;
      return p;
    case kFieldCounterweightRadiusRight:
    case kFieldRadiusRight:
    case kFieldMaxDepthRight:
      p.handled = true;
      p.entryCode = id;
      return p;
    case kIdMaterial:
      CycleDrillMaterial(settings_);
      p.handled = p.recompute = p.writeSettings = p.repaint = true;
      return p;
    case kIdRadialComp:
      ToggleRadialCompensation(settings_, state_);
      p.handled = p.recompute = p.writeSettings = p.repaint = true;
      return p;
    case kIdExit:
      p.handled = p.close = p.writeSettings = true;
      return p;
  }
  return p;
}

ScreenPress DrillSetupScreen::Key(int character) {
  int id = KeyedButton(
      character, kIdExit,
      {{'D', kFieldDrillDiameter}, {'M', kIdMaterial}, {'C', kIdRadialComp}, {'E', kIdExit}});
  return id != 0 ? Press(id) : ScreenPress{};
}

}  // namespace balancer
