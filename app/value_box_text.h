// What a value box shows: the stored value of its field in the display
// units, with the display formats.
#pragma once

#include <string>

#include "base/machine_settings.h"

namespace balancer {

struct ValueBoxSides {
  // The side is corrected with heavy metal: its radius box shows the slug
  // installation radius.
  bool outsideZoneLeft = false;
  bool outsideZoneRight = false;
};

// "" for a code without a settings value.
std::string ValueBoxText(int code, const MachineSettings& settings,
                         const ValueBoxSides& sides = {});

}  // namespace balancer
