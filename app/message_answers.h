// What an answer to a MessageWindow does, decided by ActionCode. The Win32
// routing carries the plan out; keeping the decision here lets it be tested
// without a window.
#pragma once

#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "base/program_folder.h"
#include "device/control_link.h"

namespace balancer {

enum class AnswerStep {
  kNone,              // just close
  kSaveFinalAgain,    // kFieldSaveFinal: clear the saved flag, send Save Final again
  kToggleSuspension,  // kFieldSuspension
  kOpenCalibration,   // kFieldCalibrationWarning
  kLoadConfig,        // kFieldLoadFromEeprom
  kStoreConfig,       // kFieldSaveToEeprom
  kPrint,             // kFieldPrintQuestion
  kPresets,           // kFieldNewPresetsQuestion
  kStartUpdate,       // kFieldUpdateSoftware, yes
  kCloseUpdate,       // kFieldUpdateSoftware, anything else
  kZone,              // kFieldAddSlugQuestion
  kScreen,            // any other question while a screen is open: to that screen
};

struct AnswerPlan {
  AnswerStep step = AnswerStep::kNone;
  // The bobweight screen (kScreenBobweight) is open: save its file, or drop its pending
  // result. At most one of them is set, and only with that screen open.
  bool bobweightSave = false;
  bool bobweightDrop = false;
  // ActionCode afterwards (the question is done with).
  bool resetActionCode = false;
  // Yes or OK: what kScreen hands the screen.
  bool accepted = false;
};

// answer: 1 OK, 6 yes, 7 no. screenCode: the open child screen's letter or 0.
AnswerPlan PlanMessageAnswer(int answer, int actionCode, char screenCode);

// The suspension question's yes: hard bearing (0, LVDT) <-> soft bearing
// (1, accelerometer).
void ToggleSuspension(MachineSettings& settings);

// Ctrl+L answered LOAD: reads the configuration record from the control,
// copies it into the settings and writes balsetup.dta and balsetup.bak.
// False, with the settings untouched, when the control gave no record.
bool LoadConfigIntoSettings(ControlLink& link, MachineSettings& settings,
                            const ProgramFolder& folder, OperatorUi* ui);

// "SAVE to EEPROM" answered STORE: writes the settings' record to the control
// with confirmation. True when stored.
bool StoreSettingsIntoControl(ControlLink& link, const MachineSettings& settings);

}  // namespace balancer
