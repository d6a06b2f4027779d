// Painting the main window: the display model drawn over the work area,
// and the spin status line over it while a spin runs.
#include "app/win32/main_parts.h"
#include "app/win32/main_spin.h"
#include "app/win32/main_window.h"
#include "app/win32/unbalance_display.h"

namespace balancer {

namespace {

DisplayInputs DisplayInputsOf(MainWindowState& state) {
  DisplayInputs in;
  in.connected = MainConnected(state);
  if (!in.connected) state.currentAngle = 0;
  in.currentAngle = state.currentAngle;
  in.spinRunning = state.spinRunning;
  in.freeRun = state.freeRun;
  in.speedRange = state.speedRange;
  in.readingsPresent = state.correction.readingsPresent;
  in.addLeft = state.correction.add[0];
  in.addRight = state.correction.add[1];
  in.selectedSlugSide = state.correction.selectedSlugSide;
  in.selectedSlugIndex = state.correction.selectedSlugIndex;
  in.leftReadingMoment = state.left.amount;
  in.rightReadingMoment = state.right.amount;
  return in;
}

}  // namespace

void PaintMainWindow(MainWindowState& state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(state.hwnd, &ps);
  DisplayInputs in = DisplayInputsOf(state);
  std::vector<DrawItem> items = BuildDisplay(SettingsOf(state), state.result, state.zones, in);
  if (!state.statusHint.empty() && !state.spinRunning) {
    DrawItem hint;
    const bool two = state.settings == nullptr || state.settings->twoPlaneMode == 1;
    hint.x = kStatusTextX + StatusFieldShift(two);
    hint.y = kStatusFieldY + kStatusFieldHeight + 15;  // under the field
    hint.text = state.statusHint;
    hint.fontHeight = 14;
    hint.fontWeight = 400;
    hint.colour = kPanelText;
    items.push_back(hint);
  }
  PaintDisplay(dc, items, state.res, state.screenScale);
  state.displayedAngle = state.currentAngle;
  state.displayedConnected = MainConnected(state) ? 1 : 0;
  state.displayedPosition = CurrentPositionShown(in) ? state.currentAngle : -1;
  EndPaint(state.hwnd, &ps);
  if (state.spinRunning) DrawSpinStatusNow(state, state.spinStatus);
}

}  // namespace balancer
