#include "bobweight/win32/print_page_gdi.h"

#include <gdiplus.h>

#include <string>

namespace balancer {

namespace {

int Round(double v) {
  return static_cast<int>(v + 0.5);
}

HFONT MakePrintFont(PrintFont font, int height) {
  return CreateFontA(PrintFontHeight(font, height), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                     ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, "ARIAL");
}

std::wstring Wide(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], n);
  wide.resize(static_cast<size_t>(n - 1));
  return wide;
}

// GDI+ for the time the pictures are drawn (the program keeps its own
// session as well; start-up is counted, so this is cheap and safe).
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusSession() {
    if (ok_) Gdiplus::GdiplusShutdown(token_);
  }
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

bool DrawPicture(HDC dc, int width, int height, PrintPicture which, const std::string& path) {
  if (path.empty()) return false;
  std::wstring wide = Wide(path);
  Gdiplus::Bitmap image(wide.c_str());
  if (image.GetLastStatus() != Gdiplus::Ok) return false;
  const double w = image.GetWidth(), h = image.GetHeight();
  PictureBox box = PlacePrintPicture(which, w, h, width, height);
  if (box.width <= 0 || box.height <= 0) return false;
  Gdiplus::Graphics graphics(dc);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  Gdiplus::RectF target(static_cast<Gdiplus::REAL>(box.left), static_cast<Gdiplus::REAL>(box.top),
                        static_cast<Gdiplus::REAL>(box.width),
                        static_cast<Gdiplus::REAL>(box.height));
  return graphics.DrawImage(&image, target) == Gdiplus::Ok;
}

}  // namespace

int DrawPrintPage(HDC dc, int width, int height, const PrintPage& page,
                  const PrintPageStyle& style) {
  if (dc == nullptr || width <= 0 || height <= 0) return 0;
  const int saved = SaveDC(dc);
  HFONT fonts[3] = {MakePrintFont(PrintFont::kCard, height),
                    MakePrintFont(PrintFont::kCardLarge, height),
                    MakePrintFont(PrintFont::kReport, height)};
  // Rules a little heavier on a printer than one device pixel.
  const int penWidth = height / 1100 > 1 ? height / 1100 : 1;
  HPEN pen = CreatePen(PS_SOLID, penWidth, RGB(0, 0, 0));
  SelectObject(dc, pen);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetBkMode(dc, TRANSPARENT);

  bool hasPictures = false;
  for (const PrintItem& item : page.items) {
    const int x = Round(PrintDeviceX(item.x, width));
    const int y = Round(PrintDeviceY(item.y, height));
    const int x2 = Round(PrintDeviceX(item.x2, width));
    const int y2 = Round(PrintDeviceY(item.y2, height));
    switch (item.kind) {
      case PrintItem::Kind::kText: {
        SelectObject(dc, fonts[static_cast<int>(item.font)]);
        SetTextColor(dc, item.companyColour ? style.companyColour : RGB(0, 0, 0));
        UINT align = item.align == PrintAlign::kCentre  ? TA_CENTER
                     : item.align == PrintAlign::kRight ? TA_RIGHT
                                                        : TA_LEFT;
        SetTextAlign(dc, align | TA_TOP | TA_NOUPDATECP);
        TextOutA(dc, x, y, item.text.c_str(), static_cast<int>(item.text.size()));
        break;
      }
      case PrintItem::Kind::kLine:
        MoveToEx(dc, x, y, nullptr);
        LineTo(dc, x2, y2);
        break;
      case PrintItem::Kind::kBox:
        Rectangle(dc, x, y, x2 + 1, y2 + 1);
        break;
      case PrintItem::Kind::kPicture:
        hasPictures = true;
        break;
    }
  }

  int drawn = 0;
  if (hasPictures) {
    GdiplusSession gdiplus;
    for (const PrintItem& item : page.items) {
      if (item.kind != PrintItem::Kind::kPicture || !gdiplus.ok()) continue;
      if (DrawPicture(dc, width, height, item.picture, PicturePath(style.pictures, item.picture))) {
        ++drawn;
      }
    }
  }

  RestoreDC(dc, saved);
  for (HFONT font : fonts) DeleteObject(font);
  DeleteObject(pen);
  return drawn;
}

}  // namespace balancer
