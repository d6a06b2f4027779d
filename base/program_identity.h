// Names by which the program and its windows are found: the second copy and
// the installer look for the main window by class and title.
#pragma once

namespace balancer {

constexpr const char* kMainWindowClass = "balclass";
constexpr const char* kMainWindowTitle = "Vidoduz Azavodad";
constexpr const char* kMessageWindowClass = "TextBoxClass";
constexpr const char* kSingleInstanceMutexName = "Halvorn Technology Vidoduz Azavodad";

// File in the program folder that points balancer-demo at a control emulator.
constexpr const char* kControlSimAddressFile = "controlsim.txt";

// Main window timer.
constexpr int kMainTimerId = 1;
constexpr int kMainTimerPeriodMs = 30;

}  // namespace balancer
