#include "app/display_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/unit_text.h"

namespace balancer {
namespace {

const DrawItem* FindText(const std::vector<DrawItem>& items, const std::string& text) {
  for (const DrawItem& d : items) {
    if (d.kind == DrawKind::kText && d.text == text) return &d;
  }
  return nullptr;
}

// Unbalance markers; the current-position ticks are triangles in the text colour.
int CountUnbalanceMarkers(const std::vector<DrawItem>& items) {
  int n = 0;
  for (const DrawItem& d : items) n += d.kind == DrawKind::kTriangle && !(d.fill == kPanelText);
  return n;
}

struct DisplayFixture : ::testing::Test {
  MachineSettings settings;
  CorrectionResult result;
  CorrectionZones zones;
  DisplayInputs in;
  void SetUp() override {
    in.connected = true;
    in.currentAngle = 90;
    in.readingsPresent = true;
    result.left.text = "Drill 0.233\" deep at 30\xB0";
    result.right.text = "In Tolerance";
    result.right.colour = TextColour::kTolerance;
  }
  // The items live in the fixture, so a found item stays valid until the
  // next Build().
  const std::vector<DrawItem>& Build() {
    items = BuildDisplay(settings, result, zones, in);
    return items;
  }
  std::vector<DrawItem> items;
};

TEST_F(DisplayFixture, StatusFieldShowsAngleRedAtQuarterAndNoHardwareOffline) {
  const DrawItem* angle = FindText(Build(), "90\xB0");
  ASSERT_NE(angle, nullptr);
  EXPECT_TRUE(angle->colour == kPanelRed);
  in.currentAngle = 91;
  angle = FindText(Build(), "91\xB0");
  ASSERT_NE(angle, nullptr);
  EXPECT_TRUE(angle->colour == kPanelText);
  in.connected = false;
  auto items = Build();
  const DrawItem* none = FindText(items, "No Hardware");
  ASSERT_NE(none, nullptr);
  EXPECT_TRUE(none->colour == kPanelRed);
  EXPECT_EQ(none->fontHeight, 27);
  EXPECT_EQ(none->x, 570);
}

TEST_F(DisplayFixture, SpeedBarLeavesTheCorrectionTextsVisible) {
  for (int two = 0; two < 2; ++two) {
    settings.twoPlaneMode = two;
    DesignRect bar = SpeedArea(two == 1);
    for (const DrawItem& d : Build()) {
      if (d.kind != DrawKind::kText || d.text != result.right.text) continue;
      // Texts are centred; a long line still ends well before the bar.
      const bool apart = d.x - 150 >= bar.x + bar.w || d.x + 150 <= bar.x;
      EXPECT_TRUE(apart) << "two-plane " << two;
    }
  }
}

TEST_F(DisplayFixture, SinglePlaneMovesTheStatusFieldOffTheCentredDial) {
  settings.twoPlaneMode = 0;
  const DrawItem* angle = FindText(Build(), "90\xB0");
  ASSERT_NE(angle, nullptr);
  EXPECT_EQ(angle->x, 570 - 366);
  // Nothing of the field may reach the centred dial (centre 570, radius 195).
  for (const DrawItem& d : Build()) {
    if (d.kind == DrawKind::kFillRect && d.fill == kPanelStatusFill && d.y == 84) {
      EXPECT_LE(d.x + d.w, 570 - 195);
    }
  }
}

TEST_F(DisplayFixture, CorrectionTextsCarryTheirColoursAndVanishWithoutReadings) {
  auto items = Build();
  const DrawItem* left = FindText(items, result.left.text);
  const DrawItem* right = FindText(items, "In Tolerance");
  ASSERT_NE(left, nullptr);
  ASSERT_NE(right, nullptr);
  EXPECT_TRUE(left->colour == kPanelText);
  EXPECT_TRUE(right->colour == kPanelTolerance);
  EXPECT_EQ(left->x, kLeftDialX);
  EXPECT_EQ(right->x, kRightDialX);
  in.readingsPresent = false;
  EXPECT_EQ(FindText(Build(), "In Tolerance"), nullptr);
  EXPECT_EQ(CountUnbalanceMarkers(Build()), 0);
}

TEST_F(DisplayFixture, SinglePlaneDrawsOneCentredDialAndNoLeftSide) {
  settings.twoPlaneMode = 0;
  auto items = Build();
  EXPECT_EQ(FindText(items, result.left.text), nullptr);
  EXPECT_EQ(FindText(items, "Left Plane"), nullptr);
  EXPECT_EQ(FindText(items, "Current Position"), nullptr);
  int dials = 0;
  for (const DrawItem& d : items) {
    if (d.kind == DrawKind::kCircle && d.r == kDialRadius) {
      ++dials;
      EXPECT_EQ(d.x, kRightDialX - 308);
    }
  }
  EXPECT_EQ(dials, 1);
  EXPECT_EQ(CountUnbalanceMarkers(items), 1);
}

TEST_F(DisplayFixture, MarkerPointsAtTheRoundedAngleClockwiseFromTheTop) {
  result.left.plane.displayAngle = 89.5;    // rounds to 90: pointing right
  result.right.plane.displayAngle = 359.6;  // rounds to 360, wraps to 0: up
  std::vector<const DrawItem*> markers;
  std::vector<DrawItem> items = Build();
  for (const DrawItem& d : items) {
    if (d.kind == DrawKind::kTriangle && !(d.fill == kPanelText)) markers.push_back(&d);
  }
  ASSERT_EQ(markers.size(), 2u);
  EXPECT_NEAR(markers[0]->px[0], kLeftDialX + kDialRadius - 6, 1e-6);
  EXPECT_NEAR(markers[0]->py[0], kDialY, 1e-6);
  EXPECT_NEAR(markers[1]->px[0], kRightDialX, 1e-6);
  EXPECT_NEAR(markers[1]->py[0], kDialY - kDialRadius + 6, 1e-6);
  EXPECT_TRUE(markers[0]->fill == (Rgb{0, 238, 119}));
  EXPECT_TRUE(markers[1]->fill == (Rgb{255, 255, 102}));
}

std::vector<DrawItem> PositionTicks(const std::vector<DrawItem>& items) {
  std::vector<DrawItem> ticks;
  for (const DrawItem& d : items) {
    if (d.kind == DrawKind::kTriangle && d.fill == kPanelText) ticks.push_back(d);
  }
  return ticks;
}

// The tick sits on the rim at the live angle of every shown dial, and the
// small area the timer repaints must hold all of it (or old ticks are left
// behind when the shaft is turned by hand).
TEST_F(DisplayFixture, CurrentPositionTickFollowsTheAngleOnlyWhileConnectedAndIdle) {
  in.readingsPresent = false;
  for (int two : {1, 0}) {
    settings.twoPlaneMode = two;
    for (int angle : {0, 90, 181, 359}) {
      in.currentAngle = angle;
      std::vector<DrawItem> ticks = PositionTicks(Build());
      ASSERT_EQ(ticks.size(), two ? 2u : 1u) << angle;
      for (size_t i = 0; i < ticks.size(); ++i) {
        const int side = two ? static_cast<int>(i) : 1;
        double x, y;
        DialPoint(DialCentreX(side, two == 1), kDialY, kDialRadius + 1, angle, x, y);
        EXPECT_NEAR(ticks[i].px[0], x, 1e-6) << angle;
        EXPECT_NEAR(ticks[i].py[0], y, 1e-6) << angle;
        const DesignRect r = CurrentPositionArea(side, two == 1, angle);
        const DesignRect plane = PlaneArea(side, two == 1);
        for (int k = 0; k < 3; ++k) {
          EXPECT_GE(ticks[i].px[k], r.x);
          EXPECT_LE(ticks[i].px[k], r.x + r.w);
          EXPECT_GE(ticks[i].py[k], r.y);
          EXPECT_LE(ticks[i].py[k], r.y + r.h);
          // A plane repaint redraws its tick too.
          EXPECT_GE(ticks[i].px[k], plane.x) << angle;
          EXPECT_LE(ticks[i].px[k], plane.x + plane.w) << angle;
        }
        EXPECT_LT(r.w, 40);  // a small area, not the dial
        EXPECT_LT(r.h, 40);
      }
    }
  }
  in.currentAngle = 45;
  in.connected = false;
  EXPECT_TRUE(PositionTicks(Build()).empty());
  in.connected = true;
  in.freeRun = true;
  EXPECT_TRUE(PositionTicks(Build()).empty());
  in.freeRun = false;
  in.spinRunning = true;
  EXPECT_TRUE(PositionTicks(Build()).empty());
}

TEST_F(DisplayFixture, SelectedSlugIsFilledRedAndOnlyIt) {
  result.right.method = CorrectionMethod::kSlug;
  result.right.plane.outsideZone = true;
  for (int i = 0; i < 3; ++i) {
    result.right.slugs.slugs[i].diameter = 0.5;
    result.right.slugs.slugs[i].angle = 0.3 * i;
  }
  in.selectedSlugSide = 1;
  in.selectedSlugIndex = 1;
  int red = 0;
  int placements = 0;
  for (const DrawItem& d : Build()) {
    if (d.kind != DrawKind::kCircle || d.r > 30) continue;
    ++placements;
    red += d.fill == kPanelRed;
  }
  EXPECT_EQ(placements, 3);
  EXPECT_EQ(red, 1);
  EXPECT_EQ(PlacementCircles(result.right, 1, true).size(), 3u);
}

TEST_F(DisplayFixture, ProjectionInUnitsAndRedWhenItCannotBeDrilled) {
  result.left.plane.outsideZone = true;
  result.left.slugs.extraWeight = 56.69905;
  result.left.slugs.extraAngle = 123;
  result.left.slugs.extraInZone = false;
  auto items = Build();
  ASSERT_NE(FindText(items, "Projection"), nullptr);
  const DrawItem* grams = FindText(items, "57 gm");
  ASSERT_NE(grams, nullptr);
  EXPECT_TRUE(grams->colour == kPanelRed);
  EXPECT_NE(FindText(items, "at 123"), nullptr);
  settings.weightUnit = 1;
  result.left.slugs.extraInZone = true;
  const DrawItem* ounces = FindText(Build(), "2.0 oz");
  ASSERT_NE(ounces, nullptr);
  EXPECT_TRUE(ounces->colour == kPanelText);
  in.addLeft = true;  // Add mode hides it and shows the note
  items = Build();
  EXPECT_EQ(FindText(items, "Projection"), nullptr);
  EXPECT_NE(FindText(items, "Overriding"), nullptr);
}

TEST_F(DisplayFixture, TheRemaindersHolesShowUnderTheProjectionInBothModes) {
  zones.zoneStartRight = 30;
  zones.zoneEndRight = 150;
  CorrectionState state;
  state.readingsPresent = true;
  for (int mode = 1; mode >= 0; --mode) {
    SetBalancingMode(settings, mode);
    settings.toleranceMoment = 13.64;
    settings.maxDrillDepthRight = 1.5;
    StoreWorkingRightToSet(settings);
    // Single-plane mode corrects the static sum on the right.
    PlaneReading l{mode ? 100.0 : 500.0, mode ? 45.0 : 270.0}, r{500.0, 270.0};
    result = RunCorrectionPass(l, r, settings, zones, state, nullptr);
    ASSERT_EQ(result.right.method, CorrectionMethod::kSlug) << mode;
    ASSERT_GT(result.right.remainder.holeCount, 0) << mode;
    const DrawItem* projection = FindText(Build(), "Projection");
    ASSERT_NE(projection, nullptr) << mode;
    const DrawItem* drill = FindText(
        items, DrillText(result.right.remainder.holeDepth, result.right.slugs.extraAngle, 0));
    ASSERT_NE(drill, nullptr) << mode;
    EXPECT_EQ(drill->x, projection->x);
    EXPECT_GT(drill->y, projection->y + 60);  // below the amount and the angle
    EXPECT_LT(drill->y, kDialY + kDialRadius);
    EXPECT_TRUE(drill->colour == kPanelText);
    // Its holes on their own ring, inside the slugs'.
    std::vector<PlacementCircle> holes = RemainderCircles(result.right, 1, mode == 1);
    EXPECT_EQ(static_cast<int>(holes.size()), result.right.remainder.holeCount);
    std::vector<PlacementCircle> slugs = PlacementCircles(result.right, 1, mode == 1);
    ASSERT_FALSE(slugs.empty());
    const double cx = DialCentreX(1, mode == 1);
    EXPECT_LT(std::hypot(holes[0].x - cx, holes[0].y - kDialY) + holes[0].r,
              std::hypot(slugs[0].x - cx, slugs[0].y - kDialY) - slugs[0].r);
    EXPECT_GT(std::hypot(holes[0].x - cx, holes[0].y - kDialY) - holes[0].r, kHubRadius);
  }
  // Too shallow to drill it: the notice in red instead.
  settings.maxDrillDepthRight = 0.1;
  StoreWorkingRightToSet(settings);
  PlaneReading l{500.0, 270.0}, r{500.0, 270.0};
  result = RunCorrectionPass(l, r, settings, zones, state, nullptr);
  const DrawItem* notice = FindText(Build(), "Increase drill size or max drill depth");
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(notice->colour == kPanelRed);
  EXPECT_TRUE(RemainderCircles(result.right, 1, false).empty());
}

TEST_F(DisplayFixture, WarningsAndLabelsFollowTheSettings) {
  auto items = Build();
  EXPECT_EQ(FindText(items, "Lbs."), nullptr);
  EXPECT_EQ(FindText(items, "Right Upright"), nullptr);
  for (const DrawItem& d : items) EXPECT_EQ(d.text.find("Reluctor"), std::string::npos);

  settings.suspension = 1;
  settings.rightUprightReversed = 1;
  settings.reluctorType = 1;
  items = Build();
  EXPECT_NE(FindText(items, "Lbs."), nullptr);
  EXPECT_NE(FindText(items, "Reversed"), nullptr);
  EXPECT_NE(FindText(items, "Warning - LS 24x Reluctor Simulator ON"), nullptr);
  settings.lengthUnit = 1;
  settings.twoPlaneMode = 0;
  items = Build();
  EXPECT_NE(FindText(items, "Kg"), nullptr);
  EXPECT_NE(FindText(items, "Right Upright Reversed"), nullptr);
  EXPECT_NE(FindText(items, "LS 24x Reluctor Simulator ON"), nullptr);
  EXPECT_NE(FindText(items, "Warning"), nullptr);
}

TEST_F(DisplayFixture, LampsFollowTheAddToggles) {
  in.addRight = true;
  int on = 0, off = 0;
  for (const DrawItem& d : Build()) {
    if (d.kind != DrawKind::kBitmap) continue;
    on += d.text == "ledon";
    off += d.text == "ledoff";
  }
  EXPECT_EQ(on, 1);
  EXPECT_EQ(off, 1);
}

// A side's partial repaint must cover everything drawn for that side.
TEST_F(DisplayFixture, PlaneAreasCoverTheirDialsLampsAndNotes) {
  in.addLeft = in.addRight = true;
  for (int two : {1, 0}) {
    settings.twoPlaneMode = two;
    for (const DrawItem& d : Build()) {
      const bool lamp = d.kind == DrawKind::kBitmap && d.text.rfind("led", 0) == 0;
      const bool note = d.kind == DrawKind::kText && d.text == "Overriding";
      const bool dial = d.kind == DrawKind::kCircle && d.r == kDialRadius;
      if (!lamp && !note && !dial) continue;
      const int side = d.x < 570 && two ? 0 : 1;
      DesignRect r = PlaneArea(side, two == 1);
      const double left = dial ? d.x - d.r : d.x - (note ? 45 : 0);
      const double right = dial ? d.x + d.r : d.x + (note ? 45 : d.w);
      EXPECT_GE(left, r.x) << d.text << " two=" << two;
      EXPECT_LE(right, r.x + r.w) << d.text << " two=" << two;
    }
  }
}

TEST_F(DisplayFixture, ZonePieRunsUpFromItsStartThroughZero) {
  zones.zoneStartLeft = 300;
  zones.zoneEndLeft = 40;
  int pies = 0;
  for (const DrawItem& d : Build()) {
    if (d.kind != DrawKind::kPie) continue;
    ++pies;
    EXPECT_EQ(d.a0, 300);
    EXPECT_EQ(d.a1, 400);
  }
  EXPECT_EQ(pies, 1);  // the right side has no zone
}

TEST(DisplayTolerance, SinglePlaneAlsoJudgesLeftAndStatic) {
  MachineSettings s;
  s.toleranceMoment = 10;
  CorrectionResult r;
  DisplayInputs in;
  in.rightReadingMoment = 5;
  in.leftReadingMoment = 20;
  r.twoPlaneMode = true;
  EXPECT_FALSE(OutOfTolerance(s, r, in));
  r.twoPlaneMode = false;
  EXPECT_TRUE(OutOfTolerance(s, r, in));
  in.leftReadingMoment = 5;
  r.single.staticMoment = 11;
  EXPECT_TRUE(OutOfTolerance(s, r, in));
}

}  // namespace
}  // namespace balancer
