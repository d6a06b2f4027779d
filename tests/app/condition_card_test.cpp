#include "app/condition_card.h"

#include <gtest/gtest.h>

#include "bobweight/bobweight_files.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

ShaftCondition Condition(double left, double right, const char* text) {
  ShaftCondition c;
  c.leftAmount = left;
  c.rightAmount = right;
  c.text = text;
  return c;
}

TEST(ConditionCard, NamedCardIsWrittenAgainWithBothConditions) {
  test::TempFolder folder;
  BobweightCard card;
  RodPistonSet set;
  card.jobName = "job1";
  card.pistonWeight = 512.5;
  ASSERT_TRUE(WriteCardFiles(folder.File("job1.bwi"), card, set, nullptr));

  EXPECT_TRUE(StoreConditionOnCard(card, set, Condition(12.5, 3.25, "Left 12.5 grams"), false));
  EXPECT_TRUE(StoreConditionOnCard(card, set, Condition(0.5, 0.25, "Left 0.50 grams"), true));
  EXPECT_FALSE(card.changed);

  BobweightCard back;
  RodPistonSet backSet;
  std::string bobweightFolder;
  ASSERT_TRUE(LoadCardFile(folder.File("job1.bwi"), back, backSet, bobweightFolder));
  EXPECT_EQ(back.initialConditionText, "Left 12.5 grams");
  EXPECT_EQ(back.finalConditionText, "Left 0.50 grams");
  EXPECT_DOUBLE_EQ(back.pistonWeight, 512.5);
}

TEST(ConditionCard, UnnamedOrUnwritableCardKeepsTheConditionAndStaysChanged) {
  BobweightCard card;
  RodPistonSet set;
  EXPECT_FALSE(StoreConditionOnCard(card, set, Condition(7, 8, "Left 7.00 grams"), false));
  EXPECT_EQ(card.initialConditionText, "Left 7.00 grams");
  EXPECT_DOUBLE_EQ(card.initialRight, 8);
  EXPECT_TRUE(card.changed);

  test::TempFolder folder;
  card.filePath = folder.File("missing_folder/job.bwi");
  EXPECT_FALSE(StoreConditionOnCard(card, set, Condition(1, 2, "Left 1.00 grams"), true));
  EXPECT_EQ(card.finalConditionText, "Left 1.00 grams");
  EXPECT_TRUE(card.changed);
}

}  // namespace
}  // namespace balancer
