// The proving test's result on one printed page, laid out as data for the
// program's print path (PrintDocument walks a PrintPage). The page carries
// the words and figures of the kept text file, the positions as a table.
#pragma once

#include <ctime>

#include "app/proving_test.h"
#include "bobweight/bobweight_print.h"

namespace balancer {

// `firmwareVersion` is the control's bcdDevice, 0 when not known.
PrintPage ComposeProvingPage(const ProvingSetup& setup, const ProvingResult& result,
                             const std::tm& when, int weightUnit, int firmwareVersion);

}  // namespace balancer
