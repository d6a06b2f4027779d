// Bobweight Print Options ("childclass" over Bobweight Calculation,
// ScreenCode 'o'): the print pictures, the two page-two options, the
// condition, radius and tolerance boxes of the card, and Save Changes.
// Closing writes the settings file.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

HWND OpenPrintOptionsWindow(ChildScreen& parent);

}  // namespace balancer
