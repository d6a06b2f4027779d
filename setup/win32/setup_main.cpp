// Entry point of setup.exe, run from the installation medium (setuplist.txt
// and the files it names are read from the current folder).
#include <windows.h>

#include "setup/win32/setup_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  static balancer::SetupWindowState state;
  state.instance = instance;
  if (!balancer::RegisterSetupWindowClasses(instance)) return 1;
  if (balancer::CreateSetupWindow(state) == nullptr) return 1;
  MSG msg;
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (state.splash != nullptr) DeleteObject(state.splash);
  return static_cast<int>(msg.wParam);
}
