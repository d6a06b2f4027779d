// The "Correction Zone Setup" window's model: "Begin" and "End" per side (the
// left ones only in two-plane mode) set a bound to the shaft position,
// "Clear All" removes both zones, a help button and "Exit". While the window
// is open a click on a dial marks that side's zone at the clicked angle: the
// first click its start, the next its end.
#pragma once

#include <optional>
#include <vector>

#include "base/machine_settings.h"
#include "base/screen_model.h"
#include "correction/zones.h"

namespace balancer {

class ZoneSetupScreen {
 public:
  ZoneSetupScreen(const MachineSettings& settings, CorrectionZones& zones)
      : settings_(settings), zones_(zones) {}

  // 1201-1204 with the bound as "%d\xB0", 1205 "Clear All", 306 help, 56;
  // then the texts (id 0): the "Left" and "Right" column heads and the line
  // that tells how to mark a zone on a dial.
  std::vector<ScreenItem> Items() const;

  // `shaftPosition` is the control's angle now (whole degrees).
  ScreenPress Press(int id, int shaftPosition);
  // B/N left begin/end, G/H right begin/end, C clear all, E or Esc exit.
  ScreenPress Key(int character, int shaftPosition);
  // A click on the dial of `side` at `angle` (whole degrees).
  ScreenPress DialClick(Side side, int angle);

 private:
  const MachineSettings& settings_;
  CorrectionZones& zones_;
  bool nextIsEnd_[2] = {false, false};
};

// The dial angle (0 at the top, clockwise, 0..359) of a point inside a dial,
// or nothing outside it.
std::optional<int> DialAngleAt(double centreX, double centreY, double radius, double x, double y);

// Where the main screen's dials are in this mode (design units).
struct DialLayout {
  double leftX = 0.0;
  double rightX = 0.0;
  double y = 0.0;
  double radius = 0.0;
};

struct DialPress {
  Side side = kRightSide;
  int angle = 0;
};

// The dial under a press at (x, y) (design units) and the angle there. The
// left dial is only drawn, and only taken, in two-plane mode.
std::optional<DialPress> DialPressAt(const DialLayout& dials, bool twoPlaneMode, double x,
                                     double y);

}  // namespace balancer
