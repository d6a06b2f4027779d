// Machine Calibration ("childclass", title "Machine Calibration", ScreenCode
// 'c'): lag compensations, calibration factors, calibration by a known
// weight, suspension and sensor, and with a control of firmware 3.00 or later
// the encoder and the EEPROM record. Opened by OK on the calibration warning
// (a right click on the logo).
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

HWND OpenMachineCalibrationWindow(const ScreenContext& context);

}  // namespace balancer
