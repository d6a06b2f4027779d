// Every correction screen places its own items: each code once, each shown
// button with a place of its own inside the design space, no two shown
// buttons over each other, and every shown text placed.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "correction/adjust_screen.h"
#include "correction/density_screen.h"
#include "correction/drill_setup_screen.h"
#include "correction/heavy_metal_setup_screen.h"
#include "correction/reluctor_screen.h"
#include "correction/screen_ids.h"
#include "correction/slug_size_screen.h"
#include "correction/tolerance_screen.h"
#include "correction/zone_setup_screen.h"

namespace balancer {
namespace {

bool Overlap(const DesignBox& a, const DesignBox& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

void ExpectPlaced(const std::string& screen, const std::vector<ScreenItem>& items) {
  std::set<int> ids;
  std::vector<const ScreenItem*> buttons;
  for (const ScreenItem& item : items) {
    if (item.id == 0) {
      if (item.shown) {
        EXPECT_TRUE(item.place.x > 0 || item.place.y > 0) << screen << ": " << item.label;
      }
      continue;
    }
    EXPECT_TRUE(ids.insert(item.id).second) << screen << ": " << item.id << " listed twice";
    // The size selection's check boxes are laid out by their window.
    if (item.id >= kIdSlugSizeFirst || !item.shown) continue;
    const DesignBox& p = item.place;
    EXPECT_GT(p.width, 0) << screen << ": " << item.id;
    EXPECT_GT(p.height, 0) << screen << ": " << item.id;
    EXPECT_LE(p.x + p.width, 1280) << screen << ": " << item.id;
    EXPECT_LE(p.y + p.height, 680) << screen << ": " << item.id;
    buttons.push_back(&item);
  }
  for (size_t i = 0; i < buttons.size(); ++i) {
    for (size_t j = i + 1; j < buttons.size(); ++j) {
      EXPECT_FALSE(Overlap(buttons[i]->place, buttons[j]->place))
          << screen << ": " << buttons[i]->id << " and " << buttons[j]->id;
    }
  }
}

TEST(ScreenPlaces, EveryCorrectionScreenPlacesEachCodeOnceInBothModes) {
  for (int mode : {1, 0}) {
    const std::string m = mode == 1 ? " two-plane" : " single-plane";
    MachineSettings s;
    s.twoPlaneMode = mode;
    CorrectionState state;
    CorrectionZones zones;
    ExpectPlaced("Drill Setup" + m, DrillSetupScreen(s, state).Items());
    ExpectPlaced("Heavy Metal Setup" + m, HeavyMetalSetupScreen(s).Items());
    ExpectPlaced("Density" + m, DensityScreen(s).Items());
    ExpectPlaced("Size Selection" + m, SlugSizeScreen(s, state).Items());
    ExpectPlaced("Zone Setup" + m, ZoneSetupScreen(s, zones).Items());
    ExpectPlaced("Adjust" + m, AdjustScreen(s, state, zones, kRightSide).Items());
    ToleranceCalculator calc;
    ExpectPlaced("Tolerance" + m, ToleranceScreen(s, calc).Items());
    s.reluctorType = kReluctorCustom;
    ExpectPlaced("Reluctor" + m, ReluctorScreen(s).Items());
  }
}

TEST(ScreenPlaces, DrillSetupSinglePlaneMovesTheRightSideIntoTheFirstColumn) {
  MachineSettings s;
  CorrectionState state;
  s.twoPlaneMode = 1;
  const std::vector<ScreenItem> two = DrillSetupScreen(s, state).Items();
  s.twoPlaneMode = 0;
  const std::vector<ScreenItem> single = DrillSetupScreen(s, state).Items();
  // Each right-side box of single-plane stands where its left-side partner
  // stands in two-plane, and the left-side ones get no button.
  const int pairs[][2] = {{102, 320}, {148, 147}, {101, 100}, {146, 145}};
  for (const auto& pair : pairs) {
    const DesignBox& right = FindItem(single, pair[0])->place;
    const DesignBox& left = FindItem(two, pair[1])->place;
    EXPECT_EQ(right.x, left.x) << pair[0];
    EXPECT_EQ(right.y, left.y) << pair[0];
    EXPECT_EQ(FindItem(single, pair[1])->place.width, 0) << pair[1];
  }
  // The row labels stand beside their rows, the column heading over its
  // column, whatever comes before them in the list.
  for (const std::vector<ScreenItem>* items : {&two, &single}) {
    for (const ScreenItem& item : *items) {
      if (item.label == "Shaft Radius") EXPECT_EQ(item.place.y, FindItem(*items, 148)->place.y + 6);
      if (item.label == "Right") EXPECT_EQ(item.place.x, FindItem(*items, 148)->place.x + 10);
    }
  }
}

}  // namespace
}  // namespace balancer
