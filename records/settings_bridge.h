// Moves the values the control's EEPROM record mirrors between the settings
// and a ControlConfig.
#pragma once

#include "base/machine_settings.h"
#include "device/control_config.h"

namespace balancer {

ControlConfig ControlConfigFromSettings(const MachineSettings& settings);
void ApplyControlConfig(MachineSettings& settings, const ControlConfig& config);

}  // namespace balancer
