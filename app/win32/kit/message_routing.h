// Answers to MessageWindow questions, dispatched on ActionCode.
#pragma once

#include "app/win32/kit/kit_context.h"

namespace balancer {

// Carries out what `answer` (1 OK, 6 yes, 7 no) means for the question
// `actionCode`. Closes the message itself where the next step needs the
// return window back first; otherwise the caller closes it afterwards.
void RouteMessageAnswer(KitContext& kit, int answer, int actionCode);

// Points the message window's answers at RouteMessageAnswer.
void ConnectMessageRouting(KitContext& kit);

}  // namespace balancer
