// The reluctor wheels the simulator knows and the unbalance each one carries.
// The settings keep the chosen type and its unbalance; the correction pass
// splits it over the planes (correction/reluctor.h).
#pragma once

namespace balancer {

enum : int {
  kReluctorDisabled = 0,
  kReluctorLs24x = 1,
  kReluctorLs58x = 2,
  kReluctorLsa58x = 3,
  kReluctorMopar = 4,
  kReluctorCustom = 5,
  kReluctorTypeCount = 6,
};

// Axial position of every simulated wheel, inches from its side's plane
// offset reference.
constexpr double kReluctorAxialPosition = 0.58;

// "Disabled", "LS 24x", "LS 58x", "LSA 58x", "Mopar", "Custom"; "" otherwise.
const char* ReluctorName(int reluctorType);

// W (gram-inches) and psi (degrees) of a type; the custom type takes the
// operator's values. Unknown types and "Disabled" give 0.
struct ReluctorUnbalance {
  double weight = 0.0;
  double angle = 0.0;
};
ReluctorUnbalance ReluctorFor(int reluctorType, double customWeight, double customAngle);

}  // namespace balancer
