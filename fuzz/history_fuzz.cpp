// Unbalance history files (.hst).
#include "fuzz/fuzz_support.h"
#include "records/history.h"

using namespace balancer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::Text(data, size);
  History history;
  ParseHistory(text, history);
  FUZZ_REQUIRE(history.historyCount >= 0 && history.historyCount <= kHistorySize);
  for (const HistoryRecord& r : history.records) {
    FUZZ_REQUIRE(fuzz::Finite(r.leftMoment) && fuzz::Finite(r.rightMoment));
    FUZZ_REQUIRE(fuzz::Finite(r.leftAngle) && fuzz::Finite(r.rightAngle));
    FUZZ_REQUIRE(fuzz::Finite(r.leftRadius) && fuzz::Finite(r.rightRadius));
  }
  const std::string written = FormatHistory(history);
  History back;
  ParseHistory(written, back);
  FUZZ_REQUIRE(back.historyCount == history.historyCount);
  FUZZ_REQUIRE(FormatHistory(back) == written);
  for (int i = 0; i < kHistorySize; ++i) {
    HistoryRowText(history, i, 0, 0);
    HistoryRowText(history, i, 1, 1);
  }
  return 0;
}
