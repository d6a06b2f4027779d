// Draws a composed print page onto a device context: the printer's page, or
// a memory bitmap for a preview or a test. Text and lines through GDI, the
// pictures through GDI+.
#pragma once

#include <windows.h>

#include "bobweight/bobweight_print.h"

namespace balancer {

struct PrintPageStyle {
  PrintPicturePaths pictures;             // files of the picture items; a missing one is left out
  COLORREF companyColour = RGB(0, 0, 0);  // job and company lines (headerTextColor)
};

// Draws `page` on `dc` whose printable area is width x height device units,
// with its origin at the top left. Returns the number of pictures drawn.
int DrawPrintPage(HDC dc, int width, int height, const PrintPage& page,
                  const PrintPageStyle& style = PrintPageStyle());

}  // namespace balancer
