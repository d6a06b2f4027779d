// Paints the main window's instrument panel: the portable display model,
// item by item, scaled to the screen.
#pragma once

#include <windows.h>

#include <vector>

#include "app/display_model.h"
#include "app/win32/kit/drawing_resources.h"

namespace balancer {

void PaintDisplay(HDC dc, const std::vector<DrawItem>& items, DrawingResources& res, float scale);

// A design rectangle in pixels.
RECT PixelRect(const DesignRect& r, float scale);

}  // namespace balancer
