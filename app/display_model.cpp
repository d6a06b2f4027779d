#include "app/display_model.h"

#include <cmath>
#include <cstdio>

#include "app/status_field.h"
#include "base/unit_text.h"
#include "correction/reluctor.h"
#include "correction/tolerance.h"

namespace balancer {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kDialOutline{0, 0, 140};
constexpr Rgb kZoneFill{188, 169, 134};
constexpr Rgb kHubFill{0, 192, 192};
constexpr Rgb kLeftMarker{0, 238, 119};
constexpr Rgb kRightMarker{255, 255, 102};
constexpr Rgb kPlacementFill{216, 220, 228};
constexpr Rgb kWhite{255, 255, 255};

// Placements sit on this ring between the hub and the rim; the holes that
// drill away a heavy-metal side's remainder, drawn smaller, on a ring between
// it and the hub, so that they never hide a slug.
constexpr double kPlacementRing = 136.0;
constexpr double kRemainderRing = 100.0;

Rgb ColourOf(TextColour colour) {
  switch (colour) {
    case TextColour::kRed:
      return kPanelRed;
    case TextColour::kTolerance:
      return kPanelTolerance;
    default:
      return kPanelText;
  }
}

DrawItem Text(double x, double y, const std::string& text, int height, int weight,
              Rgb colour = kPanelText) {
  DrawItem d;
  d.kind = DrawKind::kText;
  d.x = x;
  d.y = y;
  d.text = text;
  d.fontHeight = height;
  d.fontWeight = weight;
  d.colour = colour;
  return d;
}

DrawItem Circle(double x, double y, double r, Rgb outline, double pen, bool filled = false,
                Rgb fill = Rgb()) {
  DrawItem d;
  d.kind = DrawKind::kCircle;
  d.x = x;
  d.y = y;
  d.r = r;
  d.colour = outline;
  d.penWidth = pen;
  d.filled = filled;
  d.fill = fill;
  return d;
}

DrawItem Bitmap(double x, double y, double w, double h, const char* name) {
  DrawItem d;
  d.kind = DrawKind::kBitmap;
  d.x = x;
  d.y = y;
  d.w = w;
  d.h = h;
  d.text = name;
  return d;
}

// Whole degrees, halves away from zero, wrapped into 0..359.
int WholeDegrees(double degrees) {
  long whole = std::lround(degrees);
  whole %= 360;
  if (whole < 0) whole += 360;
  return static_cast<int>(whole);
}

void AddDial(std::vector<DrawItem>& out, int side, bool twoPlane, const CorrectionZones& zones) {
  const double cx = DialCentreX(side, twoPlane);
  out.push_back(Circle(cx, kDialY, kDialRadius, kDialOutline, 2.0, true, kWhite));
  ZoneBounds zone = ZoneOf(zones, side == 0 ? kLeftSide : kRightSide);
  if (zone.defined()) {
    DrawItem pie;
    pie.kind = DrawKind::kPie;
    pie.x = cx;
    pie.y = kDialY;
    pie.r = kDialRadius - 4;
    pie.a0 = zone.start;
    // The zone runs upwards from its start, through 0 when the end is lower.
    pie.a1 = zone.end >= zone.start ? zone.end : zone.end + 360;
    pie.filled = true;
    pie.fill = kZoneFill;
    pie.colour = kZoneFill;
    out.push_back(pie);
  }
  out.push_back(Circle(cx, kDialY, kHubRadius, kDialOutline, 1.35, true, kHubFill));
}

void AddMarker(std::vector<DrawItem>& out, int side, bool twoPlane, double displayAngle) {
  const double cx = DialCentreX(side, twoPlane);
  const int angle = WholeDegrees(displayAngle);
  DrawItem t;
  t.kind = DrawKind::kTriangle;
  DialPoint(cx, kDialY, kDialRadius - 6, angle, t.px[0], t.py[0]);
  DialPoint(cx, kDialY, kHubRadius + 6, angle - 9, t.px[1], t.py[1]);
  DialPoint(cx, kDialY, kHubRadius + 6, angle + 9, t.px[2], t.py[2]);
  t.filled = true;
  t.fill = side == 0 ? kLeftMarker : kRightMarker;
  t.colour = kBlack;
  out.push_back(t);
}

// The current-position tick: a small triangle just outside the rim, its
// point on the rim at the shaft angle.
constexpr double kPositionTipRadius = kDialRadius + 1;
constexpr double kPositionBaseRadius = kDialRadius + 12;
constexpr double kPositionHalfWidth = 3.0;  // degrees either side at the base

DrawItem PositionTick(int side, bool twoPlane, int angle) {
  const double cx = DialCentreX(side, twoPlane);
  DrawItem t;
  t.kind = DrawKind::kTriangle;
  DialPoint(cx, kDialY, kPositionTipRadius, angle, t.px[0], t.py[0]);
  DialPoint(cx, kDialY, kPositionBaseRadius, angle - kPositionHalfWidth, t.px[1], t.py[1]);
  DialPoint(cx, kDialY, kPositionBaseRadius, angle + kPositionHalfWidth, t.px[2], t.py[2]);
  t.filled = true;
  t.fill = kPanelText;
  t.colour = kPanelText;
  t.penWidth = 1.0;
  return t;
}

std::string Format1(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

int DialCentreX(int side, bool twoPlaneMode) {
  if (side == 0) return kLeftDialX;
  return twoPlaneMode ? kRightDialX : kRightDialX + kSingleViewShift;
}

void DialPoint(double cx, double cy, double radius, double degrees, double& x, double& y) {
  const double radians = degrees * kPi / 180.0;
  x = cx + radius * std::sin(radians);
  y = cy - radius * std::cos(radians);
}

std::vector<PlacementCircle> PlacementCircles(const SideCorrection& side, int sideIndex,
                                              bool twoPlaneMode) {
  std::vector<PlacementCircle> out;
  const double cx = DialCentreX(sideIndex, twoPlaneMode);
  auto add = [&](double radians, double diameter) {
    PlacementCircle c;
    DialPoint(cx, kDialY, kPlacementRing, radians * 180.0 / kPi, c.x, c.y);
    c.r = std::fmin(22.0, 7.0 + diameter * 14.0);
    out.push_back(c);
  };
  if (side.method == CorrectionMethod::kSlug) {
    for (const SlugRecord& slug : side.slugs.slugs) {
      if (slug.diameter > 0.0) add(slug.angle, slug.diameter);
    }
  } else if (side.method == CorrectionMethod::kDrill) {
    for (int i = 0; i < side.drill.holeCount && i < kMaxHoles; ++i) {
      const DrillHole& hole = side.drill.holes[i];
      if (hole.diameter > 0.0) add(hole.angle, hole.diameter);
    }
  }
  return out;
}

std::vector<PlacementCircle> RemainderCircles(const SideCorrection& side, int sideIndex,
                                              bool twoPlaneMode) {
  std::vector<PlacementCircle> out;
  if (side.method != CorrectionMethod::kSlug || side.remainderText.empty() ||
      side.remainder.capacityOverflow) {
    return out;
  }
  const double cx = DialCentreX(sideIndex, twoPlaneMode);
  for (int i = 0; i < side.remainder.holeCount && i < kMaxHoles; ++i) {
    const DrillHole& hole = side.remainder.holes[i];
    if (!(hole.diameter > 0.0)) continue;
    PlacementCircle c;
    DialPoint(cx, kDialY, kRemainderRing, hole.angle * 180.0 / kPi, c.x, c.y);
    c.r = std::fmin(14.0, 4.0 + hole.diameter * 10.0);
    out.push_back(c);
  }
  return out;
}

bool OutOfTolerance(const MachineSettings& settings, const CorrectionResult& result,
                    const DisplayInputs& in) {
  const double tolerance = settings.toleranceMoment;
  if (!WithinTolerance(in.rightReadingMoment, tolerance)) return true;
  if (!result.twoPlaneMode) {
    if (!WithinTolerance(in.leftReadingMoment, tolerance)) return true;
    if (!WithinTolerance(result.single.staticMoment, tolerance)) return true;
  }
  return false;
}

std::vector<DrawItem> BuildDisplay(const MachineSettings& settings, const CorrectionResult& result,
                                   const CorrectionZones& zones, const DisplayInputs& in) {
  std::vector<DrawItem> out;
  const bool two = settings.twoPlaneMode == 1;
  const int firstSide = two ? 0 : 1;

  // Dials, then what sits on them.
  for (int side = firstSide; side < 2; ++side) AddDial(out, side, two, zones);
  // Markers and placements. In single-plane mode the dial lies under the
  // status field: they go over its background, under its text.
  std::vector<DrawItem> marks;
  for (int side = firstSide; side < 2; ++side) {
    const SideCorrection& sc = side == 0 ? result.left : result.right;
    if (!in.readingsPresent) continue;
    AddMarker(marks, side, two, sc.plane.displayAngle);
    std::vector<PlacementCircle> circles = PlacementCircles(sc, side, two);
    for (size_t i = 0; i < circles.size(); ++i) {
      const bool selected = sc.method == CorrectionMethod::kSlug && in.selectedSlugSide == side &&
                            in.selectedSlugIndex == static_cast<int>(i);
      marks.push_back(Circle(circles[i].x, circles[i].y, circles[i].r, kDialOutline, 1.35, true,
                             selected ? kPanelRed : kPlacementFill));
    }
    for (const PlacementCircle& c : RemainderCircles(sc, side, two)) {
      marks.push_back(Circle(c.x, c.y, c.r, kDialOutline, 1.35, true, kWhite));
    }
  }
  if (CurrentPositionShown(in)) {
    const int angle = WholeDegrees(in.currentAngle);
    for (int side = firstSide; side < 2; ++side) marks.push_back(PositionTick(side, two, angle));
  }

  if (two) out.insert(out.end(), marks.begin(), marks.end());

  // Status field.
  DrawItem field;
  field.kind = DrawKind::kFillRect;
  const int statusShift = StatusFieldShift(two);
  field.x = kStatusFieldX + statusShift;
  field.y = kStatusFieldY;
  field.w = kStatusFieldWidth;
  field.h = kStatusFieldHeight;
  field.fill = kPanelStatusFill;
  field.filled = true;
  out.push_back(field);
  if (!two) out.insert(out.end(), marks.begin(), marks.end());
  StatusFieldView status =
      DecideStatusField(in.connected, in.currentAngle, in.spinRunning, in.freeRun);
  if (status.drawText) {
    out.push_back(Text(kStatusTextX + statusShift, kStatusTextY + 24, status.text,
                       kStatusFontHeight, kStatusFontWeight, status.red ? kPanelRed : kPanelText));
  }

  // Correction texts and plane labels under the dials.
  for (int side = firstSide; side < 2; ++side) {
    const SideCorrection& sc = side == 0 ? result.left : result.right;
    const double cx = DialCentreX(side, two);
    if (two) out.push_back(Text(cx, 498, side == 0 ? "Left Plane" : "Right Plane", 21, 600));
    out.push_back(Text(cx, 521, "Unbalance", 19, 400));
    if (in.readingsPresent && !sc.text.empty()) {
      out.push_back(Text(cx, 548, sc.text, 24, 600, ColourOf(sc.colour)));
    }
  }

  // Speed scale: six ticks, 200 rpm apart.
  {
    // Single-plane mode centres the dial; the scale moves to the free left.
    const double x0 = two ? 460 : 152;
    DrawItem line;
    line.kind = DrawKind::kFillRect;
    line.x = x0;
    line.y = 520;
    line.w = 220;
    line.h = 2;
    line.filled = true;
    line.fill = kPanelScaleNumber;
    out.push_back(line);
    for (int i = 0; i < 6; ++i) {
      DrawItem tick = line;
      tick.x = x0 + 44 * i - 1;
      tick.y = 510;
      tick.w = 2;
      tick.h = 10;
      out.push_back(tick);
      char label[16];
      std::snprintf(label, sizeof label, "%d", 2 * i + in.speedRange);
      out.push_back(Text(x0 + 44 * i, 508, label, 19, 600, kPanelScaleNumber));
    }
    out.push_back(Text(x0 + 110, 545, "RPM X 100", 19, 600, kPanelScaleNumber));
  }

  if (two) {
    for (int side = 0; side < 2; ++side) {
      const double cx = DialCentreX(side, two);
      out.push_back(Text(cx, 229, "Correction", 19, 600));
      out.push_back(Text(cx, 253, "Radius", 19, 600));
    }
    out.push_back(Text(314, 590, "Offset", 19, 600));
    out.push_back(Text(824, 590, "Offset", 19, 600));
    // Inside the field's top: the logo sits right above it.
    if (!in.freeRun) out.push_back(Text(kStatusTextX, 106, "Current Position", 19, 400));
  }
  if (settings.suspension == 1) {
    const char* unit = settings.lengthUnit == 1 ? "Kg" : "Lbs.";
    const bool single = !two;
    out.push_back(Text(single ? 275 - 24 : 275, 570, unit, 19, 600, kPanelUnitLabel));
    out.push_back(Text(single ? 872 - 24 : 872, 570, unit, 19, 600, kPanelUnitLabel));
  }

  // Couple forces (single-plane results).
  if (settings.showCoupleForces == 1 && !two && in.readingsPresent) {
    const double radius = result.right.radius > 0.001 ? result.right.radius : 0.001;
    const SinglePlaneResult& s = result.single;
    const int unit = settings.weightUnit;
    out.push_back(Text(180, 200, "Static Unbalance", 21, 600));
    out.push_back(
        Text(180, 226, AmountText(s.staticMoment / radius, s.staticAngle, unit, false), 19, 400));
    out.push_back(Text(180, 270, "Left Couple", 21, 600));
    out.push_back(Text(
        180, 296, AmountText(s.coupleHalfMoment / radius, s.coupleAngle, unit, false), 19, 400));
    out.push_back(Text(180, 340, "Right Couple", 21, 600));
    out.push_back(Text(180, 366,
                       AmountText(s.coupleHalfMoment / radius, s.coupleOppositeAngle, unit, false),
                       19, 400));
  }

  // Add mode notes by the Add buttons.
  for (int side = firstSide; side < 2; ++side) {
    const bool add = side == 0 ? in.addLeft : in.addRight;
    if (!add) continue;
    const double x = side == 0 ? 60 : (two ? 1090 : 954);
    out.push_back(Text(x, 178, "Add Mode is", 19, 400));
    out.push_back(Text(x, 198, "Overriding", 19, 400));
    out.push_back(Text(x, 218, "Heavy Metal", 19, 400));
  }

  // What the slugs leave behind.
  for (int side = firstSide; side < 2; ++side) {
    const SideCorrection& sc = side == 0 ? result.left : result.right;
    const bool add = side == 0 ? in.addLeft : in.addRight;
    if (!in.readingsPresent || !sc.plane.outsideZone || add || sc.slugs.extraWeight == 0.0) {
      continue;
    }
    const double cx = DialCentreX(side, two);
    const Rgb colour = sc.slugs.extraInZone ? kPanelText : kPanelRed;
    std::string amount = settings.weightUnit == 1
                             ? Format1("%1.1f oz", sc.slugs.extraWeight / 28.349525)
                             : Format1("%1.0f gm", sc.slugs.extraWeight);
    char at[24];
    std::snprintf(at, sizeof at, "at %d", sc.slugs.extraAngle);
    out.push_back(Text(cx, 388, "Projection", 19, 600, colour));
    out.push_back(Text(cx, 410, amount, 19, 600, colour));
    out.push_back(Text(cx, 432, at, 19, 600, colour));
    // How the remainder is drilled, or why it cannot be; a little smaller,
    // so that the line stays inside the rim this close to the dial's foot.
    if (!sc.remainderText.empty()) {
      out.push_back(Text(cx, 452, sc.remainderText, 17, 600, ColourOf(sc.remainderColour)));
    }
  }

  // Logo, shaft and the Add lamps.
  out.push_back(Bitmap(two ? 549 : 549 - 366, 30, 42, 42, "ttlogo"));
  out.push_back(Bitmap(406, 552, 328, 76, "shaft"));
  if (two) out.push_back(Bitmap(55, 129, 25, 25, in.addLeft ? "ledon" : "ledoff"));
  out.push_back(Bitmap(two ? 1082 : 944, 129, 25, 25, in.addRight ? "ledon" : "ledoff"));

  if (settings.rightUprightReversed == 1) {
    if (two) {
      out.push_back(Text(1070, 470, "Right Upright", 19, 600, kPanelRed));
      out.push_back(Text(1070, 490, "Reversed", 19, 600, kPanelRed));
    } else {
      out.push_back(Text(570, 575, "Right Upright Reversed", 19, 600, kPanelRed));
    }
  }

  const char* reluctor = ReluctorName(settings.reluctorType);
  if (settings.reluctorType > 0 && reluctor[0] != '\0') {
    char line[96];
    if (two) {
      std::snprintf(line, sizeof line, "Warning - %s Reluctor Simulator ON", reluctor);
      out.push_back(Text(300, 26, line, 19, 600, kPanelRed));
    } else {
      std::snprintf(line, sizeof line, "%s Reluctor Simulator ON", reluctor);
      out.push_back(Text(180, 110, "Warning", 19, 600, kPanelRed));
      out.push_back(Text(180, 132, line, 19, 600, kPanelRed));
    }
  }
  return out;
}

DesignRect PlaneArea(int side, bool twoPlaneMode) {
  // The dial with its texts, and the lamp and Add note by that side's button.
  if (!twoPlaneMode) return {150, 20, 986, 545};
  return side == 0 ? DesignRect{0, 20, 470, 545} : DesignRect{668, 20, 468, 545};
}

DesignRect SpeedArea(bool twoPlaneMode) {
  // The live speed bar takes the resting scale's place between the dials
  // (left of the centred dial in single-plane mode), so it never covers the
  // correction texts under the dials while the shaft runs.
  return twoPlaneMode ? DesignRect{450, 486, 240, 64} : DesignRect{142, 486, 240, 64};
}

bool CurrentPositionShown(const DisplayInputs& in) {
  return in.connected && !in.spinRunning && !in.freeRun;
}

DesignRect CurrentPositionArea(int side, bool twoPlaneMode, int angle) {
  DrawItem t = PositionTick(side, twoPlaneMode, WholeDegrees(angle));
  double left = t.px[0], right = t.px[0], top = t.py[0], bottom = t.py[0];
  for (int i = 1; i < 3; ++i) {
    left = std::fmin(left, t.px[i]);
    right = std::fmax(right, t.px[i]);
    top = std::fmin(top, t.py[i]);
    bottom = std::fmax(bottom, t.py[i]);
  }
  // A margin for the pen and for rounding once scaled.
  const int x = static_cast<int>(std::floor(left)) - 3;
  const int y = static_cast<int>(std::floor(top)) - 3;
  return {x, y, static_cast<int>(std::ceil(right)) + 3 - x,
          static_cast<int>(std::ceil(bottom)) + 3 - y};
}

}  // namespace balancer

namespace balancer {

CurrentResult CurrentResultOf(const CorrectionResult& result, const PlaneReading& left,
                              const PlaneReading& right) {
  CurrentResult c;
  c.leftMoment = result.left.plane.moment;
  c.leftAngle = result.left.plane.displayAngle;
  c.leftRadius = result.left.radius;
  c.rightMoment = result.right.plane.moment;
  c.rightAngle = result.right.plane.displayAngle;
  c.rightRadius = result.right.radius;
  c.leftReadingMoment = left.amount;
  c.rightReadingMoment = right.amount;
  return c;
}

}  // namespace balancer
