// The bobweight job: the card with its entries and result, the individual rod
// and piston weights, and the formula and helpers that the Bobweight
// Calculation and Component Entry windows run. All weights are grams.
#pragma once

#include <array>
#include <string>

#include "base/field_codes.h"

namespace balancer {

struct MachineSettings;
struct ShaftCondition;

// Longest texts of the card (the file reader and every entry cut to these).
constexpr size_t kEngineNameMax = 49;
constexpr size_t kJobNameMax = 119;
constexpr size_t kJobDateMax = 11;
constexpr size_t kJobNotesMax = 602;
constexpr size_t kExternalWeightTextMax = 79;
constexpr size_t kConditionTextMax = 49;

constexpr int kRodPistonRows = 12;

// The largest magnitude any number of the card may have (grams, percent or
// count): far beyond any rod or piston, yet small enough that no sum of the
// formula can overflow. A file value or a scale reading beyond it is refused.
constexpr double kCardValueMax = 1.0e5;

struct BobweightCard {
  double rodTotalWeight = 0;
  double rodBigEndWeight = 0;
  double rodBearingWeight = 0;
  double pistonWeight = 0;
  double pinWeight = 0;
  double pinLockWeight = 0;
  double ringWeight = 0;
  double supportRailWeight = 0;
  double oilWeight = 5.0;
  double reciprocatingPercent = 50.0;
  double rotatingPercent = 100.0;
  double cylindersPerBobweight = 2.0;
  double overbalancePercent = 0;
  std::string engineName = "V-8";
  std::string jobName;
  std::string jobDate;
  std::string jobNotes;  // lines separated by CR LF, as the note entry gives them
  std::string externalWeightText;
  std::string initialConditionText;
  std::string finalConditionText;
  double initialLeft = 0, initialRight = 0, finalLeft = 0, finalRight = 0;
  double leftRadius = 3.5, rightRadius = 3.5;
  double tolerance = 0;
  double bobweightTotal = 0;  // computeBobweight

  // Job bookkeeping that is not stored in the card file.
  bool changed = false;      // changed since saved or loaded
  std::string savedJobName;  // job name of the last load or save
  std::string filePath;      // .bwi of the last load or save; empty after New Job
  int engineRow = 0;         // selected row of the engine list
};

// Indexes (0-11) of the lightest and heaviest row of each column.
struct RodPistonExtremes {
  int lightRodTotal = 0, heavyRodTotal = 0;
  int lightBigEnd = 0, heavyBigEnd = 0;
  int lightSmallEnd = 0, heavySmallEnd = 0;
  int lightPiston = 0, heavyPiston = 0;
  int lightPin = 0, heavyPin = 0;
  int lightPistonPin = 0, heavyPistonPin = 0;
  int lightRecip = 0, heavyRecip = 0;
};

struct RodPistonSet {
  std::array<double, kRodPistonRows> rodTotals{};
  std::array<double, kRodPistonRows> rodBigEnds{};
  std::array<double, kRodPistonRows> pistons{};
  std::array<double, kRodPistonRows> pins{};
  std::array<int, kRodPistonRows> pinNumbers{};  // 1-12: the pin now on this piston; 0 none
  RodPistonExtremes extremes;
};

// Derived per row: small end, piston and pin, reciprocating total.
double SmallEnd(const RodPistonSet& set, int row);
double PistonPinTotal(const RodPistonSet& set, int row);
double RecipTotal(const RodPistonSet& set, const BobweightCard& card, int row);

// Whether the component window shows the computed columns of a row.
bool ShowsSmallEnd(const RodPistonSet& set, int row);
bool ShowsPistonPinTotal(const RodPistonSet& set, int row);
bool ShowsRecipTotal(const RodPistonSet& set, int row);

// The bobweight formula. Stores and returns card.bobweightTotal.
double computeBobweight(BobweightCard& card);
// What each side of the empty bobweight needs: (total - empty) / 2.
double PerSide(const BobweightCard& card, double emptyBobweight);
// "%1.1f per half" when the empty bobweight is 0, else "Add %1.1f per side".
std::string PerSideLine(double perSide, double emptyBobweight);
// "%5.1f" of the total followed by " grams".
std::string BobweightTotalText(double bobweightTotal);

// Recomputes set.extremes (after every change of the individual weights,
// after a load and after Match Pins).
void RecomputeExtremes(RodPistonSet& set, const BobweightCard& card);

enum class ComponentMode { kRods, kPistons };

// Component window buttons. Each sets the changed flag.
void UseAverage(BobweightCard& card, const RodPistonSet& set, ComponentMode mode);
void UseLightest(BobweightCard& card, RodPistonSet& set, ComponentMode mode);
// Pairs light pistons with heavy pins. Returns false (and changes nothing)
// when no piston or no pin has been weighed.
bool MatchPins(BobweightCard& card, RodPistonSet& set);

// Entry identifiers of the card's numeric fields.
enum : int {
  kEntryRodTotal = kFieldRodTotalWeight,  // 103..111: the nine weights in card order
  kEntryOil = kFieldOilWeight,
  kEntryReciprocatingPercent = kFieldReciprocatingPercent,
  kEntryRotatingPercent = kFieldRotatingPercent,
  kEntryCylinders = kFieldCylindersPerBobweight,
  kEntryOverbalance = kFieldOverbalance,
  kEntryEmptyBobweight = kFieldEmptyBobweight,
  kEntryRodTotals = kFieldRodTotalFirst,  // +row
  kEntryBigEnds = kFieldRodBigEndFirst,
  kEntryPistons = kFieldPistonFirst,
  kEntryPins = kFieldPinFirst,
  kEntryLastComponent = kFieldPinLast,
};

enum class EntryResult {
  kNotBobweightField,  // the identifier is not one of the card's
  kRejected,           // below 0, above kCardValueMax or not finite: no field takes one
  kStored,             // a card value
  kStoredComponent,    // an individual weight: the component window repaints
  kStoredSettings,     // the empty bobweight: the settings file is to be written now
};

bool IsBobweightWeightEntry(int id);  // 103-111, 119, 187-234: the scale may fill it

// Stores a committed numeric entry (grams, percent or count) by identifier.
// Only values from 0 to kCardValueMax are stored.
EntryResult StoreBobweightEntry(int id, double value, BobweightCard& card, RodPistonSet& set,
                                double& emptyBobweight);

// Texts typed into the card, cut to their fields. ESC is taken out of the
// notes because it ends them in the card file.
void SetJobNotes(BobweightCard& card, const std::string& notes);
void SetJobName(BobweightCard& card, const std::string& name);
// A job name as typed, made fit to be the card's file name: line breaks of
// the on-screen keyboard, folder parts and wildcards out, blanks around it
// and a typed ".bwi" dropped.
std::string CleanJobName(const std::string& typed);
void SetJobDate(BobweightCard& card, const std::string& date);
// "Front: %s" and then "%s      Rear: %s" of the two typed external weights.
void SetExternalWeights(BobweightCard& card, const std::string& front, const std::string& rear);
std::string CutText(const std::string& text, size_t max);

// "%d/%d/%d" of month, day, year; today's from the local clock.
std::string FormatJobDate(int month, int day, int year);
std::string TodayJobDate();

// Save Initial / Save Final: the card takes the condition's amounts and its
// line (cut to the field).
void TakeShaftCondition(BobweightCard& card, const ShaftCondition& condition, bool final);

// Values a new job takes from the settings.
struct NewJobDefaults {
  double defaultOilWeight = 5.0;
  double shaftRadiusLeft = 3.5;
  double shaftRadiusRight = 3.5;  // the working value
  double toleranceMoment = 0;
};
NewJobDefaults NewJobDefaultsFrom(const MachineSettings& settings);

// Clears the card and the individual weights for a new job dated `jobDate`.
// The caller then asks "Enter a job name".
void newJob(BobweightCard& card, RodPistonSet& set, const NewJobDefaults& defaults,
            const std::string& jobDate);

}  // namespace balancer
