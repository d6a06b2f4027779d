// The "Correction Zone Setup" window (ScreenCode "z").
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

HWND OpenZoneSetupWindow(const ScreenContext& context);

// Whether the open Zone Setup window has its mouse hook on the dials.
bool ZoneSetupMouseHookInstalled();

// What the hook posts to the window for a left press (lParam: the press's
// screen x and y as two shorts).
constexpr UINT kZoneDialPress = WM_APP + 31;

}  // namespace balancer
