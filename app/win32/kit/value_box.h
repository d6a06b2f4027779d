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

// A bobweight component box: `index` 0-23 on the page of 24 boxes; its
// field code is 187 + index + 24 x the component page, so it follows the
// page without being made again.
HWND CreateBobweightComponentBox(HWND parent, int index, int x, int y, int w, int h, float scale);

// The bobweight component page (0-based) the component boxes use.
void SetBobweightComponentPage(int page);

// The field code a box edits now.
int ValueBoxFieldCode(HWND box);

// Which sides are corrected with heavy metal (for the radius boxes).
void SetValueBoxSides(bool outsideZoneLeft, bool outsideZoneRight);

}  // namespace balancer
