// The engine selection list ("engineclass", "Bobweight Reciprocating and
// Rotating Percentages") over Bobweight Calculation. Closing it applies the
// selected row to the card.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"

namespace balancer {

constexpr char kEngineWindowClass[] = "engineclass";

// Reads bwinfo.txt. Without it the operator is told, the default row is
// applied at once and null is returned.
HWND OpenEngineListWindow(ChildScreen& parent);

}  // namespace balancer
