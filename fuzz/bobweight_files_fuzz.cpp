// Bobweight card files: .bwi (the card) and .bme (the rod and piston weights).
#include "bobweight/bobweight_card.h"
#include "bobweight/bobweight_files.h"
#include "fuzz/fuzz_support.h"

using namespace balancer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string text = fuzz::Text(data + 1, size - 1);
  if (data[0] & 1) {
    RodPistonSet set;
    ParseBme(text, set);
    const std::string written = FormatBme(set);
    FUZZ_REQUIRE(fuzz::PrintsOnlyFiniteNumbers(written, text));
    RodPistonSet back;
    ParseBme(written, back);
    FUZZ_REQUIRE(FormatBme(back) == written);
    return 0;
  }
  BobweightCard card;
  if (!ParseBwi(text, card)) return 0;
  const std::string written = FormatBwi(card);
  FUZZ_REQUIRE(fuzz::PrintsOnlyFiniteNumbers(written, text));
  BobweightCard back;
  FUZZ_REQUIRE(ParseBwi(written, back));
  FUZZ_REQUIRE(FormatBwi(back) == written);
  return 0;
}
