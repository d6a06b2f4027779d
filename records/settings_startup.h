// Loading the settings at start-up, with the control's EEPROM record as
// referee between balsetup.dta and balsetup.bak, and writing them back.
#pragma once

#include <functional>
#include <string>

#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "base/program_folder.h"
#include "device/control_link.h"

namespace balancer {

// A balsetup.dta that no longer reads is kept under this name before it is
// replaced.
constexpr const char* kDamagedSettingsName = "balsetup.dta.bad";

struct SettingsLoadResult {
  std::string source = "defaults";  // "dta", "bak" or "defaults"
  bool readOk = false;              // a settings file was read successfully
  bool dtaRepaired = false;         // balsetup.dta was rewritten from the backup
  bool disableMainWindow = false;   // a message is open: the main window waits for it
  int calibrationMatch = 1;         // CalibrationMatch after the last compare
};

// Compares the control's record with the settings, showing the mismatch
// warning when `showWarning` is 1; returns CalibrationMatch and sets
// `disableMainWindow` when the caller must disable the main window.
using ConfigChecker =
    std::function<int(const MachineSettings& settings, int showWarning, bool& disableMainWindow)>;

// The start-up order. `settings` holds the built-in defaults on entry. Both
// files are read into it in turn: balsetup.dta, then (when that fails or the
// control disputes it) balsetup.bak over what the first read left. A read
// that fails part way keeps the values it took, so after two failed reads
// `settings` holds what they took and the defaults for the rest, fitted and
// limited as after a completed read. A scale model past the list becomes
// none. Nothing of a damaged balsetup.dta is lost: it is kept as
// balsetup.dta.bad before the backup repairs it.
SettingsLoadResult StartupSettingsLoad(const ProgramFolder& folder, const ConfigChecker& check,
                                       OperatorUi& ui, MachineSettings& settings);

// The same with the real control: CheckControlConfig on `link`.
SettingsLoadResult StartupSettingsLoad(const ProgramFolder& folder, ControlLink& link,
                                       OperatorUi& ui, MachineSettings& settings);

// Writes balsetup.dta and then balsetup.bak with identical contents (after a
// settings window closes and after some single entries). False when either
// could not be written; the operator has been told. A balsetup.dta that no
// longer reads is first kept as balsetup.dta.bad (one copy, the newest); when
// that copy cannot be made, balsetup.dta is left as it is.
bool WriteSettingsFiles(const ProgramFolder& folder, const MachineSettings& settings,
                        OperatorUi* ui);

// At exit: balsetup.dta always (keeping a damaged one first, as above),
// balsetup.bak only when the settings agree with the control
// (calibrationMatch 1), so the backup never takes in settings the control
// disputes.
bool WriteSettingsAtExit(const ProgramFolder& folder, const MachineSettings& settings,
                         int calibrationMatch, OperatorUi* ui);

}  // namespace balancer
