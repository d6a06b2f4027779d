// The low-level mouse hook of the screens that take presses on the main
// screen's dials (Zone Setup, Adjust). The main window is disabled while a
// screen is open, so its own button messages never come; the hook sees every
// left press and posts it, in screen pixels, to the screen that installed it.
// Only one screen is open at a time, so there is one hook for the program.
#pragma once

#include <windows.h>

namespace balancer {

class DialPressHook {
 public:
  // Posts `message` (lParam: the press's screen x and y as two shorts) to
  // `target` on every left press until Remove. A hook already there is
  // removed first. False when the system refused the hook.
  static bool Install(HWND target, UINT message) {
    Remove();
    State& s = Get();
    s.hook = SetWindowsHookExA(WH_MOUSE_LL, Proc, GetModuleHandleA(nullptr), 0);
    if (s.hook == nullptr) return false;
    s.target = target;
    s.message = message;
    return true;
  }

  // Removes the hook if `target` installed it (or any hook when null).
  static void Remove(HWND target = nullptr) {
    State& s = Get();
    if (s.hook == nullptr || (target != nullptr && target != s.target)) return;
    UnhookWindowsHookEx(s.hook);
    s = State{};
  }

  // Whether a hook posting `message` is installed (its window may be gone:
  // that is what a test of the removal looks for).
  static bool InstalledFor(UINT message) {
    return Get().hook != nullptr && Get().message == message;
  }

 private:
  struct State {
    HHOOK hook = nullptr;
    HWND target = nullptr;
    UINT message = 0;
  };
  static State& Get() {
    static State state;
    return state;
  }
  static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
    State& s = Get();
    if (code == HC_ACTION && wParam == WM_LBUTTONDOWN && s.target != nullptr) {
      const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
      // Handled after the hook returns: the hook must not wait on the screen.
      PostMessageA(s.target, s.message, 0,
                   MAKELPARAM(static_cast<short>(info->pt.x), static_cast<short>(info->pt.y)));
    }
    // Every press goes on to where it was going.
    return CallNextHookEx(s.hook, code, wParam, lParam);
  }
};

}  // namespace balancer
