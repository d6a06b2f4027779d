// The one conversion of the program's colours to the colours GDI draws with.
#pragma once

#include <windows.h>

#include "base/operator_message.h"

namespace balancer {

inline COLORREF ColourRef(const Rgb& c) {
  return RGB(c.r, c.g, c.b);
}

}  // namespace balancer
