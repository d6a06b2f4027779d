#include "app/screen_scale.h"

namespace balancer {

float ComputeScreenScale(int workAreaRight, int workAreaBottom) {
  if (workAreaRight <= 0 || workAreaBottom <= 0) return 1.0f;
  float sx = static_cast<float>(workAreaRight) / static_cast<float>(kDesignWidth);
  float sy = static_cast<float>(workAreaBottom) / static_cast<float>(kDesignHeight);
  return sx > sy ? sy : sx;
}

int Scaled(double designValue, float screenScale) {
  return static_cast<int>(designValue * static_cast<double>(screenScale));
}

}  // namespace balancer
