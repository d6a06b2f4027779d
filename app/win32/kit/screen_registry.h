// Screens opened over another screen by their ScreenCode letter. Each such
// window registers its opener in its own .cpp with REGISTER_SCREEN, so a new
// one needs no header and no edit of the window that opens it. The screen
// libraries are linked whole (cmake/windows.cmake): nothing else refers to a
// registering window, and a plain static link would drop it.
#pragma once

#include <windows.h>

namespace balancer {

class ChildScreen;
struct ScreenContext;

// Opens the screen over `parent` (over the main window when null); null when
// its window could not be made.
using ScreenOpener = HWND (*)(const ScreenContext& context, ChildScreen* parent);

// Registers `open` for `code`. A letter registered twice keeps the first
// opener and gives false, as does code 0 or a null opener.
bool RegisterScreen(char code, ScreenOpener open);

// The opener registered for `code`, or null.
ScreenOpener RegisteredScreen(char code);

// Opens the screen registered for `code` over `parent`; null when there is
// none or its window could not be made.
HWND OpenRegisteredScreen(char code, const ScreenContext& context, ChildScreen* parent);

}  // namespace balancer

#define BALANCER_SCREEN_JOIN2(a, b) a##b
#define BALANCER_SCREEN_JOIN(a, b) BALANCER_SCREEN_JOIN2(a, b)
// One line at namespace scope in the window's .cpp:
//   REGISTER_SCREEN(kScreenTolerance, OpenToleranceWindow);
#define REGISTER_SCREEN(code, opener)                                                   \
  [[maybe_unused]] static const bool BALANCER_SCREEN_JOIN(registeredScreen, __LINE__) = \
      ::balancer::RegisterScreen((code), (opener))
