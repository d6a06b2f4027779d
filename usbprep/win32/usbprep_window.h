// The driver pre-installer's window ("blankclass", "Balancer Setup").
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>

#include "usbprep/usbprep_screen.h"
#include "usbprep/win32/installer_paint.h"

namespace balancer {

struct UsbPrepWindowState {
  HINSTANCE instance = nullptr;
  HWND hwnd = nullptr;
  HWND ok = nullptr;
  InstallerFonts fonts;
  // Written by the worker (result first, then the state), read when painting.
  std::atomic<int> state{static_cast<int>(PrepState::kUnplug)};
  std::atomic<uint32_t> result{0};
  bool failureTold = false;
  // The pre-install the worker runs; the real one unless a test swaps it.
  std::function<uint32_t()> preinstall;
};

bool RegisterUsbPrepWindowClass(HINSTANCE instance);

// Creates and shows the window centred on the screen. Null on failure.
HWND CreateUsbPrepWindow(UsbPrepWindowState& state);

}  // namespace balancer
