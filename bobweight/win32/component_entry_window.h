// Bobweight Component Entry ("childclass" over Bobweight Calculation,
// ScreenCode 'i'): 12 rods or 12 pistons and pins in value boxes, the
// computed columns with the lightest row red and the heaviest green, and
// Use Average, Use Lightest, Match Pins and Cancel.
#pragma once

#include <windows.h>

#include "app/win32/kit/child_screen.h"
#include "bobweight/bobweight_card.h"

namespace balancer {

HWND OpenComponentEntryWindow(ChildScreen& parent, ComponentMode mode);

}  // namespace balancer
