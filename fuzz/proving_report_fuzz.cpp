// Kept proving test results (proving-YYYYMMDD-HHMMSS.txt).
#include "app/proving_test.h"
#include "fuzz/fuzz_support.h"

using namespace balancer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::Text(data, size);
  ProvingSetup setup;
  ProvingResult result;
  std::tm when{};
  if (!ReadProvingReport(text, setup, result, when)) return 0;
  FUZZ_REQUIRE(fuzz::InRange(setup.massGrams, 0.0, kProvingMaxMassGrams));
  FUZZ_REQUIRE(fuzz::InRange(setup.radiusInches, 0.0, kProvingMaxRadiusInches));
  FUZZ_REQUIRE(result.positions.size() <= static_cast<size_t>(kProvingPositions));
  for (const ProvingPositionResult& p : result.positions) {
    for (int s = 0; s < 2; ++s) {
      FUZZ_REQUIRE(fuzz::Finite(p.amount[s]) && p.amount[s] >= 0.0);
      FUZZ_REQUIRE(fuzz::InRange(p.angle[s], 0.0, 360.0));
    }
  }
  FUZZ_REQUIRE(fuzz::Finite(result.meanAmount) && fuzz::Finite(result.spreadPercent));
  FUZZ_REQUIRE(fuzz::Finite(result.crosstalkPercent) && fuzz::Finite(result.urr[0]));
  FUZZ_REQUIRE(fuzz::PrintsOnlyFiniteNumbers(ProvingReportText(setup, result, when, 1), text));
  // What was read writes a text that reads back to the same text.
  const std::string written = ProvingReportText(setup, result, when, 0);
  FUZZ_REQUIRE(fuzz::PrintsOnlyFiniteNumbers(written, text));
  ProvingSetup backSetup;
  ProvingResult back;
  std::tm backWhen{};
  FUZZ_REQUIRE(ReadProvingReport(written, backSetup, back, backWhen));
  FUZZ_REQUIRE(back.positions.size() == result.positions.size());
  FUZZ_REQUIRE(back.passed == result.passed && back.urrRan == result.urrRan);
  FUZZ_REQUIRE(ProvingReportText(backSetup, back, backWhen, 0) == written);
  return 0;
}
