// The texts and highlights the Bobweight Calculation and Component Entry
// windows draw, decided here so the windows only place them.
#pragma once

#include <array>
#include <string>

#include "bobweight/bobweight_card.h"

namespace balancer {

// Entry window headings of the bobweight job.
constexpr const char* kEnterJobName = "Enter a job name";
constexpr const char* kEnterJobNameBeforePrinting = "Enter job name before printing";
constexpr const char* kEnterJobNotes = "Enter Job Notes";
constexpr const char* kEnterCompanyInformation = "Enter Your Company Information";
constexpr const char* kEnterFrontExternalWeight = "Enter front external weight";
constexpr const char* kEnterRearExternalWeight = "Enter rear external weight";

struct BobweightScreenTexts {
  std::array<std::string, 9> weights;  // "%5.1f" beside the nine weight buttons
  std::string reciprocating;           // "%1.1f %%"
  std::string rotating;                // "%1.1f %%"
  std::string cylinders;               // "%1.0f"
  std::string overbalance;             // "   %1.1f %%"
  std::string emptyBobweight;          // "%1.1f grams"
  std::string total;                   // "%5.1f grams" beside "Bobweight Total"
  std::string perSide;                 // "%1.1f per half" or "Add %1.1f per side"
  std::string jobLine;                 // "%s   %s" of job name and engine name
};

// Runs the formula first, as every message of the window does.
BobweightScreenTexts ComposeBobweightScreen(BobweightCard& card, double emptyBobweight);

enum class CellColour { kNormal, kLightest, kHeaviest };  // dark blue, red, green

struct ComponentCell {
  std::string text;
  CellColour colour = CellColour::kNormal;
};

// One row of the Component Entry window: the two entered values, the two
// computed columns ("%1.1f g") and, in piston mode, the pin number.
struct ComponentRow {
  ComponentCell first, second;  // rod total and big end, or piston and pin
  ComponentCell computed;       // small end, or piston and pin total
  ComponentCell recip;          // reciprocating total
  std::string pinNumber;        // "%d" when 1 or more (piston mode)
};

ComponentRow ComposeComponentRow(const RodPistonSet& set, const BobweightCard& card,
                                 ComponentMode mode, int row);

// Value box titles: "Rod #1 Total Weight", "Rod #1 Big End Weight",
// "Piston #1 Weight", "Pin Weight".
std::string ComponentBoxTitle(ComponentMode mode, int column, int row);

// The Machine Setup "Scale" button: the next model, back to 0 after the last.
int NextScaleType(int scaleType);

}  // namespace balancer
