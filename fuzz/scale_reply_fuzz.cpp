// Replies of the serial scale, for every scale model.
#include "base/machine_settings.h"
#include "bobweight/scale.h"
#include "fuzz/fuzz_support.h"

using namespace balancer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A reply is at most 59 characters; the fuzzer may send more.
  const std::string reply = fuzz::Text(data, size);
  for (int type = 1; type <= kScaleModelCount; ++type) {
    const ScaleModel* model = ScaleModelFor(type);
    FUZZ_REQUIRE(model != nullptr);
    ScaleReading r = ParseScaleReply(reply, *model);
    FUZZ_REQUIRE(fuzz::Finite(r.grams));
    if (r.kind == ScaleReplyKind::kWeight) FUZZ_REQUIRE(r.grams >= 0.0);
    if (r.kind == ScaleReplyKind::kNegative) FUZZ_REQUIRE(r.grams < 0.0);
  }
  return 0;
}
