// Entry point of usbprep32.exe and usbprep64.exe: one window, no arguments.
#include <windows.h>

#include "usbprep/win32/usbprep_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Lives as long as the worker may touch it: to the end of the process.
  static balancer::UsbPrepWindowState state;
  state.instance = instance;
  if (!balancer::RegisterUsbPrepWindowClass(instance)) return 1;
  if (balancer::CreateUsbPrepWindow(state) == nullptr) return 1;
  MSG msg;
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
