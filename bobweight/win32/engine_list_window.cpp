#include "bobweight/win32/engine_list_window.h"

#include <string>

#include "app/win32/kit/design_font.h"
#include "base/win32/window_base.h"
#include "base/win32/window_class.h"
#include "bobweight/engine_list.h"

namespace balancer {

namespace {

struct Layout {
  static constexpr int kX = 190, kY = 12, kWidth = 900, kHeight = 656;
  static constexpr int kTitleY = 6, kHeadY = 40, kRowsY = 70, kRowH = 22;
  static constexpr int kNameX = 16, kBalancedX = 300, kCommentsX = 440;
  static constexpr int kOkX = 760, kOkY = 6, kOkW = 90, kOkH = 30;
};
constexpr int kOkId = IDOK;

struct EngineWindow {
  KitContext* kit = nullptr;
  BobweightCard* card = nullptr;
  HWND owner = nullptr;
  EngineList list;
  EngineSelection selection;
  float scale = 1.0f;
  HFONT font = nullptr;
  HFONT bold = nullptr;
  int S(int design) const { return DesignPixels(design, scale); }
};

void SyncScrollBar(HWND hwnd, const EngineWindow& w) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = static_cast<int>(w.list.rows.size()) - 1;
  info.nPage = kEngineListVisibleRows;
  info.nPos = w.selection.top;
  SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void Text(HDC dc, int x, int y, const std::string& text) {
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void Paint(HWND hwnd, EngineWindow& w) {
  using L = Layout;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, w.bold);
  SetTextColor(dc, RGB(0, 0, 104));
  Text(dc, w.S(L::kNameX), w.S(L::kTitleY), "Select Engine");
  Text(dc, w.S(L::kNameX), w.S(L::kHeadY), "ENGINE");
  Text(dc, w.S(L::kBalancedX), w.S(L::kHeadY), "BALANCED");
  Text(dc, w.S(L::kCommentsX), w.S(L::kHeadY), "COMMENTS");
  SelectObject(dc, w.font);
  for (int i = 0; i < kEngineListVisibleRows; ++i) {
    const int index = w.selection.top + i;
    if (index >= static_cast<int>(w.list.rows.size())) break;
    const EngineRow& row = w.list.rows[index];
    RECT band = {0, w.S(L::kRowsY + i * L::kRowH), client.right,
                 w.S(L::kRowsY + (i + 1) * L::kRowH)};
    const int y = band.top + 1;
    if (row.heading) {
      SetDCBrushColor(dc, RGB(176, 188, 212));
      FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
      SetTextColor(dc, RGB(0, 0, 0));
      Text(dc, w.S(L::kNameX), y, row.headingText);
      continue;
    }
    const bool selected = index == w.selection.selected;
    if (selected) {
      SetDCBrushColor(dc, RGB(0, 0, 128));
      FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    SetTextColor(dc, selected ? RGB(255, 255, 255) : RGB(0, 0, 104));
    Text(dc, w.S(L::kNameX), y, row.name);
    Text(dc, w.S(L::kBalancedX), y, BalancedText(row));
    Text(dc, w.S(L::kCommentsX), y, row.comments);
  }
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
}

int VisibleRowAt(const EngineWindow& w, int y) {
  const int top = w.S(Layout::kRowsY);
  const int height = w.S(Layout::kRowH);
  if (y < top || height <= 0) return -1;
  return (y - top) / height;
}

// The window owns its EngineWindow.
LRESULT HandleEngineWindow(HWND hwnd, EngineWindow& w, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      Paint(hwnd, w);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kOkId) SendMessageA(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_UP:
          EngineListKey(w.selection, w.list, EngineKey::kUp);
          break;
        case VK_DOWN:
          EngineListKey(w.selection, w.list, EngineKey::kDown);
          break;
        case VK_PRIOR:
          EngineListKey(w.selection, w.list, EngineKey::kPageUp);
          break;
        case VK_NEXT:
          EngineListKey(w.selection, w.list, EngineKey::kPageDown);
          break;
        case VK_RETURN:
        case VK_ESCAPE:
          SendMessageA(hwnd, WM_CLOSE, 0, 0);
          return 0;
        default:
          return 0;
      }
      SyncScrollBar(hwnd, w);
      return 0;
    case WM_MOUSEWHEEL:
      EngineListWheel(w.selection, w.list, GET_WHEEL_DELTA_WPARAM(wParam));
      SyncScrollBar(hwnd, w);
      return 0;
    case WM_VSCROLL: {
      switch (LOWORD(wParam)) {
        case SB_LINEUP:
          ScrollRows(w.selection, w.list, -1);
          break;
        case SB_LINEDOWN:
          ScrollRows(w.selection, w.list, 1);
          break;
        case SB_PAGEUP:
          ScrollRows(w.selection, w.list, -kEnginePageStep);
          break;
        case SB_PAGEDOWN:
          ScrollRows(w.selection, w.list, kEnginePageStep);
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
          ScrollTo(w.selection, w.list, HIWORD(wParam));
          break;
        default:
          break;
      }
      SyncScrollBar(hwnd, w);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      SetFocus(hwnd);
      const int row = VisibleRowAt(w, static_cast<short>(HIWORD(lParam)));
      if (row >= 0 && row < kEngineListVisibleRows && ClickEngineRow(w.selection, w.list, row)) {
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      const int row = VisibleRowAt(w, static_cast<short>(HIWORD(lParam)));
      if (row >= 0 && w.selection.top + row == w.selection.selected) {
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
      }
      return 0;
    }
    case WM_CLOSE: {
      ApplyEngineRow(w.list, w.selection.selected, *w.card);
      w.card->engineRow = w.selection.selected;
      HWND owner = w.owner;
      EnableWindow(owner, TRUE);
      DestroyWindow(hwnd);
      SetActiveWindow(owner);
      InvalidateRect(owner, nullptr, TRUE);
      return 0;
    }
    case WM_NCDESTROY:
      for (HFONT f : {w.font, w.bold}) {
        if (f != nullptr) DeleteObject(f);
      }
      if (w.kit != nullptr && w.kit->listWindow == hwnd) w.kit->listWindow = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

HWND OpenEngineListWindow(ChildScreen& parent) {
  const ScreenContext& c = parent.context();
  if (c.card == nullptr) return nullptr;
  KitContext& kit = c.kit;
  OperatorUi& ui = *kit.ui;
  EngineList list = LoadEngineListForWindow(kit.folder->File(kEngineListFileName), ui);
  if (!list.fromFile) {
    // Without the file the window closes at once with the default row.
    ApplyEngineRow(list, 0, *c.card);
    c.card->engineRow = 0;
    c.card->changed = true;
    return nullptr;
  }
  WindowClassInfo info;
  info.name = kEngineWindowClass;
  info.proc = StateWindowProc<EngineWindow, HandleEngineWindow, kWindowOwnsState>;
  info.solid = RGB(216, 220, 228);
  if (!RegisterClassOnce(kit.instance, info)) return nullptr;

  auto* w = new EngineWindow;
  w->kit = &kit;
  w->card = c.card;
  w->owner = parent.hwnd();
  w->scale = kit.screenScale;
  w->selection = OpenEngineWindow(*c.card, list);
  w->list = std::move(list);
  w->font = CreateDesignFont(18, 400, w->scale);
  w->bold = CreateDesignFont(20, 700, w->scale);
  using L = Layout;
  HWND hwnd =
      CreateWindowExA(0, kEngineWindowClass, "Bobweight Reciprocating and Rotating Percentages",
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VSCROLL, w->S(L::kX), w->S(L::kY),
                      w->S(L::kWidth), w->S(L::kHeight), parent.hwnd(), nullptr, kit.instance, w);
  if (hwnd == nullptr) {
    for (HFONT f : {w->font, w->bold}) {
      if (f != nullptr) DeleteObject(f);
    }
    delete w;
    return nullptr;
  }
  HWND ok =
      CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, w->S(L::kOkX), w->S(L::kOkY),
                      w->S(L::kOkW), w->S(L::kOkH), hwnd,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOkId)), kit.instance, nullptr);
  SendMessageA(ok, WM_SETFONT, reinterpret_cast<WPARAM>(w->bold), TRUE);
  kit.listWindow = hwnd;
  SyncScrollBar(hwnd, *w);
  EnableWindow(parent.hwnd(), FALSE);
  ShowWindow(hwnd, SW_SHOW);
  SetActiveWindow(hwnd);
  SetFocus(hwnd);
  return hwnd;
}

}  // namespace balancer
