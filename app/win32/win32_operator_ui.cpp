#include "app/win32/win32_operator_ui.h"

#include "app/win32/main_spin.h"

namespace balancer {

namespace {
// WM_POINTERDOWN; older headers lack it.
constexpr UINT kPointerDown = 0x0246;
}  // namespace

Win32OperatorUi::Win32OperatorUi(MainWindowState& main, MessageWindowState& message)
    : main_(main), message_(message) {
  message_.onClosed = [this] {
    if (pending_.empty()) return;
    OperatorMessage next = pending_.front();
    pending_.pop_front();
    OpenMessageWindow(message_, next);
  };
}

void Win32OperatorUi::ShowMessage(const OperatorMessage& message) {
  if (message_.hwnd != nullptr) {
    pending_.push_back(message);
    return;
  }
  OpenMessageWindow(message_, message);
}

bool Win32OperatorUi::PollCancel() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    // Not ours to swallow: the message loop must still see it.
    PostQuitMessage(static_cast<int>(msg.wParam));
    return true;
  }
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_LBUTTONDOWN) {
    return true;
  }
  if (msg.message == kPointerDown) {
    const int x = static_cast<short>(LOWORD(msg.lParam));
    const int y = static_cast<short>(HIWORD(msg.lParam));
    return InsideSpinButton(main_, x, y);
  }
  return false;
}

void Win32OperatorUi::ShowSpinStatus(int code) {
  DrawSpinStatusNow(main_, code);
}

void Win32OperatorUi::DrawSpeedBar(int value) {
  DrawSpeedBarNow(main_, value);
}

void Win32OperatorUi::RequestRepaint(RepaintArea area) {
  if (main_.hwnd == nullptr) return;
  switch (area) {
    case RepaintArea::kHardwareStatus: {
      RECT r = StatusFieldRect(main_);
      InvalidateRect(main_.hwnd, &r, TRUE);
      break;
    }
    default:
      InvalidateRect(main_.hwnd, nullptr, TRUE);
      break;
  }
}

void Win32OperatorUi::FocusMainWindow() {
  if (main_.hwnd != nullptr) SetFocus(main_.hwnd);
}

}  // namespace balancer
