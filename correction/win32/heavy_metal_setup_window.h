// The "Heavy Metal Setup" window (ScreenCode "h"); its "Auto Select" and
// "Heavy Metal Density" buttons open the size selection and density windows
// over it.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

HWND OpenHeavyMetalSetupWindow(const ScreenContext& context);

}  // namespace balancer
