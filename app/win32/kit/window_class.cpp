#include "app/win32/kit/window_class.h"

#include "resources/resource_ids.h"

namespace balancer {

bool RegisterClassOnce(HINSTANCE instance, const WindowClassSpec& spec) {
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, spec.name, &existing)) return true;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = spec.style;
  wc.lpfnWndProc = spec.proc;
  wc.hInstance = instance;
  if (spec.icons) {
    wc.hIcon = LoadIconA(instance, BALANCER_RESOURCE_NAME(RES_LARGE_ICON));
    wc.hIconSm = LoadIconA(instance, BALANCER_RESOURCE_NAME(RES_SMALL_ICON));
  }
  wc.hCursor = LoadCursor(nullptr, spec.cursor);
  wc.hbrBackground = spec.solid != CLR_INVALID ? CreateSolidBrush(spec.solid) : spec.background;
  wc.lpszClassName = spec.name;
  return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace balancer
