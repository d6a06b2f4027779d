// What the spin's status line and speed bar show; the front end draws it.
#pragma once

#include "base/operator_message.h"

namespace balancer {

constexpr Rgb kStatusLineBackground{245, 245, 245};
constexpr Rgb kStatusLineBackgroundAlternative{224, 224, 224};
constexpr Rgb kStatusCancelText{255, 0, 0};
constexpr Rgb kStatusProgressText{0, 128, 48};

struct SpinStatusLine {
  const char* text = "";  // "" blanks the line
  Rgb colour = kStatusProgressText;
  bool resetsSpeedBar = false;  // "Acquiring Data" starts the bar anew
};

// The line for a ShowSpinStatus code; the cancel hint is not shown on a
// touchscreen (the spin button cancels there).
SpinStatusLine SpinStatusFor(int code, bool touchscreen);

// Speed bar scale for a value drawn: 0 (labels 0, 2, 4, ...) below 1010,
// 1 (10, 12, ...) from 1051 to 2009, 2 (20, 22, ...) above 2050; between
// those bands the present scale stays. `acquiring` (SpinState::acquiring)
// says the value is an acquisition's progress, which reaches 1055 at the
// last revolution: then the first scale holds up to 2050.
int SpeedBarScale(int value, int currentScale, bool acquiring = false);

}  // namespace balancer
