#include "records/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "records/text_scanner.h"

namespace balancer {
namespace {

TEST(ReadFiniteNumber, PlainDecimalsOnly) {
  struct Case {
    const char* text;
    bool ok;
    double value;
    size_t end;
  } cases[] = {
      {"  12.5 rest", true, 12.5, 6},
      {"-3", true, -3.0, 2},
      {"+.5e1x", true, 5.0, 5},
      {"5e", true, 5.0, 1},
      {"7.e+2", true, 700.0, 5},
      {"0x1A", true, 0.0, 1},
      {"1e308", true, 1e308, 5},
      {"1e999", false, 0, 0},
      {"-1e400", false, 0, 0},
      {"inf", false, 0, 0},
      {"nan", false, 0, 0},
      {"-", false, 0, 0},
      {".", false, 0, 0},
      {"", false, 0, 0},
      {"   ", false, 0, 0},
      {"1e-999", true, 0.0, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    size_t pos = 0;
    double value = 42.0;
    EXPECT_EQ(ReadFiniteNumber(c.text, pos, value), c.ok);
    EXPECT_DOUBLE_EQ(value, c.ok ? c.value : 42.0);
    EXPECT_EQ(pos, c.end);
  }
  double v = 0;
  EXPECT_TRUE(ParseFiniteNumber("2.5e3", v));
  EXPECT_DOUBLE_EQ(v, 2500.0);
  for (const char* whole : {"", " 1", "1 ", "1,2", "1e999", "0x10", "inf", "12abc"}) {
    EXPECT_FALSE(ParseFiniteNumber(whole, v)) << whole;
  }
  EXPECT_TRUE(NumberInRange(0.0, 0.0, 1.0));
  EXPECT_FALSE(NumberInRange(std::nan(""), -1e308, 1e308));
  EXPECT_FALSE(NumberInRange(std::numeric_limits<double>::infinity(), 0.0, 1e308));
}

TEST(TruncToInt, NeverUndefined) {
  EXPECT_EQ(TruncToInt(12.9), 12);
  EXPECT_EQ(TruncToInt(-12.9), -12);
  EXPECT_EQ(TruncToInt(std::nan("")), 0);
  EXPECT_EQ(TruncToInt(1e300), INT_MAX);
  EXPECT_EQ(TruncToInt(-std::numeric_limits<double>::infinity()), INT_MIN);
}

TEST(FormatText, NoNumberIsCut) {
  EXPECT_EQ(FormatText("%1.1f per half", 12.25), "12.2 per half");
  std::string huge = FormatText("%1.3f|%d", 1.7e308, 7);
  EXPECT_EQ(huge.size(), 309u + 4u + 2u);
  EXPECT_EQ(huge.substr(huge.size() - 6), ".000|7");
  EXPECT_EQ(FormatText("%s", std::string(5000, 'x').c_str()).size(), 5000u);
}

TEST(TextScanner, FieldsTakeTheWholeLineWhateverItsLength) {
  std::string text = std::string(119, 'a') + "\n" + std::string(125, 'b') + "\r\n\nlast";
  TextScanner in(text);
  std::string field;
  ASSERT_TRUE(in.ReadField(119, field));
  EXPECT_EQ(field, std::string(119, 'a'));
  ASSERT_TRUE(in.ReadField(119, field));
  EXPECT_EQ(field, std::string(119, 'b'));
  ASSERT_TRUE(in.ReadField(119, field));
  EXPECT_EQ(field, "");
  ASSERT_TRUE(in.ReadField(2, field));
  EXPECT_EQ(field, "la");
  EXPECT_FALSE(in.ReadField(119, field));
}

}  // namespace
}  // namespace balancer
