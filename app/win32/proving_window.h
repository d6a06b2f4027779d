// The "Machine Proving Test" window, opened over Machine Setup by its letter
// (kScreenProving). The main window registers the opener when it makes its
// hosts, so the window is linked in with the shell.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

// Over `parent` when given (Machine Setup), else over the main window; null
// when the window could not be made.
HWND OpenProvingWindow(const ScreenContext& context, ChildScreen* parent);

}  // namespace balancer
