// The whole screen design is laid out in 1280 x 680 units; everything the
// program places or draws is multiplied by one scale factor taken from the
// desktop work area.
#pragma once

namespace balancer {

constexpr int kDesignWidth = 1280;
constexpr int kDesignHeight = 680;

// min(right / 1280, bottom / 680), dividing the integer work-area edges as
// floating point. A work area that could not be read (right or bottom not
// above 0) gives 1.0 so that the windows still have a size.
float ComputeScreenScale(int workAreaRight, int workAreaBottom);

// A design value in pixels: value x scale, truncated toward zero.
int Scaled(double designValue, float screenScale);

}  // namespace balancer
