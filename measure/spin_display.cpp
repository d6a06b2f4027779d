#include "measure/spin_display.h"

namespace balancer {

SpinStatusLine SpinStatusFor(int code, bool touchscreen) {
  SpinStatusLine line;
  switch (code) {
    case 0:
      if (!touchscreen) {
        line.text = "Press Any Key To Cancel";
        line.colour = kStatusCancelText;
      }
      break;
    case 1:
      line.text = "Safety Check";
      break;
    case 3:
      line.text = "Acquiring Data";
      line.resetsSpeedBar = true;
      break;
    case 4:
      line.text = "Adjusting Motor Power";
      break;
    case 5:
      line.text = "Stabilizing";
      break;
    default:
      break;
  }
  return line;
}

int SpeedBarScale(int value, int currentScale, bool acquiring) {
  if (value < 1010) return 0;
  // An acquisition draws its progress (up to 1055), not a speed.
  if (acquiring && value <= 2050) return 0;
  if (value >= 1051 && value <= 2009) return 1;
  if (value > 2050) return 2;
  return currentScale;
}

}  // namespace balancer
