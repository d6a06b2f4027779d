#include "bobweight/print_options.h"

#include "base/unit_text.h"
#include "records/history.h"
#include "records/number_text.h"

namespace balancer {

double ToleranceInDisplayUnits(double tolerance, int weightUnit, int lengthUnit) {
  return tolerance / WeightDivisor(weightUnit) * LengthFactor(lengthUnit);
}

std::string PrintOptionBoxText(PrintOptionField field, const BobweightCard& card, int weightUnit,
                               int lengthUnit) {
  const bool ounces = weightUnit == 1;
  switch (field) {
    case PrintOptionField::kInitialLeft:
    case PrintOptionField::kInitialRight:
    case PrintOptionField::kFinalLeft:
    case PrintOptionField::kFinalRight: {
      const double amounts[] = {card.initialLeft, card.initialRight, card.finalLeft,
                                card.finalRight};
      const double grams = amounts[static_cast<int>(field)];
      return ounces ? FormatNumber("%1.2f", grams / kGramsPerOunce) : FormatNumber("%1.1f", grams);
    }
    case PrintOptionField::kLeftRadius:
    case PrintOptionField::kRightRadius: {
      const double inches =
          field == PrintOptionField::kLeftRadius ? card.leftRadius : card.rightRadius;
      return lengthUnit == 1 ? FormatNumber("%1.2f", inches * kMillimetresPerInch)
                             : FormatNumber("%1.3f", inches);
    }
    case PrintOptionField::kTolerance:
      // As page 2 prints it, so the typed and the printed number agree.
      return FormatNumber(ounces ? "%1.2f" : "%1.1f",
                          ToleranceInDisplayUnits(card.tolerance, weightUnit, lengthUnit));
  }
  return "";
}

void StorePrintOptionEntry(PrintOptionField field, double value, int weightUnit, int lengthUnit,
                           BobweightCard& card) {
  double weight = value * WeightDivisor(weightUnit);
  double length = value / LengthFactor(lengthUnit);
  double* target = nullptr;
  double stored = weight;
  bool amount = true;
  switch (field) {
    case PrintOptionField::kInitialLeft:
      target = &card.initialLeft;
      break;
    case PrintOptionField::kInitialRight:
      target = &card.initialRight;
      break;
    case PrintOptionField::kFinalLeft:
      target = &card.finalLeft;
      break;
    case PrintOptionField::kFinalRight:
      target = &card.finalRight;
      break;
    case PrintOptionField::kLeftRadius:
      target = &card.leftRadius;
      stored = length;
      amount = false;
      break;
    case PrintOptionField::kRightRadius:
      target = &card.rightRadius;
      stored = length;
      amount = false;
      break;
    case PrintOptionField::kTolerance:
      target = &card.tolerance;
      stored = weight / LengthFactor(lengthUnit);
      amount = false;
      break;
  }
  *target = stored < 0.001 ? 0.001 : stored;
  if (amount) {
    card.initialConditionText =
        CutText(ConditionLine(card.initialLeft, card.initialRight, weightUnit), kConditionTextMax);
    card.finalConditionText =
        CutText(ConditionLine(card.finalLeft, card.finalRight, weightUnit), kConditionTextMax);
  }
  card.changed = true;
}

}  // namespace balancer
