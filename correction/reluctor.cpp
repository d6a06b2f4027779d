#include "correction/reluctor.h"

namespace balancer {

ReluctorShares SplitReluctor(double weight, int reluctorSide, double uprightDistance,
                             double planeOffsetLeft, double planeOffsetRight) {
  ReluctorShares s;
  if (uprightDistance == 0.0) {
    // No lever to split over; the wheel's side takes it all.
    (reluctorSide == 0 ? s.left : s.right) = weight;
    return s;
  }
  if (reluctorSide == 0) {
    s.left =
        weight * (uprightDistance - (planeOffsetLeft - kReluctorAxialPosition)) / uprightDistance;
    s.right = weight - s.left;
  } else {
    s.right =
        weight * (uprightDistance - (planeOffsetRight - kReluctorAxialPosition)) / uprightDistance;
    s.left = weight - s.right;
  }
  return s;
}

ReluctorExplanation ReluctorExplanationFor(int reluctorType) {
  ReluctorExplanation e;
  if (reluctorType == kReluctorDisabled) {
    e.lines[0] = "\"Disabled\" must be selected when an actual reluctor is installed.";
    e.red[0] = true;
    e.count = 1;
    return e;
  }
  e.lines[0] = "This setting simulates a reluctor when it is not acually installed.";
  e.lines[1] = "Put #1 rod journal at TDC and click \"Zero Shaft\".";
  e.lines[2] = "Warning - disable this setting when the reluctor is installed.";
  e.lines[3] = "Failure to disable will result in an unbalanced shaft.";
  e.red[2] = e.red[3] = true;
  e.count = 4;
  return e;
}

const char* ReluctorWarningFormat() {
  return "Warning - %s Reluctor Simulator ON";
}

}  // namespace balancer
