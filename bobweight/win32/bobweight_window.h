// Bobweight Calculation ("childclass", ScreenCode 'b'): the card with its
// toolbar, weight and percentage buttons, total and job line. Opens the
// Component Entry, engine list and Print Options over itself, keeps the
// scale's port open while it is open, and stores and retrieves the card.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "app/win32/kit/child_screen.h"
#include "bobweight/serial_port.h"

namespace balancer {

// Null without a card in the context or when the window could not be made.
HWND OpenBobweightWindow(const ScreenContext& context);

// Where the window gets its serial port for the scale search (a COM port
// unless replaced; tests hand in a simulated scale). Null restores the COM
// port.
void SetScalePortFactory(std::function<std::unique_ptr<SerialPort>()> factory);

}  // namespace balancer
