// The one window procedure of the programs' windows. A window is its state
// struct and a handler; CreateWindowEx's lpParam is the state:
//
//   LRESULT HandleFoo(HWND hwnd, FooState& s, UINT msg, WPARAM wParam, LPARAM lParam);
//   info.proc = StateWindowProc<FooState, HandleFoo>;             // the caller owns s
//   info.proc = StateWindowProc<FooState, HandleFoo, kWindowOwnsState>;  // the window does
//
// The state pointer is kept in GWLP_USERDATA from WM_NCCREATE on. The handler
// gets every message from WM_NCCREATE to WM_NCDESTROY, both included; what
// it returns is the window procedure's result, so it ends with DefWindowProcA
// for what it leaves alone. Messages before WM_NCCREATE (WM_GETMINMAXINFO)
// and after WM_NCDESTROY go to DefWindowProcA, as does every message of a
// window made with a null lpParam.
//
// Ownership: at WM_NCDESTROY the pointer is cleared first, so no message
// reaches the state from then on; then the handler runs (the state is still
// alive for its clean-up); then, only with kWindowOwnsState, the state is
// deleted. A window owns its state when whoever made it hands it over with
// `new` and forgets it (the value boxes, the engine list, the screens). Where
// the state lives elsewhere (the main window's in the program's AppState, the
// installer's on its entry point's stack), the caller owns it and it must
// outlive the window. If CreateWindowEx fails after WM_NCCREATE, WM_NCDESTROY
// still comes, so an owned state is deleted then; before WM_NCCREATE nobody
// took it and the caller deletes it.
#pragma once

#include <windows.h>

namespace balancer {

enum WindowStateOwner { kCallerOwnsState, kWindowOwnsState };

// The state a StateWindowProc window keeps, or null (not created through one,
// or already past WM_NCDESTROY).
template <typename State>
State* WindowStateOf(HWND hwnd) {
  return reinterpret_cast<State*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

template <typename State, LRESULT (*Handle)(HWND, State&, UINT, WPARAM, LPARAM),
          WindowStateOwner Owner = kCallerOwnsState>
LRESULT CALLBACK StateWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  State* state = WindowStateOf<State>(hwnd);
  if (state == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg != WM_NCDESTROY) return Handle(hwnd, *state, msg, wParam, lParam);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  const LRESULT result = Handle(hwnd, *state, msg, wParam, lParam);
  if (Owner == kWindowOwnsState) delete state;
  return result;
}

}  // namespace balancer
