// The "Adjust" window (ScreenCode "a"): the holes or slugs of one side moved,
// set, added and deleted by hand.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"
#include "correction/plane_transform.h"

namespace balancer {

// Opens Adjust on `side` and reruns the corrections (a single hole is split
// on opening).
HWND OpenAdjustWindow(const ScreenContext& context, Side side);

// Whether the open Adjust window has its low-level mouse hook installed.
bool AdjustMouseHookInstalled();

// What the hook posts to the window for a left press (lParam: the press's
// screen x and y as two shorts).
constexpr UINT kAdjustDialPress = WM_APP + 32;

}  // namespace balancer
