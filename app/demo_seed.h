// balancer-demo's first start: with no settings file yet, the demo writes
// the built-in defaults in Auto speed control, which agree with the
// simulated control's EEPROM, so a newcomer presses Spin and sees a result
// instead of the settings warning. balancer.exe never seeds.
#pragma once

#include "base/operator_ui.h"
#include "base/program_folder.h"

namespace balancer {

// Writes balsetup.dta and .bak when neither exists. True when it wrote them;
// false when a settings file was already there or the writing failed (the
// operator has been told then).
bool SeedDemoSettings(const ProgramFolder& folder, OperatorUi* ui);

}  // namespace balancer
