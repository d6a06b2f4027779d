// The main window (class "balclass", title "Vidoduz Azavodad"): the
// operator's home screen with its picture buttons, value boxes, keys, the
// 30 ms timer and the painted instrument panel.
#pragma once

#include <windows.h>

#include "app/status_field.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/main_window_state.h"

namespace balancer {

// Registers "balclass" (background (224,224,224), icons "lgicon"/"smicon").
bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the window at (0,0), 1280s x 680s, hidden. The creation loads the
// settings (the control's record as referee), the sensor map, preload and
// company text, computes the corrections once, reads speed and angle and
// starts the 30 ms timer. Destroying it writes the settings, closes the
// control and ends the message loop.
HWND CreateMainWindow(MainWindowState& state);

// The kit's services for a kit over `state`'s main window: the given records,
// the window's history and correction state, and the window's actions and
// screen host (which do nothing while the window does not exist).
KitServices MainKitServices(MainWindowState& state, MachineSettings& settings,
                            const ProgramFolder& folder, OperatorUi& ui, ControlLink& link,
                            MessageWindowState& message);

// The status field in pixels.
RECT StatusFieldRect(const MainWindowState& state);

// What the status field shows now.
StatusFieldView CurrentStatusView(const MainWindowState& state);

// One timer tick (also what WM_TIMER runs).
void MainWindowTick(MainWindowState& state);

// Runs the command as its button would (WM_COMMAND with a zero high word).
void RunMainCommand(MainWindowState& state, int id);

// Recomputes the corrections from the present readings.
void RecomputeCorrections(MainWindowState& state);

// Moves and shows the picture buttons for the present mode.
void PlaceMainButtons(MainWindowState& state);

// The picture button of a command, or null.
HWND ButtonOf(const MainWindowState& state, int id);

// Whether the control is connected.
bool MainConnected(const MainWindowState& state);

}  // namespace balancer
