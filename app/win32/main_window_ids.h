// The main window's own numbers. A value box's control id is the field code
// it edits; the system commands are what a press on the logo sends the
// window (and what another copy of the program sends to bring it up).
#pragma once

#include <windows.h>

namespace balancer {

// The value boxes of the main screen.
constexpr int kMainBoxRadiusLeft = 100;  // correction (or slug) radius
constexpr int kMainBoxRadiusRight = 101;
constexpr int kMainBoxUprightDistance = 131;
constexpr int kMainBoxPlaneOffsetLeft = 132;
constexpr int kMainBoxPlaneOffsetRight = 133;
constexpr int kMainBoxSideWeightLeft = 262;
constexpr int kMainBoxSideWeightRight = 263;

// WM_SYSCOMMAND values the window answers itself.
constexpr WPARAM kMainSysCalibrationWarning = 1;  // a right press on the logo
constexpr WPARAM kMainSysAbout = 2;               // a left press on the logo
// A second copy of the program sends SC_MAXIMIZE: the window is shown at
// its normal size instead.
constexpr WPARAM kMainSysShowRunning = SC_MAXIMIZE;

}  // namespace balancer
