#include "app/status_field.h"

#include <cstdio>

namespace balancer {

StatusFieldView DecideStatusField(bool connected, int angle, bool spinRunning, bool freeRun) {
  StatusFieldView view;
  if (!connected) {
    view.drawText = true;
    view.red = true;
    view.text = "No Hardware";
    return view;
  }
  if (spinRunning || freeRun) return view;
  char text[16];
  std::snprintf(text, sizeof text, "%d\xB0", angle);
  view.drawText = true;
  view.red = angle == 0 || angle == 90 || angle == 180 || angle == 270;
  view.text = text;
  return view;
}

}  // namespace balancer
