// Value boxes (class "boxclass"): show a field's stored value; a click opens
// the entry window for that field.
#pragma once

#include <windows.h>

#include "app/win32/kit/kit_context.h"

namespace balancer {

constexpr char kValueBoxClass[] = "boxclass";

bool RegisterValueBoxClass(HINSTANCE instance);

// Sent by a box being made to its parent, then on up the parents, until one
// answers with the KitContext* the box reads its value from and opens entries
// with (the main window and every screen do). A box nobody answers for shows
// nothing and opens nothing.
constexpr UINT kKitContextQuery = WM_APP + 22;

// A box for `fieldCode` at (x, y), w x h design units, scaled by `scale`.
// The control id is the field code.
HWND CreateValueBox(HWND parent, int fieldCode, int x, int y, int w, int h, float scale);

// The field code a box edits now.
int ValueBoxFieldCode(HWND box);

// Which sides are corrected with heavy metal (for the radius boxes of every
// box of `kit`).
void SetValueBoxSides(KitContext& kit, bool outsideZoneLeft, bool outsideZoneRight);

}  // namespace balancer
