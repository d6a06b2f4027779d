// Fonts of the design: face "ARIAL", height in design units times the screen
// scale, everything else left to the font mapper.
#pragma once

#include <windows.h>

namespace balancer {

HFONT CreateDesignFont(int designHeight, int weight, float screenScale);

// A design value in pixels at the screen scale.
int DesignPixels(double design, float screenScale);

}  // namespace balancer
