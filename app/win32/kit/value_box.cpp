#include "app/win32/kit/value_box.h"

#include <string>

#include "app/screen_scale.h"
#include "app/value_box_text.h"
#include "app/win32/kit/design_font.h"
#include "app/win32/kit/entry_window.h"
#include "app/win32/kit/window_class.h"

namespace balancer {

namespace {

KitContext* gKit = nullptr;
ValueBoxSides gSides;

// Per-box data in the window's user data.
struct BoxData {
  int fieldCode = 0;
  float scale = 1.0f;
  HFONT font = nullptr;
};

BoxData* DataOf(HWND hwnd) {
  return reinterpret_cast<BoxData*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void OnPaint(HWND hwnd, BoxData& data) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (gKit != nullptr && gKit->settings != nullptr) {
    std::string text;
    if (!gKit->screenBoxText || !gKit->screenBoxText(data.fieldCode, text)) {
      text = ValueBoxText(data.fieldCode, *gKit->settings, gSides);
    }
    RECT client;
    GetClientRect(hwnd, &client);
    HGDIOBJ old = SelectObject(dc, data.font);
    SetTextAlign(dc, TA_CENTER | TA_BOTTOM);
    SetTextColor(dc, RGB(0, 0, 128));
    SetBkMode(dc, TRANSPARENT);
    // Baseline a little above the bottom edge so descenders stay inside.
    TextOutA(dc, (client.right - client.left) / 2, client.bottom - (client.bottom - client.top) / 6,
             text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, old);
  }
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK ValueBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  BoxData* data = DataOf(hwnd);
  if (data == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_PAINT:
      OnPaint(hwnd, *data);
      return 0;
    case WM_LBUTTONDOWN:
      // The entry edits what the box shows: on a heavy-metal side the radius
      // boxes show the slug installation radius.
      if (gKit != nullptr && OpenEntryForField(*gKit, data->fieldCode) != nullptr) {
        gKit->entry.boxSides = gSides;
      }
      return 0;
    case WM_NCDESTROY:
      if (data->font != nullptr) DeleteObject(data->font);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      delete data;
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND MakeBox(HWND parent, BoxData* data, int id, int x, int y, int w, int h, float scale) {
  data->scale = scale;
  data->font = CreateDesignFont(25, 600, scale);
  HWND box =
      CreateWindowExA(WS_EX_CLIENTEDGE, kValueBoxClass, "", WS_CHILD | WS_VISIBLE, Scaled(x, scale),
                      Scaled(y, scale), Scaled(w, scale), Scaled(h, scale), parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), data);
  if (box == nullptr) {
    if (data->font != nullptr) DeleteObject(data->font);
    delete data;
  }
  return box;
}

}  // namespace

bool RegisterValueBoxClass(HINSTANCE instance) {
  WindowClassInfo info;
  info.name = kValueBoxClass;
  info.proc = ValueBoxProc;
  info.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  info.style = CS_HREDRAW | CS_VREDRAW;
  info.cursor = IDC_HAND;
  info.icons = false;
  return RegisterClassOnce(instance, info);
}

void SetValueBoxKit(KitContext* kit) {
  gKit = kit;
}

HWND CreateValueBox(HWND parent, int fieldCode, int x, int y, int w, int h, float scale) {
  auto* data = new BoxData;
  data->fieldCode = fieldCode;
  return MakeBox(parent, data, fieldCode, x, y, w, h, scale);
}

int ValueBoxFieldCode(HWND box) {
  BoxData* data = DataOf(box);
  return data != nullptr ? data->fieldCode : 0;
}

void SetValueBoxSides(bool outsideZoneLeft, bool outsideZoneRight) {
  gSides.outsideZoneLeft = outsideZoneLeft;
  gSides.outsideZoneRight = outsideZoneRight;
}

}  // namespace balancer
