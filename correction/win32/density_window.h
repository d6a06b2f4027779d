// The "Heavy Metal Density" window (class "HMDensityClass", ScreenCode "D"),
// opened over Heavy Metal Setup.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

constexpr const char* kDensityWindowClass = "HMDensityClass";

HWND OpenDensityWindow(const ScreenContext& context);

}  // namespace balancer
