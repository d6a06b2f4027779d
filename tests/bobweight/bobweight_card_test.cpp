#include "bobweight/bobweight_card.h"

#include <gtest/gtest.h>

#include <limits>

#include "bobweight/bobweight_screen.h"
#include "records/history.h"

namespace balancer {
namespace {

BobweightCard ExampleCard() {
  BobweightCard card;
  card.rodTotalWeight = 600;
  card.rodBigEndWeight = 400;
  card.rodBearingWeight = 60;
  card.pistonWeight = 500;
  card.pinWeight = 120;
  card.pinLockWeight = 4;
  card.ringWeight = 40;
  card.supportRailWeight = 0;
  card.oilWeight = 5;
  return card;
}

TEST(BobweightFormula, WorkedExamples) {
  BobweightCard card = ExampleCard();
  EXPECT_DOUBLE_EQ(computeBobweight(card), 1789.0);
  EXPECT_EQ(BobweightTotalText(card.bobweightTotal), "1789.0 grams");

  card.overbalancePercent = 2;
  EXPECT_NEAR(computeBobweight(card), 1824.78, 1e-9);

  card.overbalancePercent = 0;
  computeBobweight(card);
  EXPECT_EQ(PerSideLine(PerSide(card, 1500), 1500), "Add 144.5 per side");
}

TEST(BobweightFormula, EmptyCardIsTheOilAlone) {
  BobweightCard card;
  EXPECT_DOUBLE_EQ(computeBobweight(card), 5.0);
  EXPECT_EQ(BobweightTotalText(card.bobweightTotal), "  5.0 grams");
  EXPECT_EQ(PerSideLine(PerSide(card, 0), 0), "2.5 per half");
}

TEST(BobweightFormula, PercentagesAndCylindersWeighTheirParts) {
  BobweightCard card = ExampleCard();
  card.reciprocatingPercent = 100;
  card.rotatingPercent = 50;
  card.cylindersPerBobweight = 1;
  // 864 * 1 * 1.0 + 460 * 1 * 0.5 + 5
  EXPECT_DOUBLE_EQ(computeBobweight(card), 1099.0);
}

RodPistonSet Rods(std::initializer_list<std::pair<double, double>> rows) {
  RodPistonSet set;
  int i = 0;
  for (auto [total, bigEnd] : rows) {
    set.rodTotals[i] = total;
    set.rodBigEnds[i] = bigEnd;
    ++i;
  }
  return set;
}

TEST(RodPistonExtremes, TiesKeepTheEarlierRowAndZerosAreNotWeighed) {
  BobweightCard card;
  RodPistonSet set = Rods({{0, 0}, {610, 400}, {600, 410}, {610, 400}, {600, 395}});
  RecomputeExtremes(set, card);
  EXPECT_EQ(set.extremes.lightRodTotal, 2);
  EXPECT_EQ(set.extremes.heavyRodTotal, 1);
  EXPECT_EQ(set.extremes.lightBigEnd, 4);
  EXPECT_EQ(set.extremes.heavyBigEnd, 2);
  // Small ends 210, 190, 210, 205.
  EXPECT_EQ(set.extremes.lightSmallEnd, 2);
  EXPECT_EQ(set.extremes.heavySmallEnd, 1);
}

TEST(RodPistonExtremes, RodWithBigEndAboveItsTotalHasNoSmallEnd) {
  BobweightCard card;
  // Row 0 has its big end typed into the total's place; row 3 has no big end
  // yet, so its "small end" is the whole rod.
  RodPistonSet set = Rods({{400, 600}, {600, 400}, {620, 400}, {300, 0}});
  EXPECT_FALSE(ShowsSmallEnd(set, 0));
  EXPECT_FALSE(ShowsSmallEnd(set, 3));
  RecomputeExtremes(set, card);
  EXPECT_EQ(set.extremes.lightSmallEnd, 1);
  EXPECT_EQ(set.extremes.heavySmallEnd, 2);
}

TEST(RodPistonExtremes, ReciprocatingTotalsOnlyOverCompleteRows) {
  BobweightCard card;
  card.pinLockWeight = 4;
  card.ringWeight = 40;
  RodPistonSet set = Rods({{600, 400}, {600, 400}, {600, 400}});
  // Row 0 lacks its pin: it must neither be lightest nor stop row 2 being it.
  set.pistons = {480, 500, 505};
  set.pins = {0, 120, 110};
  RecomputeExtremes(set, card);
  EXPECT_FALSE(ShowsRecipTotal(set, 0));
  EXPECT_DOUBLE_EQ(RecipTotal(set, card, 1), 864);
  EXPECT_EQ(set.extremes.lightRecip, 2);      // 859
  EXPECT_EQ(set.extremes.heavyRecip, 1);      // 864
  EXPECT_EQ(set.extremes.lightPistonPin, 0);  // 480 alone still counts as a total
  EXPECT_EQ(set.extremes.heavyPistonPin, 1);
}

TEST(ComponentButtons, AverageIgnoresZerosAndLightestTakesEachColumnOnItsOwn) {
  BobweightCard card;
  RodPistonSet set = Rods({{400, 300}, {0, 0}, {410, 290}});
  UseAverage(card, set, ComponentMode::kRods);
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 405);
  EXPECT_DOUBLE_EQ(card.rodBigEndWeight, 295);
  EXPECT_TRUE(card.changed);

  card = BobweightCard{};
  UseLightest(card, set, ComponentMode::kRods);
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 400);   // row 0
  EXPECT_DOUBLE_EQ(card.rodBigEndWeight, 290);  // row 2
  EXPECT_TRUE(card.changed);

  BobweightCard untouched;
  UseAverage(untouched, RodPistonSet{}, ComponentMode::kPistons);
  EXPECT_DOUBLE_EQ(untouched.pistonWeight, 0);
}

TEST(MatchPins, LightPistonsGetHeavyPins) {
  BobweightCard card;
  RodPistonSet set;
  set.pistons = {500, 502, 498};
  set.pins = {120, 121, 119};
  set.pinNumbers = {1, 2, 3};
  ASSERT_TRUE(MatchPins(card, set));
  EXPECT_DOUBLE_EQ(set.pins[2], 121);
  EXPECT_EQ(set.pinNumbers[2], 2);
  EXPECT_DOUBLE_EQ(set.pins[0], 120);
  EXPECT_EQ(set.pinNumbers[0], 1);
  EXPECT_DOUBLE_EQ(set.pins[1], 119);
  EXPECT_EQ(set.pinNumbers[1], 3);
  EXPECT_TRUE(card.changed);
  EXPECT_EQ(set.extremes.heavyPin, 2);
}

TEST(MatchPins, EqualWeightsFavourTheLaterRowAndNeedBothColumns) {
  BobweightCard card;
  RodPistonSet set;
  set.pistons = {500, 500};
  set.pins = {120, 110};
  set.pinNumbers = {1, 2};
  ASSERT_TRUE(MatchPins(card, set));
  // Row 1 is placed first among the equal pistons, so it gets the heavy pin.
  EXPECT_DOUBLE_EQ(set.pins[1], 120);
  EXPECT_DOUBLE_EQ(set.pins[0], 110);

  RodPistonSet noPins;
  noPins.pistons = {500, 498};
  BobweightCard unchanged;
  EXPECT_FALSE(MatchPins(unchanged, noPins));
  EXPECT_FALSE(unchanged.changed);
}

TEST(MatchPins, PinsBeyondThePistonsAreKept) {
  BobweightCard card;
  RodPistonSet set;
  set.pistons = {500, 0, 0};
  set.pins = {120, 121, 119};
  set.pinNumbers = {1, 2, 3};
  ASSERT_TRUE(MatchPins(card, set));
  EXPECT_DOUBLE_EQ(set.pins[0], 121);
  EXPECT_EQ(set.pinNumbers[0], 2);
  double sum = set.pins[0] + set.pins[1] + set.pins[2];
  EXPECT_DOUBLE_EQ(sum, 360);
  EXPECT_EQ(set.pinNumbers[1] + set.pinNumbers[2], 4);
}

TEST(BobweightEntry, StoresByIdentifierAndSetsTheChangedFlag) {
  BobweightCard card;
  RodPistonSet set;
  double empty = 0;
  EXPECT_EQ(StoreBobweightEntry(107, 118.5, card, set, empty), EntryResult::kStored);
  EXPECT_DOUBLE_EQ(card.pistonWeight, 0);
  EXPECT_DOUBLE_EQ(card.pinWeight, 118.5);
  EXPECT_TRUE(card.changed);
  EXPECT_EQ(StoreBobweightEntry(139, 1, card, set, empty), EntryResult::kStored);
  EXPECT_DOUBLE_EQ(card.cylindersPerBobweight, 1);

  card.changed = false;
  EXPECT_EQ(StoreBobweightEntry(119, 1500, card, set, empty), EntryResult::kStoredSettings);
  EXPECT_DOUBLE_EQ(empty, 1500);
  EXPECT_FALSE(card.changed);

  EXPECT_EQ(StoreBobweightEntry(103, -1, card, set, empty), EntryResult::kRejected);
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 0);
  // A negative overbalance is a sign slip, refused like any other negative.
  EXPECT_EQ(StoreBobweightEntry(140, 2, card, set, empty), EntryResult::kStored);
  card.changed = false;
  EXPECT_EQ(StoreBobweightEntry(140, -2, card, set, empty), EntryResult::kRejected);
  EXPECT_DOUBLE_EQ(card.overbalancePercent, 2);
  EXPECT_FALSE(card.changed);

  // Beyond any weight or percentage the card can hold: refused, so the card
  // never computes infinity and every value comes back from its file.
  for (int id : {103, 107, 119, 140, 187, 234}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(StoreBobweightEntry(id, 1e300, card, set, empty), EntryResult::kRejected);
    EXPECT_EQ(StoreBobweightEntry(id, kCardValueMax * 1.5, card, set, empty),
              EntryResult::kRejected);
  }
  EXPECT_FALSE(card.changed);
  EXPECT_DOUBLE_EQ(empty, 1500);
  EXPECT_EQ(StoreBobweightEntry(103, kCardValueMax, card, set, empty), EntryResult::kStored);
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, kCardValueMax);
  EXPECT_EQ(StoreBobweightEntry(104, std::numeric_limits<double>::infinity(), card, set, empty),
            EntryResult::kRejected);
  EXPECT_DOUBLE_EQ(card.rodBigEndWeight, 0);
  EXPECT_EQ(StoreBobweightEntry(112, 5, card, set, empty), EntryResult::kNotBobweightField);
}

TEST(BobweightEntry, IndividualWeightsGoToTheirRowAndNumberThePin) {
  BobweightCard card;
  RodPistonSet set;
  double empty = 0;
  EXPECT_EQ(StoreBobweightEntry(187 + 11, 612, card, set, empty), EntryResult::kStoredComponent);
  EXPECT_DOUBLE_EQ(set.rodTotals[11], 612);
  EXPECT_EQ(set.extremes.heavyRodTotal, 11);
  StoreBobweightEntry(199 + 3, 401, card, set, empty);
  EXPECT_DOUBLE_EQ(set.rodBigEnds[3], 401);
  StoreBobweightEntry(211 + 0, 500, card, set, empty);
  EXPECT_DOUBLE_EQ(set.pistons[0], 500);
  StoreBobweightEntry(223 + 4, 120, card, set, empty);
  EXPECT_DOUBLE_EQ(set.pins[4], 120);
  EXPECT_EQ(set.pinNumbers[4], 5);
  set.pinNumbers[4] = 9;  // a matched pin keeps its number when reweighed
  StoreBobweightEntry(223 + 4, 121, card, set, empty);
  EXPECT_EQ(set.pinNumbers[4], 9);
}

TEST(BobweightTexts, AreCutToTheirFieldsAndNotesLoseEsc) {
  BobweightCard card;
  SetJobNotes(card, "line one\r\nline\x1b two" + std::string(700, 'x'));
  EXPECT_EQ(card.jobNotes.size(), kJobNotesMax);
  EXPECT_EQ(card.jobNotes.find('\x1b'), std::string::npos);
  EXPECT_EQ(card.jobNotes.substr(0, 19), "line one\r\nline twox");
  SetExternalWeights(card, "12.5 g at 90", std::string(100, '9'));
  EXPECT_EQ(card.externalWeightText.size(), kExternalWeightTextMax);
  EXPECT_EQ(card.externalWeightText.substr(0, 32), "Front: 12.5 g at 90      Rear: 9");
  SetJobDate(card, "12/31/2026 extra");
  EXPECT_EQ(card.jobDate, "12/31/2026 ");
  EXPECT_EQ(FormatJobDate(3, 7, 2026), "3/7/2026");
}

TEST(NewJob, ResetsTheCardFromTheSettings) {
  BobweightCard card = ExampleCard();
  card.jobName = "smith 350";
  card.jobNotes = "notes";
  card.engineName = "350";
  card.changed = true;
  card.savedJobName = "smith 350";
  card.filePath = "/x/smith 350.bwi";
  RodPistonSet set;
  set.pistons[3] = 500;
  NewJobDefaults defaults;
  defaults.defaultOilWeight = 7.5;
  defaults.shaftRadiusLeft = 3.1;
  defaults.shaftRadiusRight = 3.2;
  defaults.toleranceMoment = 2.5;
  newJob(card, set, defaults, "12/7/2026");
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 0);
  EXPECT_DOUBLE_EQ(card.oilWeight, 7.5);
  EXPECT_DOUBLE_EQ(card.leftRadius, 3.1);
  EXPECT_DOUBLE_EQ(card.rightRadius, 3.2);
  EXPECT_DOUBLE_EQ(card.tolerance, 2.5);
  EXPECT_EQ(card.engineName, "V-8");
  EXPECT_EQ(card.jobDate, "12/7/2026");
  EXPECT_TRUE(card.jobName.empty());
  EXPECT_TRUE(card.savedJobName.empty());
  EXPECT_TRUE(card.filePath.empty());
  EXPECT_TRUE(card.jobNotes.empty());
  EXPECT_FALSE(card.changed);
  EXPECT_DOUBLE_EQ(card.bobweightTotal, 7.5);
  EXPECT_DOUBLE_EQ(set.pistons[3], 0);
}

TEST(NewJob, ConditionsComeFromTheShaftRecords) {
  BobweightCard card;
  ShaftCondition initial;
  initial.leftAmount = 12.3;
  initial.rightAmount = 4.56;
  initial.text = "Left 12.3 grams      Right 4.56 grams" + std::string(30, ' ');
  TakeShaftCondition(card, initial, false);
  EXPECT_DOUBLE_EQ(card.initialLeft, 12.3);
  EXPECT_EQ(card.initialConditionText.size(), kConditionTextMax);
  EXPECT_DOUBLE_EQ(card.finalLeft, 0);
  TakeShaftCondition(card, initial, true);
  EXPECT_DOUBLE_EQ(card.finalRight, 4.56);
}

TEST(BobweightScreen, TextsOfTheCardAndTheComponentRows) {
  BobweightCard card = ExampleCard();
  card.jobName = "smith 350";
  card.overbalancePercent = 2;
  BobweightScreenTexts t = ComposeBobweightScreen(card, 0);
  EXPECT_EQ(t.weights[0], "600.0");
  EXPECT_EQ(t.weights[8], "  5.0");
  EXPECT_EQ(t.reciprocating, "50.0 %");
  EXPECT_EQ(t.cylinders, "2");
  EXPECT_EQ(t.overbalance, "   2.0 %");
  EXPECT_EQ(t.total, "1824.8 grams");
  EXPECT_EQ(t.perSide, "912.4 per half");
  EXPECT_EQ(t.jobLine, "smith 350   V-8");

  RodPistonSet set = Rods({{600, 400}, {610, 400}, {0, 0}});
  RecomputeExtremes(set, card);
  ComponentRow light = ComposeComponentRow(set, card, ComponentMode::kRods, 0);
  EXPECT_EQ(light.computed.text, "200.0 g");
  EXPECT_EQ(light.computed.colour, CellColour::kLightest);
  EXPECT_EQ(ComposeComponentRow(set, card, ComponentMode::kRods, 1).computed.colour,
            CellColour::kHeaviest);
  ComponentRow empty = ComposeComponentRow(set, card, ComponentMode::kRods, 2);
  EXPECT_EQ(empty.first.text, "0.0");
  EXPECT_EQ(empty.computed.text, "");
  EXPECT_EQ(empty.recip.text, "");

  set.pistons[1] = 500;
  set.pins[1] = 120;
  set.pinNumbers[1] = 4;
  RecomputeExtremes(set, card);
  ComponentRow piston = ComposeComponentRow(set, card, ComponentMode::kPistons, 1);
  EXPECT_EQ(piston.computed.text, "620.0 g");
  EXPECT_EQ(piston.recip.text, "874.0 g");  // 620 + 4 + 40 + small end 210
  EXPECT_EQ(piston.pinNumber, "4");
  EXPECT_EQ(ComponentBoxTitle(ComponentMode::kRods, 1, 11), "Rod #12 Big End Weight");
  EXPECT_EQ(ComponentBoxTitle(ComponentMode::kPistons, 0, 0), "Piston #1 Weight");
  EXPECT_EQ(ComponentBoxTitle(ComponentMode::kPistons, 1, 5), "Pin Weight");
  EXPECT_EQ(NextScaleType(7), 8);
  EXPECT_EQ(NextScaleType(8), 0);
}

}  // namespace
}  // namespace balancer
