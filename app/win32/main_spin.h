// Spin / Acquire from the main window: RunSpin with the window as its host,
// and the status line and speed bar drawn while the spin holds the thread.
// The window is reached only through `state.spinHost`.
#pragma once

#include <windows.h>

#include "app/win32/kit/screen_host.h"
#include "app/win32/main_window_state.h"

namespace balancer {

// Spin / Acquire: RunSpin with the window as its host. Does nothing while a
// spin runs or the window lacks its records.
void RunSpinFromWindow(MainWindowState& state);
// A spin for an open screen (ScreenHost::SpinForScreen): the same RunSpin
// with its status line, speed bar and cancel, but nothing of the job
// changes and the screen keeps the window. True when the spin completed.
bool RunSpinForScreen(MainWindowState& state, ScreenSpin& spin);
// Draws the spin status line (code as ShowSpinStatus) at once.
void DrawSpinStatusNow(MainWindowState& state, int code);
// Draws the speed bar at once (rpm or progress scaled to 1055).
void DrawSpeedBarNow(MainWindowState& state, int value);
// Creates the SpeedBarWindow over the speed area; true when it was made now.
bool OpenSpeedBarWindow(MainWindowState& state);
void CloseSpeedBarWindow(MainWindowState& state);
// Whether a pointer-down at screen (x, y) lies inside the spin button.
bool InsideSpinButton(const MainWindowState& state, int x, int y);

}  // namespace balancer
