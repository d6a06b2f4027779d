// The value boxes of the Bobweight Print Options window: what they take and
// show, in the display units, agreeing with what the card prints.
#pragma once

#include <string>

#include "bobweight/bobweight_card.h"

namespace balancer {

// The boxes in the order of their field codes, 270 to 276.
enum class PrintOptionField {
  kInitialLeft,
  kInitialRight,
  kFinalLeft,
  kFinalRight,
  kLeftRadius,
  kRightRadius,
  kTolerance,
};
// Stores a value typed in the display units: amounts in the weight unit (the
// condition texts are rebuilt), radii in the length unit, the tolerance per
// side in weight unit times length unit as the card prints it. Nothing is
// stored below 0.001. Sets the changed flag.
void StorePrintOptionEntry(PrintOptionField field, double value, int weightUnit, int lengthUnit,
                           BobweightCard& card);
// What the box of `field` shows: the number in the display units, the
// tolerance as page 2 prints it.
std::string PrintOptionBoxText(PrintOptionField field, const BobweightCard& card, int weightUnit,
                               int lengthUnit);
// The tolerance (gram-inches) in the display weight unit times length unit.
double ToleranceInDisplayUnits(double tolerance, int weightUnit, int lengthUnit);

}  // namespace balancer
