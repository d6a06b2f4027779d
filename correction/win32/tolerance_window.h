// The "Tolerance Calculation" window (ScreenCode "t").
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

// Over `parent` when given (Machine Setup), else over the main window.
HWND OpenToleranceWindow(const ScreenContext& context, ChildScreen* parent = nullptr);

}  // namespace balancer
