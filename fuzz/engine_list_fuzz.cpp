// The engine list bwinfo.txt.
#include "bobweight/bobweight_card.h"
#include "bobweight/engine_list.h"
#include "fuzz/fuzz_support.h"

using namespace balancer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::Text(data, size);
  EngineList list = ParseEngineList(text);
  FUZZ_REQUIRE(list.rows.size() <= static_cast<size_t>(kEngineListMaxRows));
  for (size_t i = 0; i < list.rows.size(); ++i) {
    BalancedText(list.rows[i]);
    BobweightCard card;
    if (ApplyEngineRow(list, static_cast<int>(i), card)) {
      FUZZ_REQUIRE(fuzz::Finite(card.reciprocatingPercent));
      FUZZ_REQUIRE(fuzz::Finite(card.rotatingPercent));
      FUZZ_REQUIRE(fuzz::Finite(card.cylindersPerBobweight));
    }
  }
  EngineSelection selection = OpenEngineSelection(list, 0);
  for (EngineKey key :
       {EngineKey::kDown, EngineKey::kPageDown, EngineKey::kUp, EngineKey::kPageUp}) {
    EngineListKey(selection, list, key);
  }
  EngineListWheel(selection, list, -360);
  return 0;
}
