#include "app/condition_card.h"

#include "bobweight/bobweight_files.h"

namespace balancer {

bool StoreConditionOnCard(BobweightCard& card, const RodPistonSet& set,
                          const ShaftCondition& condition, bool final) {
  TakeShaftCondition(card, condition, final);
  card.changed = true;
  if (card.filePath.empty()) return false;
  return WriteCardFiles(card.filePath, card, set, nullptr);
}

}  // namespace balancer
