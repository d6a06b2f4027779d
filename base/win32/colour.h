// The one conversion of the program's colours to the colours GDI draws with.
#pragma once

#include <windows.h>

#include "base/machine_settings.h"
#include "base/operator_message.h"

namespace balancer {

inline COLORREF ColourRef(const Rgb& c) {
  return RGB(c.r, c.g, c.b);
}

// The header text colours of the settings.
inline COLORREF ColourRef(const HeaderRgb& c) {
  return RGB(c.r, c.g, c.b);
}

}  // namespace balancer
