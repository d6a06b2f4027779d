#include "correction/zone_setup_screen.h"

#include <cmath>
#include <cstdio>

#include "base/help_file.h"
#include "correction/screen_ids.h"

namespace balancer {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A bound button at x in the row under the dials.
ScreenItem Button(int id, const std::string& label, int bound, bool shown, int x) {
  ScreenItem item;
  item.id = id;
  item.label = label;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d\xB0", bound);
  item.value = buffer;
  item.shown = shown;
  item.place = {x, 32, 80, 36};
  return item;
}

ScreenPress ZonesChanged() {
  ScreenPress p;
  p.handled = p.recompute = p.repaint = true;
  return p;
}

}  // namespace

std::optional<int> DialAngleAt(double centreX, double centreY, double radius, double x, double y) {
  const double dx = x - centreX;
  const double dy = centreY - y;
  if (!std::isfinite(dx) || !std::isfinite(dy) || dx * dx + dy * dy > radius * radius) {
    return std::nullopt;
  }
  int degrees = static_cast<int>(std::lround(std::atan2(dx, dy) * 180.0 / kPi));
  return ((degrees % 360) + 360) % 360;
}

std::optional<DialPress> DialPressAt(const DialLayout& dials, bool twoPlaneMode, double x,
                                     double y) {
  if (!(dials.radius > 0.0)) return std::nullopt;
  for (Side side : {kLeftSide, kRightSide}) {
    if (side == kLeftSide && !twoPlaneMode) continue;
    const double cx = side == kLeftSide ? dials.leftX : dials.rightX;
    if (std::optional<int> angle = DialAngleAt(cx, dials.y, dials.radius, x, y)) {
      DialPress press;
      press.side = side;
      press.angle = *angle;
      return press;
    }
  }
  return std::nullopt;
}

std::vector<ScreenItem> ZoneSetupScreen::Items() const {
  const bool two = settings_.twoPlaneMode != 0;
  std::vector<ScreenItem> items;
  // One row under the dials, so both dials stay free to click. Single-plane
  // has no left column: the right one takes its place.
  const int rightX = two ? 315 : 15;
  items.push_back(Button(kIdZoneBeginLeft, "Begin", zones_.zoneStartLeft, two, 15));
  items.push_back(Button(kIdZoneEndLeft, "End", zones_.zoneEndLeft, two, 160));
  items.push_back(Button(kIdZoneBeginRight, "Begin", zones_.zoneStartRight, true, rightX));
  items.push_back(Button(kIdZoneEndRight, "End", zones_.zoneEndRight, true, rightX + 145));
  items.push_back(PlacedItem(kIdZoneClearAll, "Clear All", "", {610, 32, 110, 36}));
  items.push_back(PlacedItem(kIdHelp, "Help", "", {730, 32, 70, 36}));
  items.push_back(PlacedItem(kIdExit, "Exit", "", {810, 32, 70, 36}));
  ScreenItem leftHead = PlacedItem(0, "Left", "", {15, 6, 0, 0});
  leftHead.shown = two;
  items.push_back(leftHead);
  items.push_back(PlacedItem(0, "Right", "", {rightX, 6, 0, 0}));
  items.push_back(PlacedItem(0, "Or click a dial at the start of the zone, then at its end.", "",
                             {15, 74, 0, 0}));
  return items;
}

ScreenPress ZoneSetupScreen::Press(int id, int shaftPosition) {
  const bool two = settings_.twoPlaneMode != 0;
  switch (id) {
    case kIdZoneBeginLeft:
    case kIdZoneEndLeft:
      if (!two) return ScreenPress{};
      [[fallthrough]];
    case kIdZoneBeginRight:
    case kIdZoneEndRight: {
      Side side = id <= kIdZoneEndLeft ? kLeftSide : kRightSide;
      bool begin = id == kIdZoneBeginLeft || id == kIdZoneBeginRight;
      if (begin) {
        ZoneBegin(zones_, side, shaftPosition);
      } else {
        ZoneEnd(zones_, side, shaftPosition);
      }
      nextIsEnd_[side] = begin;
      return ZonesChanged();
    }
    case kIdZoneClearAll:
      ClearZones(zones_);
      nextIsEnd_[0] = nextIsEnd_[1] = false;
      return ZonesChanged();
    case kIdHelp: {
      ScreenPress p;
      p.handled = true;
      p.helpTopic = HelpTopicArgument("Zone setup.htm");
      return p;
    }
    case kIdExit: {
      ScreenPress p;
      p.handled = p.close = true;
      return p;
    }
  }
  return ScreenPress{};
}

ScreenPress ZoneSetupScreen::Key(int character, int shaftPosition) {
  int id = KeyedButton(character, kIdExit,
                       {{'B', kIdZoneBeginLeft},
                        {'N', kIdZoneEndLeft},
                        {'G', kIdZoneBeginRight},
                        {'H', kIdZoneEndRight},
                        {'C', kIdZoneClearAll},
                        {'E', kIdExit}});
  return id != 0 ? Press(id, shaftPosition) : ScreenPress{};
}

ScreenPress ZoneSetupScreen::DialClick(Side side, int angle) {
  if (side == kLeftSide && settings_.twoPlaneMode == 0) return ScreenPress{};
  if (nextIsEnd_[side]) {
    ZoneEnd(zones_, side, angle);
  } else {
    ZoneBegin(zones_, side, angle);
  }
  nextIsEnd_[side] = !nextIsEnd_[side];
  return ZonesChanged();
}

}  // namespace balancer
