// Value boxes (class "boxclass"): show a field's stored value; a click opens
// the entry window for that field.
#pragma once

#include <windows.h>

#include "app/win32/kit/kit_context.h"

namespace balancer {

constexpr char kValueBoxClass[] = "boxclass";

bool RegisterValueBoxClass(HINSTANCE instance);

// The kit the boxes open entry windows with (one per program).
void SetValueBoxKit(KitContext* kit);

// A box for `fieldCode` at (x, y), w x h design units, scaled by `scale`.
// The control id is the field code.
HWND CreateValueBox(HWND parent, int fieldCode, int x, int y, int w, int h, float scale);

// The field code a box edits now.
int ValueBoxFieldCode(HWND box);

// Which sides are corrected with heavy metal (for the radius boxes).
void SetValueBoxSides(bool outsideZoneLeft, bool outsideZoneRight);

}  // namespace balancer
