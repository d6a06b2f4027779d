// One way to register the program's window classes: the program's icons,
// instance and the class style of its windows, registered once per process
// (a second call finds the class there).
#pragma once

#include <windows.h>

namespace balancer {

constexpr UINT kProgramClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_BYTEALIGNCLIENT;

struct WindowClassInfo {
  const char* name = nullptr;
  WNDPROC proc = nullptr;
  HBRUSH background = nullptr;   // a stock or system brush
  COLORREF solid = CLR_INVALID;  // or a solid colour, made once for the whole run
  UINT style = kProgramClassStyle;
  LPCSTR cursor = IDC_ARROW;
  bool icons = true;  // "lgicon" and "smicon"
};

// True when the class exists now (registered here or before).
bool RegisterClassOnce(HINSTANCE instance, const WindowClassInfo& info);

}  // namespace balancer
