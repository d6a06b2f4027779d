// Zero Shaft Position ("childclass", title "Zero Shaft Position", ScreenCode
// '0'): "&Zero" turns the readings and zones with the new zero, "&Sync" keeps
// them where they are on the shaft. The main window opens it with its Zero
// Shaft command and the Z key while the control is connected.
//
// This is the pattern of every screen: a ChildScreen subclass holding the
// window's handles, handlers that forward presses and keys to the portable
// model (app/zero_shaft.h) and draw what it decides, and the main window
// reached only through the context's ScreenHost.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

// Without a zone on either side the shaft is zeroed at once, the corrections
// recomputed, and null is returned; otherwise the window.
HWND OpenZeroShaftWindow(const ScreenContext& context);

}  // namespace balancer
