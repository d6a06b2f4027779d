#include "correction/drill_setup_screen.h"

#include "base/unit_text.h"
#include "correction/screen_ids.h"
#include "correction/setup_entries.h"

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

ScreenItem Label(const std::string& text, bool shown) {
  ScreenItem item;
  item.label = text;
  item.shown = shown;
  return item;
}

}  // namespace

std::vector<ScreenItem> DrillSetupScreen::Items() const {
  const MachineSettings& s = settings_;
  const bool two = s.twoPlaneMode != 0;
  const int unit = s.lengthUnit;
  const bool radial = s.radialCompensation == 1;
  std::vector<ScreenItem> items;
  items.push_back(Label("Left", two));
  items.push_back(Label("Right", true));
  items.push_back(Label("Drill Diameter", two));
  items.push_back(Label("Shaft Radius", true));
  items.push_back(Label("Correction Rad.", true));
  items.push_back(Box(320, "Left Drill Bit Diameter", s.drillDiameterLeft, unit, two));
  items.push_back(Box(321, "Right Drill Bit Diameter", s.drillDiameterRight, unit, two));
  items.push_back(Box(102, "&Drill Diameter", s.drillDiameterRight, unit, !two));
  items.push_back(Box(147, "Left Counterweight Radius", s.shaftRadiusLeft, unit, two));
  items.push_back(Box(148, "Right Counterweight Radius", s.shaftRadiusRight, unit, true));
  items.push_back(
      Box(100, "Radius", radial ? s.correctionRadiusLeft : s.drillRadiusLeft, unit, two));
  items.push_back(
      Box(101, "Radius", radial ? s.correctionRadiusRight : s.drillRadiusRight, unit, true));
  items.push_back(Box(145, "Max Depth", s.maxDrillDepthLeft, unit, two));
  items.push_back(Box(146, "Max Depth", s.maxDrillDepthRight, unit, true));
  ScreenItem material;
  material.id = kIdMaterial;
  material.label = "&Material";
  material.value = MaterialName(s.drillMaterial);
  items.push_back(material);
  ScreenItem radialItem;
  radialItem.id = kIdRadialComp;
  radialItem.label = "Radial &Compensation";
  radialItem.value = radial ? "On" : "Off";
  items.push_back(radialItem);
  items.push_back(Label("Exit", true));
  items.back().id = kIdExit;
  return items;
}

ScreenPress DrillSetupScreen::Press(int id) {
  ScreenPress p;
  const bool two = settings_.twoPlaneMode != 0;
  switch (id) {
    case 320:
    case 321:
    case 147:
    case 100:
    case 145:
      if (!two) return p;
      p.handled = true;
      p.entryCode = id;
      return p;
    case 102:
      if (two) return p;
      p.handled = true;
      p.entryCode = id;
      return p;
    case 148:
    case 101:
    case 146:
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
  int id = KeyedButton(character, kIdExit,
                       {{'D', 102}, {'M', kIdMaterial}, {'C', kIdRadialComp}, {'E', kIdExit}});
  return id != 0 ? Press(id) : ScreenPress{};
}

}  // namespace balancer
