#include "usbprep/win32/installer_paint.h"

#include "base/win32/colour.h"

namespace balancer {

namespace {
HFONT BoldArial(int height) {
  return CreateFontA(height, 0, 0, 0, kInstallerFontWeight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, "ARIAL");
}
}  // namespace

void InstallerFonts::Create() {
  large = BoldArial(kInstallerLargeFont);
  small = BoldArial(kInstallerSmallFont);
  medium = BoldArial(kInstallerMediumFont);
}

void InstallerFonts::Delete() {
  for (HFONT* font : {&large, &small, &medium}) {
    if (*font != nullptr) DeleteObject(*font);
    *font = nullptr;
  }
}

HFONT InstallerFonts::ForHeight(int height) const {
  if (height == kInstallerLargeFont) return large;
  if (height == kInstallerSmallFont) return small;
  return medium;
}

void DrawInstallerTexts(HDC dc, const std::vector<InstallerText>& texts,
                        const InstallerFonts& fonts) {
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const UINT oldAlign = GetTextAlign(dc);
  HGDIOBJ oldFont = nullptr;
  for (const InstallerText& t : texts) {
    HGDIOBJ previous = SelectObject(dc, fonts.ForHeight(t.fontHeight));
    if (oldFont == nullptr) oldFont = previous;
    SetTextColor(dc, ColourRef(t.colour));
    SetTextAlign(dc, (t.centred ? TA_CENTER : TA_LEFT) | TA_TOP);
    TextOutA(dc, t.x, t.y, t.text.c_str(), static_cast<int>(t.text.size()));
  }
  if (oldFont != nullptr) SelectObject(dc, oldFont);
  SetTextAlign(dc, oldAlign);
  SetBkMode(dc, oldMode);
}

int ShowInstallerMessage(HWND owner, const InstallerMessage& message) {
  const UINT icon = message.information ? MB_ICONINFORMATION : MB_ICONERROR;
  return MessageBoxA(owner, message.text.c_str(), message.caption.c_str(), MB_OK | icon);
}

POINT CentredOnScreen(int width, int height) {
  return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2,
          (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

}  // namespace balancer
