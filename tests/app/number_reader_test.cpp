#include "app/number_reader.h"

#include <gtest/gtest.h>

namespace balancer {
namespace {

constexpr int kRadius = 100;       // a length field
constexpr int kPlaneOffset = 132;  // a length field that takes negatives
constexpr int kOilWeight = 118;    // neither

double Read(const std::string& text, int code) {
  TypedNumber n = ReadTypedNumber(text, code);
  EXPECT_EQ(n.status, TypedNumber::kValue) << text;
  return n.value;
}

TypedNumber::Status StatusOf(const std::string& text, int code) {
  return ReadTypedNumber(text, code).status;
}

TEST(ReadTypedNumber, DecimalsAndCommas) {
  EXPECT_DOUBLE_EQ(Read("1,250", kOilWeight), 1250.0);
  EXPECT_DOUBLE_EQ(Read("1,250,000.5", kOilWeight), 1250000.5);
  EXPECT_DOUBLE_EQ(Read(".625", kRadius), 0.625);
  EXPECT_DOUBLE_EQ(Read("12abc", kOilWeight), 12.0);
  // Not a number at the start: 0.
  EXPECT_DOUBLE_EQ(Read("abc", kOilWeight), 0.0);
  EXPECT_DOUBLE_EQ(Read("nan", kOilWeight), 0.0);
  EXPECT_DOUBLE_EQ(Read("0x1A", kOilWeight), 0.0);
  // Only the first 20 characters lose their commas.
  EXPECT_DOUBLE_EQ(Read("                   1,5", kOilWeight), 1.0);
  EXPECT_EQ(StatusOf("", kOilWeight), TypedNumber::kEmpty);
  EXPECT_EQ(StatusOf("1e999", kOilWeight), TypedNumber::kRejected);
}

TEST(ReadTypedNumber, FractionsInLengthFields) {
  EXPECT_DOUBLE_EQ(Read("5/8", kRadius), 0.625);
  EXPECT_DOUBLE_EQ(Read("0 5/8", kRadius), 0.625);
  EXPECT_DOUBLE_EQ(Read("  1 3/16  ", kRadius), 1.1875);
  EXPECT_DOUBLE_EQ(Read("2  1/4", kRadius), 2.25);
  EXPECT_DOUBLE_EQ(Read("-1 1/2", kPlaneOffset), -1.5);
  EXPECT_DOUBLE_EQ(Read("-5/8", kPlaneOffset), -0.625);
  // Outside length fields the slash ends the number.
  EXPECT_DOUBLE_EQ(Read("5/8", kOilWeight), 5.0);
}

TEST(ReadTypedNumber, RefusesZeroDenominatorsAndUnwantedNegatives) {
  EXPECT_EQ(StatusOf("1/0", kRadius), TypedNumber::kRejected);
  EXPECT_EQ(StatusOf("1 3/", kRadius), TypedNumber::kRejected);
  EXPECT_EQ(StatusOf("3/x", kRadius), TypedNumber::kRejected);
  EXPECT_EQ(StatusOf("-2", kOilWeight), TypedNumber::kRejected);
  EXPECT_EQ(StatusOf("-1 1/2", kRadius), TypedNumber::kRejected);
  EXPECT_DOUBLE_EQ(Read("-2.5", 122), -2.5);                // lag compensation
  EXPECT_EQ(StatusOf("-10", 140), TypedNumber::kRejected);  // overbalance
  EXPECT_DOUBLE_EQ(Read("2.5", 140), 2.5);
}

}  // namespace
}  // namespace balancer
