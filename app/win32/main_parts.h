// What the main window's files share among themselves, and only they
// (scripts/check-layout): main_window.cpp makes the window and dispatches its
// messages, main_layout.cpp places the picture buttons and value boxes,
// main_keys.cpp carries out keys, clicks and commands, main_screens.cpp opens
// the screens and is their host, main_paint.cpp paints the instrument panel.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "app/win32/kit/child_screen.h"
#include "app/win32/main_window_state.h"
#include "base/operator_message.h"

namespace balancer {

// main_window.cpp
bool HasSettings(const MainWindowState& state);
// Settings for decisions when the window runs without its records (tests).
const MachineSettings& SettingsOf(const MainWindowState& state);
bool TwoPlane(const MainWindowState& state);
void InvalidatePlanes(MainWindowState& state);

// main_layout.cpp: the picture buttons and the value boxes, made once and
// moved with the balancing mode.
void CreateButtons(MainWindowState& state);
void CreateBoxes(MainWindowState& state);
void PlaceBoxes(MainWindowState& state);

// main_screens.cpp: what the window does for the kit and the screens
// (state.actions, made with the state) and for a spin (state.spinHost).
void MakeMainHosts(MainWindowState& state);
// The host the screens reach the window by.
ScreenHost& MainScreenHost(MainWindowState& state);
// What a screen opened from here gets; null without the kit (bare test
// windows).
std::optional<ScreenContext> ScreenContextOf(MainWindowState& state);

// main_keys.cpp
void OnMainChar(MainWindowState& state, int character);
// Presses on the client area (x, y in client pixels).
void OnMainLeftDown(MainWindowState& state, int x, int y);
void OnMainDoubleClick(MainWindowState& state, int x, int y);
void OnMainRightDown(MainWindowState& state, int x, int y);
// The window's own system commands (main_window_ids.h); false for the
// rest, which go to DefWindowProc.
bool OnMainSysCommand(MainWindowState& state, WPARAM command);

// main_paint.cpp
void PaintMainWindow(MainWindowState& state);

}  // namespace balancer
