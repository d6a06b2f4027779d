#include "bobweight/engine_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "base/operator_ui.h"

namespace balancer {
namespace {

const char* kHeader = "Engine list\nline 2\nline 3\nline 4\nline 5\n";

EngineList ListOfRows(int rows, int headingEvery = 0) {
  std::string text = kHeader;
  for (int i = 0; i < rows; ++i) {
    if (headingEvery > 0 && i % headingEvery == 0) {
      text += "^Heading " + std::to_string(i) + "^\n";
    } else {
      text += "E" + std::to_string(i) + "^50^100^2^^\n";
    }
  }
  return ParseEngineList(text);
}

TEST(EngineList, RowsAndHeadingsAfterTheHeader) {
  EngineList list = ParseEngineList(std::string(kHeader) +
                                    "^Small Block Chevrolet^\n"
                                    "350^50^100^2^i^Stock rods, cast pistons\n"
                                    "454^48.5^100^2^e^Needs 28 g external\r\n"
                                    "Odd^52^98.5^1^^  comment with ^ inside\n");
  ASSERT_EQ(list.rows.size(), 4u);
  EXPECT_TRUE(list.rows[0].heading);
  EXPECT_EQ(list.rows[0].headingText, "Small Block Chevrolet");
  EXPECT_EQ(list.rows[1].name, "350");
  EXPECT_EQ(BalancedText(list.rows[1]), "Internal");
  EXPECT_EQ(list.rows[1].comments, "Stock rods, cast pistons");
  EXPECT_EQ(BalancedText(list.rows[2]), "External");
  EXPECT_EQ(list.rows[2].comments, "Needs 28 g external");
  EXPECT_EQ(BalancedText(list.rows[3]), "");
  EXPECT_EQ(list.rows[3].comments, "  comment with ^ inside");

  BobweightCard card;
  ASSERT_TRUE(ApplyEngineRow(list, 2, card));
  EXPECT_EQ(card.engineName, "454");
  EXPECT_DOUBLE_EQ(card.reciprocatingPercent, 48.5);
  EXPECT_DOUBLE_EQ(card.rotatingPercent, 100);
  EXPECT_DOUBLE_EQ(card.cylindersPerBobweight, 2);
  EXPECT_EQ(card.engineRow, 2);
  EXPECT_FALSE(ApplyEngineRow(list, 0, card));  // a heading is never applied
  EXPECT_FALSE(ApplyEngineRow(list, 4, card));
  EXPECT_EQ(card.engineName, "454");
}

TEST(EngineList, PercentagesThatOverflowAreNotApplied) {
  EngineList list = ParseEngineList(std::string(kHeader) + "350^1e999^-1e999^2^i^\n" +
                                    "400^1e300^100^-3e200^i^\n");
  BobweightCard card;
  ASSERT_TRUE(ApplyEngineRow(list, 0, card));
  EXPECT_EQ(card.engineName, "350");
  EXPECT_DOUBLE_EQ(card.reciprocatingPercent, 50);
  EXPECT_DOUBLE_EQ(card.rotatingPercent, 100);
  EXPECT_DOUBLE_EQ(card.cylindersPerBobweight, 2);
  // Finite but beyond any card: not applied either.
  ASSERT_TRUE(ApplyEngineRow(list, 1, card));
  EXPECT_EQ(card.engineName, "400");
  EXPECT_DOUBLE_EQ(card.reciprocatingPercent, 50);
  EXPECT_DOUBLE_EQ(card.cylindersPerBobweight, 2);
  EXPECT_TRUE(std::isfinite(card.bobweightTotal));
}

TEST(EngineList, HeaderOnlyFileIsEmptyAndLongLinesContinue) {
  EXPECT_TRUE(ParseEngineList(kHeader).rows.empty());
  EXPECT_TRUE(ParseEngineList("one\ntwo\n").rows.empty());

  std::string longName(150, 'N');
  EngineList list = ParseEngineList(std::string(kHeader) + longName + "^50^100^2^^\n");
  ASSERT_EQ(list.rows.size(), 2u);
  EXPECT_EQ(list.rows[0].name.size(), 99u);
  BobweightCard card;
  ApplyEngineRow(list, 0, card);
  EXPECT_EQ(card.engineName.size(), kEngineNameMax);

  EXPECT_EQ(ListOfRows(1200).rows.size(), static_cast<size_t>(kEngineListMaxRows));
}

TEST(EngineList, MissingFileGivesTheDefaultRow) {
  EngineList list = ReadEngineList("/nonexistent/folder/bwinfo.txt");
  EXPECT_FALSE(list.fromFile);
  ASSERT_EQ(list.rows.size(), 1u);
  BobweightCard card;
  card.engineName = "x";
  card.reciprocatingPercent = 1;
  card.rotatingPercent = 1;
  card.cylindersPerBobweight = 1;
  ASSERT_TRUE(ApplyEngineRow(list, 0, card));
  EXPECT_EQ(card.engineName, "V-8");
  EXPECT_DOUBLE_EQ(card.reciprocatingPercent, 50);
  EXPECT_DOUBLE_EQ(card.rotatingPercent, 100);
  EXPECT_DOUBLE_EQ(card.cylindersPerBobweight, 2);
  EXPECT_EQ(EngineListMissingMessage().caption, "Error");

  RecordingOperatorUi ui;
  LoadEngineListForWindow("/nonexistent/bwinfo.txt", ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "The engine information file (bwinfo.txt) was not found.\n\n"
            "Please make sure this file is located in the C:\\Balancer folder.");
  ui.messageWindowOpen = true;
  EXPECT_EQ(LoadEngineListForWindow("/nonexistent/bwinfo.txt", ui).rows.size(), 1u);
  EXPECT_EQ(ui.messages.size(), 1u);

  auto path = std::filesystem::temp_directory_path() / "bobweight_engine_list_test.txt";
  std::ofstream(path) << kHeader << "350^50^100^2^i^\n";
  EngineList fromFile = ReadEngineList(path.string());
  std::filesystem::remove(path);
  EXPECT_TRUE(fromFile.fromFile);
  ASSERT_EQ(fromFile.rows.size(), 1u);
  EXPECT_EQ(fromFile.rows[0].name, "350");
}

TEST(EngineSelection, OpensWithTheSelectedRowTenBelowTheTop) {
  EngineList shortList = ListOfRows(10);
  EngineSelection s = OpenEngineSelection(shortList, 7);
  EXPECT_EQ(s.selected, 7);
  EXPECT_EQ(s.top, 0);
  EngineListKey(s, shortList, EngineKey::kPageDown);
  EXPECT_EQ(s.top, 0);  // 24 rows or fewer never scroll

  EngineList list = ListOfRows(100);
  EXPECT_EQ(OpenEngineSelection(list, 50).top, 40);
  EXPECT_EQ(OpenEngineSelection(list, 5).top, 0);
  EXPECT_EQ(OpenEngineSelection(list, 95).top, 76);
  EXPECT_EQ(OpenEngineSelection(list, 500).selected, 0);  // a row the list no longer has
}

TEST(EngineSelection, HeadingInRowZeroMovesTheSelectionDown) {
  EngineList list = ListOfRows(30, 10);
  EngineSelection s = OpenEngineSelection(list, 0);
  EXPECT_EQ(s.selected, 1);
  BobweightCard card;
  s = OpenEngineWindow(card, list);
  EXPECT_TRUE(card.changed);
  EXPECT_EQ(card.engineRow, 1);
}

TEST(EngineSelection, KeysWheelAndScrollBarStayInRange) {
  EngineList list = ListOfRows(100);
  EngineSelection s = OpenEngineSelection(list, 0);
  EngineListKey(s, list, EngineKey::kUp);
  EXPECT_EQ(s.top, 0);
  EngineListKey(s, list, EngineKey::kDown);
  EXPECT_EQ(s.top, 1);
  EngineListKey(s, list, EngineKey::kPageDown);
  EXPECT_EQ(s.top, 24);
  for (int i = 0; i < 5; ++i) EngineListKey(s, list, EngineKey::kPageDown);
  EXPECT_EQ(s.top, 76);
  EngineListKey(s, list, EngineKey::kPageUp);
  EXPECT_EQ(s.top, 53);
  ScrollTo(s, list, 200);
  EXPECT_EQ(s.top, 76);
  ScrollTo(s, list, -3);
  EXPECT_EQ(s.top, 0);

  EngineListWheel(s, list, -kWheelDelta);
  EXPECT_EQ(s.top, kWheelRowsPerNotch);
  EngineListWheel(s, list, 60);  // half a notch: nothing yet
  EXPECT_EQ(s.top, kWheelRowsPerNotch);
  EngineListWheel(s, list, 60);
  EXPECT_EQ(s.top, 0);
  EngineListWheel(s, list, 10 * kWheelDelta);
  EXPECT_EQ(s.top, 0);
}

TEST(EngineSelection, ClicksSelectRowsButNotHeadingsOrBlankRows) {
  EngineList list = ListOfRows(30, 10);
  EngineSelection s = OpenEngineSelection(list, 25);
  EXPECT_EQ(s.top, 6);
  EXPECT_TRUE(ClickEngineRow(s, list, 2));
  EXPECT_EQ(s.selected, 8);
  EXPECT_FALSE(ClickEngineRow(s, list, 4));  // row 10 is a heading
  EXPECT_EQ(s.selected, 8);

  EngineList shortList = ListOfRows(10);
  EngineSelection t = OpenEngineSelection(shortList, 3);
  EXPECT_FALSE(ClickEngineRow(t, shortList, 15));  // below the last row
  EXPECT_EQ(t.selected, 3);
}

}  // namespace
}  // namespace balancer
