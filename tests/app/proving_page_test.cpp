// The printed proving result: the kept file's lines, the positions in
// columns, everything on the one page.
#include "app/proving_page.h"

#include <gtest/gtest.h>

#include <string>

namespace balancer {
namespace {

const PrintItem* Find(const PrintPage& page, const std::string& text) {
  for (const PrintItem& item : page.items) {
    if (item.kind == PrintItem::Kind::kText && item.text == text) return &item;
  }
  return nullptr;
}

TEST(ProvingPage, OnePageWithTheFileLinesAndTheTableInColumns) {
  ProvingSetup setup;
  setup.massGrams = 20.0;
  setup.radiusInches = 2.0;
  setup.plane = ProvingPlane::kRight;
  ProvingTest test(setup);
  test.Record({0.0, 0.0}, {0.0, 0.0});
  for (int i = 0; i < kProvingPositions; ++i) {
    test.Record({0.5, 90.0}, {40.0 + (i == 11 ? 2.0 : 0.0), 30.0 * i});
  }
  test.Record({40.0, 0.0}, {40.0, 0.0});
  test.Advance();
  test.Record({0.4, 0.0}, {0.4, 20.0});
  std::tm when{};
  when.tm_year = 126;
  when.tm_mon = 11;
  when.tm_mday = 9;
  PrintPage page = ComposeProvingPage(setup, test.Result(), when, 0, 0x0304);

  const PrintItem* title = Find(page, "Machine proving test");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->align, PrintAlign::kCentre);
  ASSERT_NE(Find(page, "Date: 2026-12-09 00:00:00"), nullptr);
  ASSERT_NE(Find(page, "Firmware: 3.04"), nullptr);
  const PrintItem* verdict = Find(page, "Result: PASSED");
  ASSERT_NE(verdict, nullptr);
  EXPECT_EQ(verdict->font, PrintFont::kCardLarge);
  ASSERT_NE(Find(page, "Reduction: PASSED"), nullptr);

  // Row 12: its six cells on one line, left to right under the header.
  const PrintItem* header = Find(page, "Right grams");
  const PrintItem* row = Find(page, "12");
  const PrintItem* amount = Find(page, "21.00");
  const PrintItem* angle = Find(page, "330.0\xB0");
  ASSERT_TRUE(header && row && amount && angle);
  EXPECT_DOUBLE_EQ(amount->y, row->y);
  EXPECT_DOUBLE_EQ(angle->y, row->y);
  EXPECT_DOUBLE_EQ(amount->x, header->x);
  EXPECT_LT(row->x, amount->x);
  EXPECT_LT(amount->x, angle->x);
  EXPECT_GT(row->y, header->y);
  for (const PrintItem& item : page.items) {
    EXPECT_LT(item.y, kPrintLinesPerPage - 1) << item.text;
    EXPECT_EQ(item.text.find("  "), std::string::npos) << item.text;
  }
  // Ounces name their unit in the table too.
  EXPECT_NE(Find(ComposeProvingPage(setup, test.Result(), when, 1, 0), "Left ounces"), nullptr);
}

}  // namespace
}  // namespace balancer
