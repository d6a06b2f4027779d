#include "app/win32/kit/message_routing.h"

#include "app/message_answers.h"
#include "base/field_codes.h"

namespace balancer {

void RouteMessageAnswer(KitContext& kit, int answer, int actionCode) {
  const AnswerPlan plan = PlanMessageAnswer(answer, actionCode, kit.screenCode);
  MainWindowActions& actions = *kit.actions;
  if (plan.bobweightSave || plan.bobweightDrop) {
    actions.BobweightAnswer(plan.bobweightSave);
  }
  if (plan.resetActionCode) kit.actionCode = 0;

  // Steps that may open a window or a message of their own run with this
  // message closed and its return window active again.
  auto closeFirst = [&kit] { CloseMessageWindow(*kit.message); };

  switch (plan.step) {
    case AnswerStep::kNone:
      break;
    case AnswerStep::kSaveFinalAgain:
      closeFirst();
      actions.ClearFinalSaved();
      actions.SendCommand(kFieldSaveFinal);
      break;
    case AnswerStep::kToggleSuspension:
      ToggleSuspension(*kit.settings);
      if (kit.childScreen != nullptr) InvalidateRect(kit.childScreen, nullptr, TRUE);
      break;
    case AnswerStep::kOpenCalibration:
      closeFirst();
      actions.OpenCalibrationWindow();
      break;
    case AnswerStep::kLoadConfig:
      closeFirst();
      if (LoadConfigIntoSettings(*kit.link, *kit.settings, *kit.folder, kit.ui)) {
        actions.RecomputeAndRepaint();
      }
      break;
    case AnswerStep::kStoreConfig:
      closeFirst();
      StoreSettingsIntoControl(*kit.link, *kit.settings);
      break;
    case AnswerStep::kPrint:
    case AnswerStep::kPresets:
    case AnswerStep::kStartUpdate:
    case AnswerStep::kZone:
      closeFirst();
      actions.RunAnsweredAction(actionCode, true);
      break;
    case AnswerStep::kCloseUpdate:
      closeFirst();
      actions.RunAnsweredAction(actionCode, false);
      break;
    case AnswerStep::kScreen:
      closeFirst();
      actions.RunAnsweredAction(actionCode, plan.accepted);
      break;
  }
}

void ConnectMessageRouting(KitContext& kit) {
  kit.message->onAnswer = [&kit](int answer, int actionCode) {
    RouteMessageAnswer(kit, answer, actionCode);
  };
}

}  // namespace balancer
