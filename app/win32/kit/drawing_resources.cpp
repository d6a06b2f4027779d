#include "app/win32/kit/drawing_resources.h"

#include <cstring>

#include "app/screen_scale.h"
#include "app/win32/kit/design_font.h"

namespace balancer {

namespace {

constexpr COLORREF kLabelColour = RGB(0, 9, 167);

struct FontDef {
  int height, weight;
};

// A face drawn when the artwork is missing: light panel with a bevel.
HBITMAP PlainFace(int width, int height, bool button) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT r = {0, 0, width, height};
  HBRUSH fill = CreateSolidBrush(button ? RGB(216, 220, 228) : RGB(224, 224, 224));
  FillRect(dc, &r, fill);
  DeleteObject(fill);
  if (button) DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bmp;
}

}  // namespace

HBITMAP LoadPicture(HINSTANCE instance, const char* name, int width, int height, bool button) {
  HANDLE image = LoadImageA(instance, name, IMAGE_BITMAP, width, height, 0);
  if (image != nullptr) return static_cast<HBITMAP>(image);
  return PlainFace(width, height, button);
}

void DrawLabel(HBITMAP face, HFONT font, const char* line1, const char* line2, int keyIndex) {
  if (face == nullptr || line1 == nullptr || line1[0] == '\0') return;
  BITMAP info = {};
  GetObjectA(face, sizeof info, &info);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBmp = SelectObject(dc, face);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kLabelColour);
  SetTextAlign(dc, TA_CENTER | TA_BOTTOM);
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  const bool two = line2 != nullptr && line2[0] != '\0';
  const int cx = info.bmWidth / 2;
  const int lineHeight = tm.tmHeight;
  // Tall faces carry a picture in their upper part: the label goes below it.
  const bool tall = info.bmHeight * 10 > info.bmWidth * 5;
  int firstBottom = two ? info.bmHeight / 2 + 1 : (info.bmHeight + lineHeight) / 2;
  if (tall && !two) firstBottom = info.bmHeight - info.bmHeight / 10;
  TextOutA(dc, cx, firstBottom, line1, static_cast<int>(std::strlen(line1)));
  if (two) TextOutA(dc, cx, firstBottom + lineHeight, line2, static_cast<int>(std::strlen(line2)));

  const int length = static_cast<int>(std::strlen(line1));
  if (keyIndex >= 0 && keyIndex < length) {
    SIZE whole = {}, before = {}, upTo = {};
    GetTextExtentPoint32A(dc, line1, length, &whole);
    GetTextExtentPoint32A(dc, line1, keyIndex, &before);
    GetTextExtentPoint32A(dc, line1, keyIndex + 1, &upTo);
    const int start = cx - whole.cx / 2;
    const int y = firstBottom - tm.tmDescent + 2;
    HPEN pen = CreatePen(PS_SOLID, 1, kLabelColour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, start + before.cx, y, nullptr);
    LineTo(dc, start + upTo.cx, y);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBmp);
  DeleteDC(dc);
}

HFONT FontOf(DrawingResources& res, int height, int weight) {
  auto key = std::make_pair(height, weight);
  auto it = res.fonts.find(key);
  if (it != res.fonts.end()) return it->second;
  HFONT font = CreateDesignFont(height, weight, res.scale);
  res.fonts[key] = font;
  return font;
}

void CreateDrawingResources(DrawingResources& res, HINSTANCE instance, float scale) {
  res.scale = scale;
  const FontDef fonts[] = {{21, 600}, {19, 600}, {19, 400}, {20, 600}, {22, 300}, {24, 600},
                           {25, 600}, {27, 600}, {30, 700}, {38, 600}, {48, 600}};
  for (const FontDef& f : fonts) FontOf(res, f.height, f.weight);
  FontOf(res, 24, scale >= 1.5f ? 600 : 500);

  const COLORREF brushColours[] = {RGB(0, 0, 255),     RGB(0, 0, 140),     RGB(214, 230, 245),
                                   RGB(164, 164, 174), RGB(255, 255, 102), RGB(0, 238, 119),
                                   RGB(188, 169, 134), RGB(255, 0, 0),     RGB(0, 192, 192),
                                   RGB(216, 220, 228), RGB(245, 245, 245), RGB(224, 224, 224),
                                   RGB(208, 208, 208), RGB(192, 192, 192), RGB(0, 88, 88)};
  for (COLORREF c : brushColours) res.brushes.push_back(CreateSolidBrush(c));
  res.brushes.push_back(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));

  struct PenDef {
    double width;  // design units; < 0 means pixels
    COLORREF colour;
  };
  const PenDef pens[] = {
      {2, RGB(0, 0, 255)},        {2, RGB(0, 9, 167)},        {1.35, RGB(0, 0, 140)},
      {2, RGB(255, 255, 0)},      {1.35, RGB(223, 223, 223)}, {1.35, RGB(201, 201, 201)},
      {1.35, RGB(185, 185, 185)}, {1.35, RGB(125, 125, 125)}, {1.35, RGB(106, 106, 106)},
      {2, RGB(185, 185, 185)},    {2, RGB(136, 136, 136)},    {2, RGB(0, 0, 0)},
      {-10, RGB(51, 51, 255)},    {1.35, RGB(0, 238, 119)},   {-1, RGB(255, 0, 0)}};
  for (const PenDef& p : pens) {
    int width = p.width < 0 ? static_cast<int>(-p.width) : Scaled(p.width, scale);
    res.pens.push_back(CreatePen(PS_SOLID, width > 0 ? width : 1, p.colour));
  }

  auto px = [scale](int design) { return Scaled(design, scale); };
  res.pictures["ttlogo"] = LoadPicture(instance, "ttlogo", px(42), px(42), false);
  res.pictures["shaft"] = LoadPicture(instance, "shaft", px(328), px(76), false);
  res.pictures["ledon"] = LoadPicture(instance, "ledon", px(25), px(25), false);
  res.pictures["ledoff"] = LoadPicture(instance, "ledoff", px(25), px(25), false);

  HFONT label = FontOf(res, kLabelFontHeight, kLabelFontWeight);
  HFONT smallLabel = FontOf(res, 19, 600);
  for (const MainButton& b : MainButtons(1)) {
    const int w = px(b.width) - 4;
    const int h = px(b.height) - 4;
    HBITMAP face = LoadPicture(instance, b.face, w, h, true);
    DrawLabel(face, b.height >= 64 ? label : smallLabel, b.line1, b.line2, b.keyIndex);
    res.faces[b.id] = face;
  }
  res.spinFace = res.faces[kCmdSpin];
  res.acquireFace = LoadPicture(instance, "spin", px(130) - 4, px(82) - 4, true);
  DrawLabel(res.acquireFace, label, "Acquire", "", 0);
  res.stopFace = LoadPicture(instance, "stop", px(136) - 4, px(64) - 4, true);
  DrawLabel(res.stopFace, label, "STOP", "", -1);
  res.spinStopFace = LoadPicture(instance, "stop", px(130) - 4, px(82) - 4, true);
  DrawLabel(res.spinStopFace, label, "STOP", "", -1);
}

void DestroyDrawingResources(DrawingResources& res) {
  for (auto& f : res.fonts) DeleteObject(f.second);
  for (HBRUSH b : res.brushes) DeleteObject(b);
  for (HPEN p : res.pens) DeleteObject(p);
  for (auto& p : res.pictures) DeleteObject(p.second);
  for (auto& f : res.faces) DeleteObject(f.second);
  for (HBITMAP b : {res.stopFace, res.spinStopFace, res.acquireFace}) {
    if (b != nullptr) DeleteObject(b);
  }
  res = DrawingResources();
}

}  // namespace balancer
