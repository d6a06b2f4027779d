#include "usbprep/win32/usbprep_window.h"

#include "base/win32/window_base.h"
#include "base/win32/window_class.h"
#include "usbprep/win32/difx_preinstall.h"

namespace balancer {

namespace {

using L = UsbPrepLayout;

PrepState StateOf(const UsbPrepWindowState& s) {
  return static_cast<PrepState>(s.state.load());
}

DWORD WINAPI PreinstallWorker(LPVOID parameter) {
  auto* s = static_cast<UsbPrepWindowState*>(parameter);
  // The window may be gone by the time the worker ends; a dead handle is
  // harmless to InvalidateRect.
  HWND hwnd = s->hwnd;
  const uint32_t result =
      s->preinstall ? s->preinstall() : PreinstallDriverPackage(kDriverInfPath, kPreinstallFlags);
  s->result.store(result);
  s->state.store(static_cast<int>(PrepState::kFinished));
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

void StartWorker(UsbPrepWindowState& s) {
  HANDLE thread = CreateThread(nullptr, 0, PreinstallWorker, &s, 0, nullptr);
  if (thread == nullptr) {
    ShowInstallerMessage(s.hwnd, ThreadFailedMessage());
    ExitProcess(kThreadFailedExitCode);
  }
  // The worker runs on by itself; nothing waits for it.
  CloseHandle(thread);
}

void OnOk(UsbPrepWindowState& s) {
  const UsbPrepPress press = PressPrepOk(StateOf(s));
  if (press.success) {
    ShowInstallerMessage(s.hwnd, PrepSuccessMessage());
    DestroyWindow(s.hwnd);
    return;
  }
  if (press.next == StateOf(s)) return;
  s.state.store(static_cast<int>(press.next));
  ShowWindow(s.ok, SW_HIDE);
  InvalidateRect(s.hwnd, nullptr, TRUE);
  UpdateWindow(s.hwnd);
  if (press.startWorker) StartWorker(s);
}

void OnPaint(UsbPrepWindowState& s) {
  const UsbPrepView view = ViewOfPrep(StateOf(s), s.result.load());
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(s.hwnd, &ps);
  DrawInstallerTexts(dc, view.texts, s.fonts);
  EndPaint(s.hwnd, &ps);
  ShowWindow(s.ok, view.okShown ? SW_SHOW : SW_HIDE);
  if (view.failed && !s.failureTold) {
    // Told once; the box's own message loop may paint again meanwhile.
    s.failureTold = true;
    ShowInstallerMessage(s.hwnd, PreinstallErrorMessage(s.result.load()));
    DestroyWindow(s.hwnd);
  }
}

// The window's state is the pre-installer's, kept by its entry point (the
// worker thread reads it after the window has gone).
LRESULT HandleUsbPrep(HWND hwnd, UsbPrepWindowState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      s.hwnd = hwnd;
      s.fonts.Create();
      s.ok = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, L::kOkX,
                             L::kOkY, L::kOkWidth, L::kOkHeight, hwnd,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(L::kOkId)), s.instance,
                             nullptr);
      SendMessageA(s.ok, WM_SETFONT, reinterpret_cast<WPARAM>(s.fonts.small), TRUE);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == L::kOkId) OnOk(s);
      return 0;
    case WM_PAINT:
      OnPaint(s);
      return 0;
    case WM_DESTROY:
      s.fonts.Delete();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      s.hwnd = nullptr;
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

bool RegisterUsbPrepWindowClass(HINSTANCE instance) {
  WindowClassInfo info;
  info.name = kUsbPrepWindowClass;
  info.proc = StateWindowProc<UsbPrepWindowState, HandleUsbPrep>;
  info.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  return RegisterClassOnce(instance, info);
}

HWND CreateUsbPrepWindow(UsbPrepWindowState& state) {
  const POINT at = CentredOnScreen(L::kWidth, L::kHeight);
  HWND hwnd = CreateWindowExA(0, kUsbPrepWindowClass, kUsbPrepTitle,
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, at.x, at.y, L::kWidth,
                              L::kHeight, nullptr, nullptr, state.instance, &state);
  if (hwnd == nullptr) return nullptr;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  return hwnd;
}

}  // namespace balancer
