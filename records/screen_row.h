// What the settings screens (Machine Setup, Machine Calibration) share: the
// records they work on and their close button. Their rows and presses are
// the screen vocabulary of base/screen_model.h.
#pragma once

#include "base/field_codes.h"
#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "base/screen_model.h"
#include "device/control_link.h"

namespace balancer {

// The close button both screens share.
constexpr int kExitButton = kFieldOk;

// The records a settings screen works on; the application owns them.
struct SetupRecords {
  MachineSettings& settings;
  ControlLink& link;
  OperatorUi* ui = nullptr;
};

// A settings screen opened without its records shows and writes nothing:
// Exit only closes it.
inline ScreenPress PressWithoutRecords(int id) {
  ScreenPress press;
  press.handled = press.close = id == kExitButton;
  return press;
}

}  // namespace balancer
