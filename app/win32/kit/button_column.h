// A column of plain buttons labelled from the field table.
#pragma once

#include <windows.h>

namespace balancer {

// Creates `count` BUTTON children of `parent` labelled with the field-table
// labels from index `firstLabelIndex` (code - 100) upward, ids from `firstId`
// upward, the first at (x, y) and each `yStep` below the previous one, all
// `width` x `height` pixels, with `font`, enabled. Returns the first button.
HWND AddButtonColumn(int y, int firstLabelIndex, HWND parent, int x, int yStep, int width,
                     int height, int count, int firstId, HFONT font);

}  // namespace balancer
