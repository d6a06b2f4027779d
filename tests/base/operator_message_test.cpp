#include "base/operator_message.h"

#include <gtest/gtest.h>

namespace balancer {
namespace {

TEST(OperatorMessage, QuestionCarriesBothButtonsAndItsActionCode) {
  OperatorMessage m = MakeQuestion("", "Load?", kDarkBlueText, kBeepNone, 1, 2, 3, 4, "LOAD", 80,
                                   "CANCEL", 90, 249);
  EXPECT_EQ(m.buttonMode, kTwoButtons);
  EXPECT_EQ(m.firstButtonText, "LOAD");
  EXPECT_EQ(m.secondButtonWidth, 90);
  EXPECT_EQ(m.actionCode, 249);
}

}  // namespace
}  // namespace balancer
