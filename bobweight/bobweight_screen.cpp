#include "bobweight/bobweight_screen.h"

#include <cstdio>

#include "bobweight/scale.h"
#include "records/number_text.h"

namespace balancer {

namespace {

std::string Format(const char* format, double value) {
  return FormatText(format, value);
}

ComponentCell Computed(bool shown, double value, int row, int lightest, int heaviest) {
  ComponentCell cell;
  if (!shown) return cell;
  cell.text = Format("%1.1f g", value);
  if (row == lightest) {
    cell.colour = CellColour::kLightest;
  } else if (row == heaviest) {
    cell.colour = CellColour::kHeaviest;
  }
  return cell;
}

}  // namespace

BobweightScreenTexts ComposeBobweightScreen(BobweightCard& card, double emptyBobweight) {
  computeBobweight(card);
  BobweightScreenTexts t;
  const double weights[] = {card.rodTotalWeight, card.rodBigEndWeight,   card.rodBearingWeight,
                            card.pistonWeight,   card.pinWeight,         card.pinLockWeight,
                            card.ringWeight,     card.supportRailWeight, card.oilWeight};
  for (int i = 0; i < 9; ++i) t.weights[i] = Format("%5.1f", weights[i]);
  t.reciprocating = Format("%1.1f %%", card.reciprocatingPercent);
  t.rotating = Format("%1.1f %%", card.rotatingPercent);
  t.cylinders = Format("%1.0f", card.cylindersPerBobweight);
  t.overbalance = Format("   %1.1f %%", card.overbalancePercent);
  t.emptyBobweight = Format("%1.1f grams", emptyBobweight);
  t.total = BobweightTotalText(card.bobweightTotal);
  t.perSide = PerSideLine(PerSide(card, emptyBobweight), emptyBobweight);
  t.jobLine = card.jobName + "   " + card.engineName;
  return t;
}

ComponentRow ComposeComponentRow(const RodPistonSet& set, const BobweightCard& card,
                                 ComponentMode mode, int row) {
  const RodPistonExtremes& x = set.extremes;
  ComponentRow r;
  if (mode == ComponentMode::kRods) {
    r.first.text = Format("%1.1f", set.rodTotals[row]);
    r.second.text = Format("%1.1f", set.rodBigEnds[row]);
    r.computed = Computed(ShowsSmallEnd(set, row), SmallEnd(set, row), row, x.lightSmallEnd,
                          x.heavySmallEnd);
  } else {
    r.first.text = Format("%1.1f", set.pistons[row]);
    r.second.text = Format("%1.1f", set.pins[row]);
    r.computed = Computed(ShowsPistonPinTotal(set, row), PistonPinTotal(set, row), row,
                          x.lightPistonPin, x.heavyPistonPin);
    if (set.pinNumbers[row] >= 1) r.pinNumber = std::to_string(set.pinNumbers[row]);
  }
  r.recip = Computed(ShowsRecipTotal(set, row), RecipTotal(set, card, row), row, x.lightRecip,
                     x.heavyRecip);
  return r;
}

std::string ComponentBoxTitle(ComponentMode mode, int column, int row) {
  char text[48];
  if (mode == ComponentMode::kRods) {
    std::snprintf(text, sizeof text,
                  column == 0 ? "Rod #%d Total Weight" : "Rod #%d Big End Weight", row + 1);
  } else if (column == 0) {
    std::snprintf(text, sizeof text, "Piston #%d Weight", row + 1);
  } else {
    return "Pin Weight";
  }
  return text;
}

int NextScaleType(int scaleType) {
  int next = scaleType + 1;
  return next > kScaleModelCount || next < 0 ? 0 : next;
}

}  // namespace balancer
