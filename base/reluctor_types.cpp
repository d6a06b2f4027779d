#include "base/reluctor_types.h"

namespace balancer {

const char* ReluctorName(int reluctorType) {
  static const char* const kNames[kReluctorTypeCount] = {"Disabled", "LS 24x", "LS 58x",
                                                         "LSA 58x",  "Mopar",  "Custom"};
  if (reluctorType < 0 || reluctorType >= kReluctorTypeCount) return "";
  return kNames[reluctorType];
}

ReluctorUnbalance ReluctorFor(int reluctorType, double customWeight, double customAngle) {
  ReluctorUnbalance u;
  switch (reluctorType) {
    case kReluctorLs24x:
      u.weight = 156.0;
      break;
    case kReluctorLs58x:
      u.weight = 115.0;
      break;
    case kReluctorLsa58x:
      u.weight = 170.0;
      break;
    case kReluctorCustom:
      u.weight = customWeight;
      u.angle = customAngle;
      break;
    default:
      // "Mopar" has no known unbalance; it adds nothing.
      break;
  }
  return u;
}

}  // namespace balancer
