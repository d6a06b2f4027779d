// Opens each of the kit's windows as the operator sees it. With
// BALANCER_KIT_SHOTS set to a folder, each is also saved there as a BMP
// (scripts/kit-screenshots.sh turns them into PNGs) at the scale given by
// BALANCER_KIT_SCALE.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/field_store.h"
#include "app/keypad_layout.h"
#include "app/screen_scale.h"
#include "app/win32/kit/button_column.h"
#include "base/field_table.h"
#include "kit_fixture.h"

namespace balancer::kit_test {
namespace {

void Pump(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
}

// The window's screen area as a 24-bit BMP.
bool SaveWindowShot(HWND hwnd, const std::string& path) {
  RECT r;
  GetWindowRect(hwnd, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  const int stride = ((w * 3 + 3) / 4) * 4;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * h);
  bool ok = false;
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
         std::fwrite(bits, static_cast<size_t>(stride) * h, 1, out) == 1;
    ok = std::fclose(out) == 0 && ok;
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

struct KitGallery : KitFixture {
  void SetUp() override {
    KitFixture::SetUp();
    const char* folderEnv = std::getenv("BALANCER_KIT_SHOTS");
    const char* scaleEnv = std::getenv("BALANCER_KIT_SCALE");
    if (folderEnv != nullptr) shots = folderEnv;
    if (scaleEnv != nullptr) scale = static_cast<float>(std::atof(scaleEnv));
    if (!(scale > 0.5f && scale < 4.0f)) scale = 1.0f;
    SetScale(scale);
    MoveWindow(main, 0, 0, Scaled(1280, scale), Scaled(680, scale), TRUE);
  }
  // Shows `hwnd` and saves it under `name` when shots are asked for.
  void Shot(HWND hwnd, const char* name) {
    ASSERT_NE(hwnd, nullptr) << name;
    EXPECT_TRUE(IsWindowVisible(hwnd)) << name;
    if (shots.empty()) return;
    Pump(250);
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "-%.1f", scale);
    EXPECT_TRUE(SaveWindowShot(hwnd, shots + "\\" + name + suffix + ".bmp")) << name;
  }
  std::string shots;
  float scale = 1.0f;
};

TEST_F(KitGallery, Messages) {
  OpenMessageWindow(message, SpinFirstAlert());
  Shot(message.hwnd, "kit-message-alert");
  OpenMessageWindow(
      message,
      MakeQuestion("Attention", "Do you want to load configuration data from the control?",
                   kDarkBlueText, kBeepNone, 310, 197, 520, 160, "LOAD", 80, "CANCEL", 100, 249));
  Shot(message.hwnd, "kit-message-question");
  OpenMessageWindow(message, MakeOkMessage("ERROR", "SCALE UNSTABLE\n\nNo Reading Was Transferred",
                                           kRedText, kBeepNone, 400, 250, 480, 200));
  Shot(message.hwnd, "kit-message-error");
}

TEST_F(KitGallery, NumberAndKeypadEntries) {
  kit.actionCode = 102;
  Shot(OpenNumberEntry(kit, 402, 178), "kit-number-entry");
  CloseEntryWindow(kit);
  kit.actionCode = 106;
  kit.scaleStandIn = true;
  Shot(OpenNumberEntry(kit, 402, 178), "kit-number-entry-scale");
  CloseEntryWindow(kit);
  kit.scaleStandIn = false;
  kit.actionCode = 132;
  Shot(OpenKeypadEntry(kit, 302, 15), "kit-keypad-entry-minus");
  CloseEntryWindow(kit);
  kit.actionCode = 100;
  Shot(OpenKeypadEntry(kit, 302, 15), "kit-keypad-entry-slash");
}

TEST_F(KitGallery, TextEntries) {
  kit.actionCode = 17;
  kit.entry.text = "Crank Shop Ltd.";
  Shot(OpenTextEntry(kit, 190, 60, "Enter Your Company Information"), "kit-text-entry");
  CloseEntryWindow(kit);
  kit.actionCode = 19;
  kit.settings->headerTextColor = 3;
  kit.entry.text = "Job 1187 - V8 crank";
  Shot(OpenTextEntry(kit, 190, 60, "Job Title"), "kit-text-entry-colour");
  CloseEntryWindow(kit);
  kit.entry.text = "crank-1187";
  Shot(OpenLineEntry(kit, 256, 200, "File Name"), "kit-line-entry");
  CloseEntryWindow(kit);
  kit.entry.text = "Customer wants it by Friday.";
  Shot(OpenNoteEntry(kit, 256, 200, "Notes"), "kit-note-entry");
}

TEST_F(KitGallery, ValueBoxesAndButtonColumn) {
  HWND panel = CreateWindowExA(0, "kittestowner", "Value boxes", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                               Scaled(100, scale), Scaled(100, scale), Scaled(560, scale),
                               Scaled(300, scale), main, nullptr, Instance(), nullptr);
  const int codes[] = {100, 131, 132, 118, 112, 305};
  for (int i = 0; i < 6; ++i) {
    ASSERT_NE(
        CreateValueBox(panel, codes[i], 240 + (i % 2) * 150, 20 + (i / 2) * 60, 140, 44, scale),
        nullptr);
  }
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  AddButtonColumn(Scaled(20, scale), 157, panel, Scaled(20, scale), Scaled(50, scale),
                  Scaled(180, scale), Scaled(34, scale), 2, 257, font);
  AddButtonColumn(Scaled(120, scale), 144, panel, Scaled(20, scale), Scaled(50, scale),
                  Scaled(180, scale), Scaled(34, scale), 1, 244, font);
  Shot(panel, "kit-value-boxes");
  DestroyWindow(panel);
}

}  // namespace
}  // namespace balancer::kit_test
