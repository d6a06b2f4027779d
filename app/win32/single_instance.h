// Only one copy of the program runs: a named mutex tells a second copy, which
// brings the first one's window up and ends.
#pragma once

#include <windows.h>

namespace balancer {

// Creates (or opens) the program's mutex. Returns true when no other copy
// holds it. The handle is kept for the whole run and never released.
bool ClaimSingleInstance(HANDLE* mutexOut = nullptr);

// Asks the running copy's main window to show itself (WM_SYSCOMMAND
// SC_MAXIMIZE, which it answers with a normal-size show). Returns false when
// no such window was found.
bool WakeRunningCopy();

}  // namespace balancer
