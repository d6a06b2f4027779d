// The reluctor simulator: the unbalance of a toothed reluctor wheel that is not
// fitted yet, added to the two-plane result so the assembled shaft comes out
// balanced.
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
