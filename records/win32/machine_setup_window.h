// Machine Setup ("childclass", title "Machine Setup", ScreenCode 'm'): the
// machine, unit and entry settings. The main window opens it with its
// Settings command and the M and E keys.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

HWND OpenMachineSetupWindow(const ScreenContext& context);

}  // namespace balancer
