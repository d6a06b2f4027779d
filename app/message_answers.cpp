#include "app/message_answers.h"

#include "base/field_codes.h"
#include "device/control_config.h"
#include "records/settings_bridge.h"
#include "records/settings_startup.h"

namespace balancer {

AnswerPlan PlanMessageAnswer(int answer, int actionCode, char screenCode) {
  AnswerPlan plan;
  const bool yes = answer == kAnswerYes;
  const bool yesOrOk = yes || answer == kAnswerOk;
  plan.accepted = yesOrOk;
  if (screenCode == kScreenBobweight) {
    plan.bobweightSave = yesOrOk;
    plan.bobweightDrop = !yesOrOk;
  }
  switch (actionCode) {
    case kFieldSaveFinal:
      if (yes) plan.step = AnswerStep::kSaveFinalAgain;
      break;
    case kFieldSuspension:
      if (yes) plan.step = AnswerStep::kToggleSuspension;
      break;
    case kFieldCalibrationWarning:
      if (yesOrOk) {
        plan.step = AnswerStep::kOpenCalibration;
        plan.resetActionCode = true;
      }
      break;
    case kFieldLoadFromEeprom:
      if (yesOrOk) {
        plan.step = AnswerStep::kLoadConfig;
        plan.resetActionCode = true;
      }
      break;
    case kFieldSaveToEeprom:
      if (yes) plan.step = AnswerStep::kStoreConfig;
      break;
    case kFieldPrintQuestion:
      if (yesOrOk) plan.step = AnswerStep::kPrint;
      break;
    case kFieldNewPresetsQuestion:
      if (yesOrOk) plan.step = AnswerStep::kPresets;
      break;
    case kFieldUpdateSoftware:
      plan.step = yesOrOk ? AnswerStep::kStartUpdate : AnswerStep::kCloseUpdate;
      break;
    case kFieldAddSlugQuestion:
      if (yes) plan.step = AnswerStep::kZone;
      break;
    default:
      if (screenCode != 0 && actionCode != 0) plan.step = AnswerStep::kScreen;
      break;
  }
  return plan;
}

void ToggleSuspension(MachineSettings& settings) {
  if (settings.suspension == 0) {
    settings.suspension = 1;
    settings.sensorType = 3;
  } else {
    settings.suspension = 0;
    settings.sensorType = 0;
  }
}

bool LoadConfigIntoSettings(ControlLink& link, MachineSettings& settings,
                            const ProgramFolder& folder, OperatorUi* ui) {
  // Start from the settings' own record so that a field the control does not
  // keep stays as it is.
  ControlConfig config = ControlConfigFromSettings(settings);
  if (!LoadControlConfig(link, config)) return false;
  ApplyControlConfig(settings, config);
  WriteSettingsFiles(folder, settings, ui);
  return true;
}

bool StoreSettingsIntoControl(ControlLink& link, const MachineSettings& settings) {
  return StoreControlConfig(link, ControlConfigFromSettings(settings), 1) == 1;
}

}  // namespace balancer
