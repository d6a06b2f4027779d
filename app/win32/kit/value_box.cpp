#include "app/win32/kit/value_box.h"

#include <memory>
#include <string>
#include <utility>

#include "app/screen_scale.h"
#include "app/value_box_text.h"
#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/design_font.h"
#include "app/win32/kit/entry_window.h"
#include "base/win32/window_base.h"
#include "base/win32/window_class.h"

namespace balancer {

namespace {

// Per-box data in the window's user data; the box owns it from WM_NCCREATE.
struct BoxData {
  BoxData() = default;
  BoxData(const BoxData&) = delete;
  BoxData& operator=(const BoxData&) = delete;
  ~BoxData() {
    if (font != nullptr) DeleteObject(font);
  }
  KitContext* kit = nullptr;  // what the box reads and opens entries with; may be null
  int fieldCode = 0;
  float scale = 1.0f;
  HFONT font = nullptr;
  // While the box is being made: set at WM_NCCREATE, when the box takes it.
  bool* taken = nullptr;
};

BoxData* DataOf(HWND hwnd) {
  return WindowStateOf<BoxData>(hwnd);
}

// The kit of the nearest window up from `parent` that answers for one.
KitContext* KitAbove(HWND parent) {
  for (HWND w = parent; w != nullptr; w = GetParent(w)) {
    if (auto* kit = reinterpret_cast<KitContext*>(SendMessageA(w, kKitContextQuery, 0, 0))) {
      return kit;
    }
  }
  return nullptr;
}

void OnPaint(HWND hwnd, BoxData& data) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  KitContext* kit = data.kit;
  if (kit != nullptr) {
    std::string text;
    ChildScreen* screen = OpenScreenOf(*kit);
    if (screen == nullptr || !screen->BoxText(data.fieldCode, text)) {
      text = ValueBoxText(data.fieldCode, *kit->settings, kit->radiusBoxSides);
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

LRESULT HandleValueBox(HWND hwnd, BoxData& data, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      OnPaint(hwnd, data);
      return 0;
    case WM_LBUTTONDOWN:
      // The entry edits what the box shows: on a heavy-metal side the radius
      // boxes show the slug installation radius.
      if (data.kit != nullptr && OpenEntryForField(*data.kit, data.fieldCode) != nullptr) {
        data.kit->entry.boxSides = data.kit->radiusBoxSides;
      }
      return 0;
    case WM_NCCREATE:
      if (data.taken != nullptr) *data.taken = true;
      data.taken = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND MakeBox(HWND parent, std::unique_ptr<BoxData> data, int id, int x, int y, int w, int h,
             float scale) {
  data->kit = KitAbove(parent);
  data->scale = scale;
  data->font = CreateDesignFont(25, 600, scale);
  // Once the box has taken its data (WM_NCCREATE) it frees it, also when
  // creation fails after that; before, nobody has and it is freed here.
  bool taken = false;
  data->taken = &taken;
  BoxData* raw = data.release();
  HWND box =
      CreateWindowExA(WS_EX_CLIENTEDGE, kValueBoxClass, "", WS_CHILD | WS_VISIBLE, Scaled(x, scale),
                      Scaled(y, scale), Scaled(w, scale), Scaled(h, scale), parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), raw);
  if (box == nullptr && !taken) delete raw;
  return box;
}

}  // namespace

bool RegisterValueBoxClass(HINSTANCE instance) {
  WindowClassInfo info;
  info.name = kValueBoxClass;
  info.proc = StateWindowProc<BoxData, HandleValueBox, kWindowOwnsState>;
  info.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  info.style = CS_HREDRAW | CS_VREDRAW;
  info.cursor = IDC_HAND;
  info.icons = false;
  return RegisterClassOnce(instance, info);
}

HWND CreateValueBox(HWND parent, int fieldCode, int x, int y, int w, int h, float scale) {
  auto data = std::make_unique<BoxData>();
  data->fieldCode = fieldCode;
  return MakeBox(parent, std::move(data), fieldCode, x, y, w, h, scale);
}

int ValueBoxFieldCode(HWND box) {
  BoxData* data = DataOf(box);
  return data != nullptr ? data->fieldCode : 0;
}

void SetValueBoxSides(KitContext& kit, bool outsideZoneLeft, bool outsideZoneRight) {
  kit.radiusBoxSides.outsideZoneLeft = outsideZoneLeft;
  kit.radiusBoxSides.outsideZoneRight = outsideZoneRight;
}

}  // namespace balancer
