// The "Drill Setup" window (ScreenCode "d").
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

HWND OpenDrillSetupWindow(const ScreenContext& context);

}  // namespace balancer
