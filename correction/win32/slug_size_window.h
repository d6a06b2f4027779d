// The "Heavy Metal Size Selection" window (class "smsclass", ScreenCode "p"),
// opened over Heavy Metal Setup.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

constexpr const char* kSlugSizeWindowClass = "smsclass";

HWND OpenSlugSizeWindow(const ScreenContext& context);

}  // namespace balancer
