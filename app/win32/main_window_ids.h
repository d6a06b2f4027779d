// The main window's own numbers. A value box's control id is the field code
// it edits; the system commands are what a press on the logo sends the
// window (and what another copy of the program sends to bring it up).
#pragma once

#include <windows.h>

#include "base/field_codes.h"

namespace balancer {

// The value boxes of the main screen.
constexpr int kMainBoxRadiusLeft = kFieldRadiusLeft;  // correction (or slug) radius
constexpr int kMainBoxRadiusRight = kFieldRadiusRight;
constexpr int kMainBoxUprightDistance = kFieldUprightDistance;
constexpr int kMainBoxPlaneOffsetLeft = kFieldPlaneOffsetLeft;
constexpr int kMainBoxPlaneOffsetRight = kFieldPlaneOffsetRight;
constexpr int kMainBoxSideWeightLeft = kFieldSideWeightLeft;
constexpr int kMainBoxSideWeightRight = kFieldSideWeightRight;

// WM_SYSCOMMAND values the window answers itself.
constexpr WPARAM kMainSysCalibrationWarning = 1;  // a right press on the logo
constexpr WPARAM kMainSysAbout = 2;               // a left press on the logo
// A second copy of the program sends SC_MAXIMIZE: the window is shown at
// its normal size instead.
constexpr WPARAM kMainSysShowRunning = SC_MAXIMIZE;

}  // namespace balancer
