// Dimension Presets ("childclass", title "Dimension Presets", ScreenCode
// 'j'): the shaft's dimensions in value boxes under a toolbar with
// "Clear All ", "Open", "Save" and "Exit". The main window opens it with its
// Presets command and the R key.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

HWND OpenPresetsWindow(const ScreenContext& context);

}  // namespace balancer
