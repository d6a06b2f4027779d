// The main screen's picture buttons and value boxes: made once with the
// window, moved and shown or hidden with the balancing mode.
#include "app/main_commands.h"
#include "app/screen_scale.h"
#include "app/win32/kit/value_box.h"
#include "app/win32/main_parts.h"
#include "app/win32/main_window.h"
#include "app/win32/main_window_ids.h"
#include "app/win32/unbalance_display.h"

namespace balancer {

namespace {

constexpr int kDrillPointBesideIndicatorX = 459;

}  // namespace

void PlaceMainButtons(MainWindowState& state) {
  const float s = state.screenScale;
  const bool two = TwoPlane(state);
  for (const MainButton& b : MainButtons(SettingsOf(state).speedControl)) {
    HWND button = ButtonOf(state, b.id);
    if (button == nullptr) continue;
    int x = two ? b.x : b.singleX;
    // The Indicator button takes the right half of the Drill Point place.
    if (b.id == kCmdDrillPoint && two && state.indicatorAvailable) x = kDrillPointBesideIndicatorX;
    const int y = two ? b.y : b.singleY;
    MoveWindow(button, Scaled(x, s), Scaled(y, s), Scaled(b.width, s), Scaled(b.height, s), TRUE);
    bool shown = b.shownAtStart;
    if (b.id == kCmdAddLeft) shown = two;
    if (b.id == kCmdIndicator) shown = state.indicatorAvailable;
    ShowWindow(button, shown ? SW_SHOW : SW_HIDE);
  }
}

void CreateButtons(MainWindowState& state) {
  const float s = state.screenScale;
  for (const MainButton& b : MainButtons(SettingsOf(state).speedControl)) {
    HWND button = CreateWindowExA(0, "BUTTON", "hdbubmp", WS_CHILD | BS_BITMAP, Scaled(b.x, s),
                                  Scaled(b.y, s), Scaled(b.width, s), Scaled(b.height, s),
                                  state.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)),
                                  state.instance, nullptr);
    HBITMAP face = state.res.faces[b.id];
    if (b.id == kCmdSpin && SettingsOf(state).speedControl != 1) face = state.res.acquireFace;
    SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(face));
    state.buttons[b.id] = button;
  }
  PlaceMainButtons(state);
}

namespace {

// Where each box stands in two-plane mode (x, y) and in single-plane mode.
struct BoxPlace {
  int id, x, y, w, h, singleX, singleY;
  bool twoPlaneOnly;
};

std::vector<BoxPlace> BoxPlaces() {
  const int dialTop = kDialTop;
  return {
      {kMainBoxRadiusLeft, kLeftDialX - 48, dialTop - 16, 96, 30, kLeftDialX - 48, dialTop - 16,
       true},
      {kMainBoxRadiusRight, kRightDialX - 48, dialTop - 16, 96, 30, kRightDialX - 48 - 308,
       dialTop - 16, false},
      {kMainBoxPlaneOffsetLeft, 260, 592, 108, 30, 260, 592, true},
      {kMainBoxPlaneOffsetRight, 770, 592, 108, 30, 770, 592, true},
      {kMainBoxUprightDistance, 511, 630, 118, 30, 511, 630, true},
      {kMainBoxSideWeightLeft, 175, 592, 72, 30, 234, 598, false},
      {kMainBoxSideWeightRight, 891, 592, 72, 30, 834, 598, false},
  };
}

}  // namespace

void PlaceBoxes(MainWindowState& state) {
  const float s = state.screenScale;
  const bool two = TwoPlane(state);
  for (const BoxPlace& b : BoxPlaces()) {
    HWND box = GetDlgItem(state.hwnd, b.id);
    if (box == nullptr) continue;
    MoveWindow(box, Scaled(two ? b.x : b.singleX, s), Scaled(two ? b.y : b.singleY, s),
               Scaled(b.w, s), Scaled(b.h, s), TRUE);
    ShowWindow(box, (!b.twoPlaneOnly || two) ? SW_SHOW : SW_HIDE);
  }
}

void CreateBoxes(MainWindowState& state) {
  if (state.kit == nullptr) return;  // boxes edit through the kit
  for (const BoxPlace& b : BoxPlaces()) {
    HWND box = CreateValueBox(state.hwnd, b.id, b.x, b.y, b.w, b.h, state.screenScale);
    if (box != nullptr && b.twoPlaneOnly) ShowWindow(box, SW_HIDE);
  }
  PlaceBoxes(state);
}

}  // namespace balancer
