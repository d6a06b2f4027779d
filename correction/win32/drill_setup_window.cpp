#include "correction/win32/drill_setup_window.h"

#include <memory>

#include "correction/drill_setup_screen.h"
#include "correction/screen_ids.h"
#include "correction/win32/model_screen_window.h"

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

// Two-plane: the left side in the first column, the right in the second.
const std::vector<ItemPlace> kTwoPlanePlaces = {
    {320, kFirstColumnX, kRowY[0], kBoxW, kBoxH},
    {321, kSecondColumnX, kRowY[0], kBoxW, kBoxH},
    {147, kFirstColumnX, kRowY[1], kBoxW, kBoxH},
    {148, kSecondColumnX, kRowY[1], kBoxW, kBoxH},
    {100, kFirstColumnX, kRowY[2], kBoxW, kBoxH},
    {101, kSecondColumnX, kRowY[2], kBoxW, kBoxH},
    {145, kFirstColumnX, kRowY[3], kBoxW, kBoxH},
    {146, kSecondColumnX, kRowY[3], kBoxW, kBoxH},
    {kIdMaterial, 20, 280, 160, 40},
    {kIdRadialComp, 20, 330, 240, 40},
    {kIdExit, 870, 380, 100, 40},
};
// Single-plane: the right side only, in the first column.
const std::vector<ItemPlace> kSinglePlanePlaces = {
    {102, kFirstColumnX, kRowY[0], kBoxW, kBoxH},
    {148, kFirstColumnX, kRowY[1], kBoxW, kBoxH},
    {101, kFirstColumnX, kRowY[2], kBoxW, kBoxH},
    {146, kFirstColumnX, kRowY[3], kBoxW, kBoxH},
    {kIdMaterial, 20, 280, 160, 40},
    {kIdRadialComp, 20, 330, 240, 40},
    {kIdExit, 460, 380, 100, 40},
};
// "Left", "Right", "Drill Diameter", "Shaft Radius", "Correction Rad."
const std::vector<ItemPlace> kTwoPlaneTexts = {{0, kFirstColumnX + 10, 25, 0, 0},
                                               {0, kSecondColumnX + 10, 25, 0, 0},
                                               {0, 20, kRowY[0] + 6, 0, 0},
                                               {0, 20, kRowY[1] + 6, 0, 0},
                                               {0, 20, kRowY[2] + 6, 0, 0}};
const std::vector<ItemPlace> kSinglePlaneTexts = {{0, kFirstColumnX + 10, 25, 0, 0},
                                                  {0, kFirstColumnX + 10, 25, 0, 0},
                                                  {0, 20, kRowY[0] + 6, 0, 0},
                                                  {0, 20, kRowY[1] + 6, 0, 0},
                                                  {0, 20, kRowY[2] + 6, 0, 0}};

// Window sizes by mode; the window stays inside the design space.
constexpr int kTwoPlaneWidth = 1000;
constexpr int kSinglePlaneWidth = 590;
constexpr int kWindowHeight = 470;

class DrillSetupWindow : public ModelScreen {
 public:
  explicit DrillSetupWindow(const ScreenContext& context)
      : ModelScreen(context), model_(*context.kit.settings, context.correction) {}
  char Code() const override { return 'd'; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  const std::vector<ItemPlace>& Places() const override {
    return TwoPlane() ? kTwoPlanePlaces : kSinglePlanePlaces;
  }
  const std::vector<ItemPlace>& TextPlaces() const override {
    return TwoPlane() ? kTwoPlaneTexts : kSinglePlaneTexts;
  }
  void OnCommand(int id) override { Apply(model_.Press(id)); }
  void OnChar(int character) override { Apply(model_.Key(character)); }
  void OnCloseRequest() override { Apply(model_.Press(kIdExit)); }

 private:
  // The mode cannot change while the screen is open (the main window is
  // disabled under it).
  bool TwoPlane() const { return context().kit.settings->twoPlaneMode != 0; }

  DrillSetupScreen model_;
};

}  // namespace

HWND OpenDrillSetupWindow(const ScreenContext& context) {
  if (context.kit.settings == nullptr) return nullptr;
  const int width = context.kit.settings->twoPlaneMode != 0 ? kTwoPlaneWidth : kSinglePlaneWidth;
  return OpenChildScreen(std::make_unique<DrillSetupWindow>(context), "Drill Setup",
                         WS_CAPTION | WS_SYSMENU, (1280 - width) / 2, 110, width, kWindowHeight);
}

}  // namespace balancer
