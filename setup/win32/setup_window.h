// The installer's window ("blankclass", "Balancer Setup"): the splash
// picture with the two versions, Install and Cancel; then the "Warning" or
// "Please Wait" window ("childclass").
#pragma once

#include <windows.h>

#include "usbprep/win32/installer_paint.h"

namespace balancer {

struct SetupWindowState {
  HINSTANCE instance = nullptr;
  HWND hwnd = nullptr;
  HWND child = nullptr;  // "Warning" or "Please Wait"
  HBITMAP splash = nullptr;
  InstallerFonts fonts;
  HPEN framePen = nullptr;
  int versionChoice = 0;
  bool installing = false;
  int windowsMajor = 0;
  int windowsMinor = 0;
};

bool RegisterSetupWindowClasses(HINSTANCE instance);

// Reads the Windows version, loads the splash picture and opens the window
// centred on the screen. Null on failure.
HWND CreateSetupWindow(SetupWindowState& state);

}  // namespace balancer
