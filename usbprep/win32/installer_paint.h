// Drawing shared by the installer windows: the three bold ARIAL fonts and
// texts placed as the portable code says, and the system message boxes.
#pragma once

#include <windows.h>

#include <vector>

#include "usbprep/safety_notice.h"
#include "usbprep/usbprep_screen.h"

namespace balancer {

struct InstallerFonts {
  HFONT large = nullptr;   // 28
  HFONT small = nullptr;   // 20
  HFONT medium = nullptr;  // 24
  void Create();
  void Delete();
  HFONT ForHeight(int height) const;
};

void DrawInstallerTexts(HDC dc, const std::vector<InstallerText>& texts,
                        const InstallerFonts& fonts);

// MessageBoxA with the message's caption, text and icon; returns its answer.
int ShowInstallerMessage(HWND owner, const InstallerMessage& message);

// A window's top-left corner that centres it on the screen.
POINT CentredOnScreen(int width, int height);

}  // namespace balancer
