// The Indicator ("childclass", title "Indicator", ScreenCode 'e'): the option
// encoder's position against a ruler with the planned depths of one side.
// The main window opens it with its Indicator command and the C key while an
// option encoder is present and the control connected; its timer reads the
// position while the window is open.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

// Null when the control is not connected or the window could not be made.
HWND OpenIndicatorWindow(const ScreenContext& context);

}  // namespace balancer
