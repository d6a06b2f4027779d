// Unbalance History ("childclass", title "Unbalance History", ScreenCode
// 'y'): the records of the job with Clear, Save, Load, Print and Exit. The
// main window opens it with its History command and the Y key.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

HWND OpenHistoryWindow(const ScreenContext& context);

}  // namespace balancer
