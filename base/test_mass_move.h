// What the operator's hands do on the shaft before a step of the machine
// proving test: the program's proving model says it, the simulated machine
// carries it out. Plain data, so neither needs to know the other.
#pragma once

namespace balancer {

struct TestMassMove {
  enum class Kind {
    kTakeOff,       // the test mass comes off (the spin without it)
    kFitAt,         // the test mass goes on at `angle` (the one before comes off)
    kLeave,         // the mass stays where it is
    kCarryOutPlan,  // the program's plan of the last spin is carried out
  };
  Kind kind = Kind::kTakeOff;
  bool rightPlane = false;
  double grams = 0.0;
  double radius = 0.0;  // inches
  double angle = 0.0;   // degrees
};

}  // namespace balancer
