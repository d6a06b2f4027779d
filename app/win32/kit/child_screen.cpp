#include "app/win32/kit/child_screen.h"

#include "app/screen_scale.h"
#include "app/win32/kit/design_font.h"
#include "app/win32/kit/value_box.h"
#include "base/win32/window_base.h"
#include "base/win32/window_class.h"

namespace balancer {

namespace {

constexpr const char* kChildClass = "childclass";

}  // namespace

LRESULT HandleChildScreen(HWND hwnd, ChildScreen& self, UINT msg, WPARAM wParam, LPARAM lParam);

ChildScreen::~ChildScreen() {
  for (HFONT font : fonts_) DeleteObject(font);
}

int ChildScreen::S(double design) const {
  return Scaled(design, scale());
}

HFONT ChildScreen::Font(int designHeight, int weight) {
  HFONT font = CreateDesignFont(designHeight, weight, scale());
  if (font != nullptr) fonts_.push_back(font);
  return font;
}

void ChildScreen::FitClient(int width, int height, DWORD style) {
  RECT frame = {0, 0, S(width), S(height)};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_LAYERED);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND ChildScreen::AddButton(int id, const char* text, int x, int y, int width, int height,
                            HFONT font) {
  HWND button = CreateWindowExA(
      WS_EX_CLIENTEDGE, "BUTTON", text, WS_CHILD | WS_VISIBLE, S(x), S(y), S(width), S(height),
      hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), context_.kit.instance, nullptr);
  if (button != nullptr && font != nullptr) {
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  return button;
}

ChildScreen* ChildScreen::Under() const {
  if (parent_ == nullptr || !IsWindow(parent_)) return nullptr;
  return ChildScreenOf(parent_);
}

void ChildScreen::TextEntered(int actionCode, const std::string& text) {
  if (ChildScreen* under = Under()) under->TextEntered(actionCode, text);
}

bool ChildScreen::BoxText(int code, std::string& text) {
  ChildScreen* under = Under();
  return under != nullptr && under->BoxText(code, text);
}

bool ChildScreen::TransferScale(int fieldCode) {
  ChildScreen* under = Under();
  return under != nullptr && under->TransferScale(fieldCode);
}

void ChildScreen::FontColourChanged(int colourIndex) {
  if (ChildScreen* under = Under()) under->FontColourChanged(colourIndex);
}

ScreenEntryStore* ChildScreen::EntryStore() {
  ChildScreen* under = Under();
  return under != nullptr ? under->EntryStore() : nullptr;
}

KnownWeightCalibration* ChildScreen::Calibration() {
  ChildScreen* under = Under();
  return under != nullptr ? under->Calibration() : nullptr;
}

void ChildScreen::AwaitText(int actionCode, std::function<void(const std::string&)> answered) {
  awaitedCode_ = actionCode;
  awaited_ = std::move(answered);
}

void ChildScreen::DeliverText(int actionCode, const std::string& text) {
  // Taken out first: the answer may ask again.
  std::function<void(const std::string&)> answered = std::move(awaited_);
  const int awaited = awaitedCode_;
  awaited_ = nullptr;
  awaitedCode_ = 0;
  if (answered && actionCode == awaited) {
    answered(text);
  } else {
    TextEntered(actionCode, text);
  }
}

void ChildScreen::Close() {
  if (hwnd_ != nullptr && !closing_) {
    closing_ = true;
    DestroyWindow(hwnd_);
  }
}

// The window owns its screen (StateWindowProc deletes it after WM_NCDESTROY).
LRESULT HandleChildScreen(HWND hwnd, ChildScreen& self, UINT msg, WPARAM wParam, LPARAM lParam) {
  ChildScreen* screen = &self;
  switch (msg) {
    case WM_NCCREATE:
      screen->hwnd_ = hwnd;
      if (screen->takenByWindow_ != nullptr) *screen->takenByWindow_ = true;
      screen->takenByWindow_ = nullptr;
      break;
    case kKitContextQuery:
      return reinterpret_cast<LRESULT>(&screen->context_.kit);
    case WM_CREATE:
      screen->OnCreate();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      screen->OnPaint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 || HIWORD(wParam) == BN_CLICKED) {
        screen->OnCommand(LOWORD(wParam));
        // Keys go to the screen, not to the button just pressed (unless the
        // press closed it or opened another window).
        if (IsWindow(hwnd) && GetActiveWindow() == hwnd) SetFocus(hwnd);
      }
      return 0;
    case WM_CHAR:
      if (wParam == VK_ESCAPE) {
        screen->OnCloseRequest();
      } else {
        screen->OnChar(static_cast<int>(wParam));
      }
      return 0;
    case WM_CLOSE:
      screen->OnCloseRequest();
      return 0;
    case kScreenLiveUpdate:
      screen->OnLiveUpdate();
      return 0;
    case WM_DESTROY:
      screen->closing_ = true;
      screen->OnDestroy();
      return 0;
    case WM_NCDESTROY: {
      KitContext& kit = screen->context_.kit;
      ScreenHost& host = screen->context_.host;
      const HWND parent = screen->parent_;
      const char parentCode = screen->parentCode_;
      if (parent != nullptr) {
        // A sub-screen: the screen under it is the open screen again.
        if (IsWindow(parent)) {
          if (kit.childScreen == hwnd) {
            kit.childScreen = parent;
            kit.screenCode = parentCode;
          }
          EnableWindow(parent, TRUE);
          SetActiveWindow(parent);
          SetFocus(parent);
          InvalidateRect(parent, nullptr, TRUE);
        }
      } else if (kit.childScreen == hwnd) {
        if (kit.mainWindow != nullptr) EnableWindow(kit.mainWindow, TRUE);
        host.ScreenClosed();
      }
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    default:
      break;
  }
  LRESULT result = 0;
  if (screen->OnMessage(msg, wParam, lParam, result)) return result;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

ChildScreen* ChildScreenOf(HWND hwnd) {
  return WindowStateOf<ChildScreen>(hwnd);
}

ChildScreen* OpenScreenOf(const KitContext& kit) {
  if (kit.childScreen == nullptr || !IsWindow(kit.childScreen)) return nullptr;
  // Only a screen window keeps a screen; any other window's data is not one.
  const auto proc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(kit.childScreen, GCLP_WNDPROC));
  if (proc != &StateWindowProc<ChildScreen, HandleChildScreen, kWindowOwnsState>) return nullptr;
  return ChildScreenOf(kit.childScreen);
}

bool RegisterScreenClass(HINSTANCE instance, const char* className) {
  WindowClassInfo info;
  info.name = className;
  info.proc = StateWindowProc<ChildScreen, HandleChildScreen, kWindowOwnsState>;
  info.solid = RGB(216, 220, 228);
  return RegisterClassOnce(instance, info);
}

bool RegisterChildScreenClass(HINSTANCE instance) {
  return RegisterScreenClass(instance, kChildClass);
}

HWND OpenScreenWindow(std::unique_ptr<ChildScreen> screen, ChildScreen* parent,
                      const char* className, const char* title, DWORD style, int x, int y,
                      int width, int height) {
  if (screen == nullptr) return nullptr;
  KitContext& kit = screen->context_.kit;
  const HWND owner = parent != nullptr ? parent->hwnd() : kit.mainWindow;
  // One screen at a time on the main window: a screen still open is closed
  // first. A sub-screen lives on top of its parent instead.
  if (parent == nullptr && kit.childScreen != nullptr && IsWindow(kit.childScreen)) {
    DestroyWindow(kit.childScreen);
  }
  const float s = kit.screenScale;
  ChildScreen* raw = screen.get();
  const char code = raw->Code();
  if (parent != nullptr) {
    raw->parent_ = parent->hwnd();
    raw->parentCode_ = parent->Code();
  }
  // The window owns the screen from WM_NCCREATE on: if creation fails after
  // it, the window has freed the screen already, so `raw` is not touched.
  bool taken = false;
  raw->takenByWindow_ = &taken;
  HWND hwnd = CreateWindowExA(WS_EX_LAYERED, className, title, style, Scaled(x, s), Scaled(y, s),
                              Scaled(width, s), Scaled(height, s), owner, nullptr, kit.instance,
                              screen.release());
  if (hwnd == nullptr) {
    // Without WM_NCCREATE nobody took it.
    if (!taken) delete raw;
    return nullptr;
  }
  SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
  kit.screenCode = code;
  kit.childScreen = hwnd;
  if (owner != nullptr) EnableWindow(owner, FALSE);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  SetActiveWindow(hwnd);
  SetFocus(hwnd);
  return hwnd;
}

HWND OpenChildScreen(std::unique_ptr<ChildScreen> screen, const char* title, DWORD style, int x,
                     int y, int width, int height) {
  return OpenScreenWindow(std::move(screen), nullptr, kChildClass, title, style, x, y, width,
                          height);
}

HWND OpenSubScreen(ChildScreen& parent, std::unique_ptr<ChildScreen> screen, const char* title,
                   DWORD style, int x, int y, int width, int height) {
  if (parent.hwnd() == nullptr) return nullptr;
  return OpenScreenWindow(std::move(screen), &parent, kChildClass, title, style, x, y, width,
                          height);
}

HWND OpenScreenOn(ChildScreen* parent, std::unique_ptr<ChildScreen> screen, const char* title,
                  DWORD style, int x, int y, int width, int height) {
  if (parent != nullptr) {
    return OpenSubScreen(*parent, std::move(screen), title, style, x, y, width, height);
  }
  return OpenChildScreen(std::move(screen), title, style, x, y, width, height);
}

HWND OpenScreenOver(std::unique_ptr<ChildScreen> screen, const char* className, const char* title,
                    DWORD style, int x, int y, int width, int height) {
  if (screen == nullptr) return nullptr;
  KitContext& kit = screen->context_.kit;
  if (!RegisterScreenClass(kit.instance, className)) return nullptr;
  ChildScreen* under = nullptr;
  if (kit.childScreen != nullptr && IsWindow(kit.childScreen)) {
    under = ChildScreenOf(kit.childScreen);
  } else {
    kit.childScreen = nullptr;
  }
  return OpenScreenWindow(std::move(screen), under, className, title, style, x, y, width, height);
}

}  // namespace balancer
