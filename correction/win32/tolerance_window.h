// The "Tolerance Calculation" window (ScreenCode "t").
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

HWND OpenToleranceWindow(const ScreenContext& context);

}  // namespace balancer
