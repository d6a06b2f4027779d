#include "app/win32/unbalance_display.h"

#include <algorithm>
#include <cmath>

#include "app/screen_scale.h"
#include "base/win32/colour.h"

namespace balancer {

namespace {

int Px(double design, float scale) {
  return Scaled(design, scale);
}

void DrawCircle(HDC dc, const DrawItem& d, float s) {
  HPEN pen = CreatePen(PS_SOLID, std::max(1, Px(d.penWidth, s)), ColourRef(d.colour));
  HBRUSH brush = d.filled ? CreateSolidBrush(ColourRef(d.fill))
                          : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Ellipse(dc, Px(d.x - d.r, s), Px(d.y - d.r, s), Px(d.x + d.r, s), Px(d.y + d.r, s));
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  if (d.filled) DeleteObject(brush);
}

void DrawPie(HDC dc, const DrawItem& d, float s) {
  HPEN pen = CreatePen(PS_SOLID, 1, ColourRef(d.colour));
  HBRUSH brush = CreateSolidBrush(ColourRef(d.fill));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  // Dial angles run clockwise from the top; Pie runs counter-clockwise from
  // its start radial to its end radial, so start at the zone's end.
  double sx, sy, ex, ey;
  DialPoint(d.x, d.y, d.r, d.a1, sx, sy);
  DialPoint(d.x, d.y, d.r, d.a0, ex, ey);
  if (std::fabs(d.a1 - d.a0) >= 359.5) {
    Ellipse(dc, Px(d.x - d.r, s), Px(d.y - d.r, s), Px(d.x + d.r, s), Px(d.y + d.r, s));
  } else {
    Pie(dc, Px(d.x - d.r, s), Px(d.y - d.r, s), Px(d.x + d.r, s), Px(d.y + d.r, s), Px(sx, s),
        Px(sy, s), Px(ex, s), Px(ey, s));
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void DrawTriangle(HDC dc, const DrawItem& d, float s) {
  POINT pts[3];
  for (int i = 0; i < 3; ++i) pts[i] = {Px(d.px[i], s), Px(d.py[i], s)};
  HPEN pen = CreatePen(PS_SOLID, 1, ColourRef(d.colour));
  HBRUSH brush = CreateSolidBrush(ColourRef(d.fill));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Polygon(dc, pts, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void DrawFill(HDC dc, const DrawItem& d, float s) {
  RECT r = {Px(d.x, s), Px(d.y, s), Px(d.x + d.w, s), Px(d.y + d.h, s)};
  if (r.right <= r.left) r.right = r.left + 1;
  if (r.bottom <= r.top) r.bottom = r.top + 1;
  HBRUSH brush = CreateSolidBrush(ColourRef(d.fill));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void DrawText1(HDC dc, const DrawItem& d, DrawingResources& res, float s) {
  HGDIOBJ old = SelectObject(dc, FontOf(res, d.fontHeight, d.fontWeight));
  SetTextColor(dc, ColourRef(d.colour));
  SetTextAlign(dc,
               d.align == TextAlign::kLeftBottom ? (TA_LEFT | TA_BOTTOM) : (TA_CENTER | TA_BOTTOM));
  TextOutA(dc, Px(d.x, s), Px(d.y, s), d.text.c_str(), static_cast<int>(d.text.size()));
  SelectObject(dc, old);
}

void DrawBitmap(HDC dc, const DrawItem& d, DrawingResources& res, float s) {
  auto it = res.pictures.find(d.text);
  if (it == res.pictures.end() || it->second == nullptr) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, it->second);
  BitBlt(dc, Px(d.x, s), Px(d.y, s), Px(d.w, s), Px(d.h, s), mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

}  // namespace

void PaintDisplay(HDC dc, const std::vector<DrawItem>& items, DrawingResources& res, float scale) {
  SetBkMode(dc, TRANSPARENT);
  for (const DrawItem& d : items) {
    switch (d.kind) {
      case DrawKind::kCircle:
        DrawCircle(dc, d, scale);
        break;
      case DrawKind::kPie:
        DrawPie(dc, d, scale);
        break;
      case DrawKind::kTriangle:
        DrawTriangle(dc, d, scale);
        break;
      case DrawKind::kFillRect:
        DrawFill(dc, d, scale);
        break;
      case DrawKind::kText:
        DrawText1(dc, d, res, scale);
        break;
      case DrawKind::kBitmap:
        DrawBitmap(dc, d, res, scale);
        break;
    }
  }
}

RECT PixelRect(const DesignRect& r, float scale) {
  RECT out = {Scaled(r.x, scale), Scaled(r.y, scale), Scaled(r.x + r.w, scale),
              Scaled(r.y + r.h, scale)};
  return out;
}

}  // namespace balancer
