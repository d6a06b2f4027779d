#include "app/win32/kit/design_font.h"

#include "app/screen_scale.h"

namespace balancer {

HFONT CreateDesignFont(int designHeight, int weight, float screenScale) {
  return CreateFontA(Scaled(designHeight, screenScale), 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0,
                     "ARIAL");
}

int DesignPixels(double design, float screenScale) {
  return Scaled(design, screenScale);
}

}  // namespace balancer
