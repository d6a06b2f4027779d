// The main window's instrument panel as a list of things to draw, in paint
// order and in design units (1280 x 680). The Win32 painter scales each item
// and draws it; every decision about what shows, where and in which colour is
// made here.
#pragma once

#include <string>
#include <vector>

#include "base/machine_settings.h"
#include "base/operator_message.h"
#include "correction/correction_pass.h"
#include "correction/zones.h"

namespace balancer {

enum class DrawKind {
  kCircle,    // outline (pen) with optional fill; x,y centre, r radius
  kPie,       // filled sector inside a circle: x,y,r and angles a0..a1 (dial degrees)
  kTriangle,  // filled polygon px/py (3 points)
  kFillRect,  // x,y,w,h
  kText,      // anchored at x,y by align
  kBitmap,    // resource name at x,y
};

enum class TextAlign { kCenterBottom, kLeftBottom };

struct DrawItem {
  DrawKind kind = DrawKind::kText;
  double x = 0, y = 0, w = 0, h = 0, r = 0;
  double a0 = 0, a1 = 0;
  double px[3] = {0, 0, 0};
  double py[3] = {0, 0, 0};
  Rgb colour;  // text colour, outline colour
  bool filled = false;
  Rgb fill;
  double penWidth = 1.35;  // design units
  std::string text;        // text, or the bitmap name
  int fontHeight = 24;
  int fontWeight = 600;
  TextAlign align = TextAlign::kCenterBottom;
};

// The live state the panel shows besides the correction result.
struct DisplayInputs {
  bool connected = false;
  int currentAngle = 0;
  bool spinRunning = false;
  bool freeRun = false;
  int speedRange = 0;  // hundreds of rpm added to the scale labels: 0, 10 or 20
  bool readingsPresent = false;
  bool addLeft = false;
  bool addRight = false;
  int selectedSlugSide = -1;  // 0 left, 1 right, -1 none
  int selectedSlugIndex = 0;
  double leftReadingMoment = 0;  // upright readings, gram-inches
  double rightReadingMoment = 0;
};

// Colours of the panel.
constexpr Rgb kPanelText{0, 0, 160};
constexpr Rgb kPanelRed{255, 0, 0};
constexpr Rgb kPanelTolerance{0, 153, 51};
constexpr Rgb kPanelUnitLabel{0, 48, 176};
constexpr Rgb kPanelScaleNumber{0, 0, 224};
constexpr Rgb kPanelStatusFill{245, 245, 245};

// Dial geometry.
constexpr int kLeftDialX = 262;
constexpr int kRightDialX = 878;
constexpr int kDialY = 275;
constexpr int kDialRadius = 195;
constexpr int kHubRadius = 78;
constexpr int kSingleViewShift = -308;

// Design x of a dial centre in this mode (the right dial moves to the middle
// in single-plane mode).
int DialCentreX(int side, bool twoPlaneMode);

// A point at `radius` and dial angle `degrees` about (cx, cy): 0 at the top,
// counting clockwise.
void DialPoint(double cx, double cy, double radius, double degrees, double& x, double& y);

// Where and how large a placement is drawn on its dial.
struct PlacementCircle {
  double x = 0, y = 0, r = 0;
};
std::vector<PlacementCircle> PlacementCircles(const SideCorrection& side, int sideIndex,
                                              bool twoPlaneMode);

// The holes that drill away a heavy-metal side's remainder, on their own ring.
std::vector<PlacementCircle> RemainderCircles(const SideCorrection& side, int sideIndex,
                                              bool twoPlaneMode);

// The out-of-tolerance flag of the paint.
bool OutOfTolerance(const MachineSettings& settings, const CorrectionResult& result,
                    const DisplayInputs& in);

// The whole panel.
std::vector<DrawItem> BuildDisplay(const MachineSettings& settings, const CorrectionResult& result,
                                   const CorrectionZones& zones, const DisplayInputs& in);

// Design rectangles that other code invalidates.
struct DesignRect {
  int x, y, w, h;
};
DesignRect PlaneArea(int side, bool twoPlaneMode);  // dial, texts and lamp of one side
DesignRect SpeedArea(bool twoPlaneMode);

// Whether the current-position tick is drawn: the live angle is shown only
// with the control connected and the shaft not being driven.
bool CurrentPositionShown(const DisplayInputs& in);
// The design rectangle the current-position tick of one dial covers at
// `angle`; the timer repaints only this when the shaft is turned by hand.
DesignRect CurrentPositionArea(int side, bool twoPlaneMode, int angle);

}  // namespace balancer

#include "measure/plane_reading.h"
#include "records/history.h"

namespace balancer {

// What a history record or a shaft condition takes from the present result.
CurrentResult CurrentResultOf(const CorrectionResult& result, const PlaneReading& left,
                              const PlaneReading& right);

}  // namespace balancer
