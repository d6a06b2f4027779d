#include "base/win32/window_class.h"

#include "resources/resource_ids.h"

namespace balancer {

bool RegisterClassOnce(HINSTANCE instance, const WindowClassInfo& info) {
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, info.name, &existing)) return true;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = info.style;
  wc.lpfnWndProc = info.proc;
  wc.hInstance = instance;
  if (info.icons) {
    wc.hIcon = LoadIconA(instance, BALANCER_RESOURCE_NAME(RES_LARGE_ICON));
    wc.hIconSm = LoadIconA(instance, BALANCER_RESOURCE_NAME(RES_SMALL_ICON));
  }
  wc.hCursor = LoadCursor(nullptr, info.cursor);
  wc.hbrBackground = info.solid != CLR_INVALID ? CreateSolidBrush(info.solid) : info.background;
  wc.lpszClassName = info.name;
  return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace balancer
