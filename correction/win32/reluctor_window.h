// The "Reluctor Simulator" window (ScreenCode "r").
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

HWND OpenReluctorWindow(const ScreenContext& context);

}  // namespace balancer
