// The bobweight card's share of Save Initial / Save Final.
#pragma once

#include "bobweight/bobweight_card.h"
#include "records/history.h"

namespace balancer {

// Puts the stored condition on the card and, when the card came from or went
// to a file, writes that file again. The write is quiet: the storing message
// stays on screen, and a failed write leaves the card marked changed so the
// bobweight screen still offers to save it. Returns true when written.
bool StoreConditionOnCard(BobweightCard& card, const RodPistonSet& set,
                          const ShaftCondition& condition, bool final);

}  // namespace balancer
