// The reluctor simulator: the unbalance of a toothed reluctor wheel that is not
// fitted yet, added to the two-plane result so the assembled shaft comes out
// balanced.
#pragma once

#include "base/reluctor_types.h"

namespace balancer {

// How W splits between the planes: the wheel's side gets
// W * (D - (p - q)) / D, the other side the rest (which may be negative).
struct ReluctorShares {
  double left = 0.0;
  double right = 0.0;
};
ReluctorShares SplitReluctor(double weight, int reluctorSide, double uprightDistance,
                             double planeOffsetLeft, double planeOffsetRight);

// The explanatory lines of the simulator window for a type.
struct ReluctorExplanation {
  const char* lines[4] = {nullptr, nullptr, nullptr, nullptr};
  bool red[4] = {false, false, false, false};
  int count = 0;
};
ReluctorExplanation ReluctorExplanationFor(int reluctorType);

// "Warning - %s Reluctor Simulator ON" (two-plane) for the main screen; empty
// when disabled.
const char* ReluctorWarningFormat();

}  // namespace balancer
