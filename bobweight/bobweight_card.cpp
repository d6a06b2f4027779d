#include "bobweight/bobweight_card.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "base/machine_settings.h"
#include "records/file_request.h"
#include "records/history.h"
#include "records/number_text.h"

namespace balancer {

double SmallEnd(const RodPistonSet& set, int row) {
  return set.rodTotals[row] - set.rodBigEnds[row];
}

double PistonPinTotal(const RodPistonSet& set, int row) {
  return set.pistons[row] + set.pins[row];
}

double RecipTotal(const RodPistonSet& set, const BobweightCard& card, int row) {
  return PistonPinTotal(set, row) + card.pinLockWeight + card.ringWeight + card.supportRailWeight +
         SmallEnd(set, row);
}

bool ShowsSmallEnd(const RodPistonSet& set, int row) {
  return set.rodTotals[row] > 0 && set.rodBigEnds[row] > 0 && SmallEnd(set, row) > 0;
}

bool ShowsPistonPinTotal(const RodPistonSet& set, int row) {
  return set.pistons[row] > 0 || set.pins[row] > 0;
}

bool ShowsRecipTotal(const RodPistonSet& set, int row) {
  return set.pistons[row] > 0 && set.pins[row] > 0 && set.rodTotals[row] > 0 &&
         set.rodBigEnds[row] > 0;
}

double computeBobweight(BobweightCard& card) {
  double smallEnd = card.rodTotalWeight - card.rodBigEndWeight;
  double recip = smallEnd + card.pistonWeight + card.pinWeight + card.pinLockWeight +
                 card.ringWeight + card.supportRailWeight;
  double rot = card.rodBigEndWeight + card.rodBearingWeight;
  double sum = recip * card.cylindersPerBobweight * (card.reciprocatingPercent / 100) +
               rot * card.cylindersPerBobweight * (card.rotatingPercent / 100) + card.oilWeight;
  card.bobweightTotal = sum * (card.overbalancePercent + 100) / 100;
  return card.bobweightTotal;
}

double PerSide(const BobweightCard& card, double emptyBobweight) {
  return (card.bobweightTotal - emptyBobweight) * 0.5;
}

std::string PerSideLine(double perSide, double emptyBobweight) {
  if (emptyBobweight == 0) return FormatText("%1.1f per half", perSide);
  return FormatText("Add %1.1f per side", perSide);
}

std::string BobweightTotalText(double bobweightTotal) {
  return FormatText("%5.1f grams", bobweightTotal);
}

namespace {

// Lightest above 0 and heaviest of one column; ties keep the earlier row.
template <typename Value>
void ColumnExtremes(Value value, int& light, int& heavy) {
  light = 0;
  heavy = 0;
  for (int i = 0; i < kRodPistonRows; ++i) {
    double v = value(i);
    if (v > 0 && (v < value(light) || value(light) == 0)) light = i;
    if (v > value(heavy)) heavy = i;
  }
}

// Extremes over the rows that qualify. Until a qualifying row has been seen
// the index stays 0, whatever row 0 holds.
template <typename Value, typename Qualifies>
void QualifiedExtremes(Value value, Qualifies qualifies, int& light, int& heavy) {
  light = 0;
  heavy = 0;
  bool any = false;
  for (int i = 0; i < kRodPistonRows; ++i) {
    if (!qualifies(i)) continue;
    double v = value(i);
    if (!any || v < value(light)) light = i;
    if (!any || v > value(heavy)) heavy = i;
    any = true;
  }
}

}  // namespace

void RecomputeExtremes(RodPistonSet& set, const BobweightCard& card) {
  RodPistonExtremes& x = set.extremes;
  ColumnExtremes([&](int i) { return set.rodTotals[i]; }, x.lightRodTotal, x.heavyRodTotal);
  ColumnExtremes([&](int i) { return set.rodBigEnds[i]; }, x.lightBigEnd, x.heavyBigEnd);
  ColumnExtremes([&](int i) { return set.pistons[i]; }, x.lightPiston, x.heavyPiston);
  ColumnExtremes([&](int i) { return set.pins[i]; }, x.lightPin, x.heavyPin);
  ColumnExtremes([&](int i) { return PistonPinTotal(set, i); }, x.lightPistonPin, x.heavyPistonPin);
  // A rod whose big end is missing or heavier than its total has no small end
  // to compare.
  QualifiedExtremes([&](int i) { return SmallEnd(set, i); },
                    [&](int i) { return ShowsSmallEnd(set, i); }, x.lightSmallEnd, x.heavySmallEnd);
  QualifiedExtremes([&](int i) { return RecipTotal(set, card, i); },
                    [&](int i) { return ShowsRecipTotal(set, i) && RecipTotal(set, card, i) > 0; },
                    x.lightRecip, x.heavyRecip);
}

namespace {

double MeanAboveZero(const std::array<double, kRodPistonRows>& values) {
  double sum = 0;
  int count = 0;
  for (double v : values) {
    if (v > 0) {
      sum += v;
      ++count;
    }
  }
  return count > 0 ? sum / count : 0;
}

}  // namespace

void UseAverage(BobweightCard& card, const RodPistonSet& set, ComponentMode mode) {
  if (mode == ComponentMode::kRods) {
    card.rodTotalWeight = MeanAboveZero(set.rodTotals);
    card.rodBigEndWeight = MeanAboveZero(set.rodBigEnds);
  } else {
    card.pistonWeight = MeanAboveZero(set.pistons);
    card.pinWeight = MeanAboveZero(set.pins);
  }
  card.changed = true;
}

void UseLightest(BobweightCard& card, RodPistonSet& set, ComponentMode mode) {
  RecomputeExtremes(set, card);
  if (mode == ComponentMode::kRods) {
    card.rodTotalWeight = set.rodTotals[set.extremes.lightRodTotal];
    card.rodBigEndWeight = set.rodBigEnds[set.extremes.lightBigEnd];
  } else {
    card.pistonWeight = set.pistons[set.extremes.lightPiston];
    card.pinWeight = set.pins[set.extremes.lightPin];
  }
  card.changed = true;
}

namespace {

// Rows with a weight above 0, lightest (or heaviest) first; on equal weights
// the later row comes first.
int OrderRows(const std::array<double, kRodPistonRows>& values, bool heaviestFirst,
              std::array<int, kRodPistonRows>& order) {
  std::array<bool, kRodPistonRows> placed{};
  int count = 0;
  for (int place = 0; place < kRodPistonRows; ++place) {
    int pick = -1;
    for (int i = 0; i < kRodPistonRows; ++i) {
      if (placed[i] || values[i] <= 0) continue;
      if (pick < 0 || (heaviestFirst ? values[i] >= values[pick] : values[i] <= values[pick])) {
        pick = i;
      }
    }
    if (pick < 0) break;
    placed[pick] = true;
    order[count++] = pick;
  }
  return count;
}

}  // namespace

bool MatchPins(BobweightCard& card, RodPistonSet& set) {
  std::array<int, kRodPistonRows> pistonOrder{};
  std::array<int, kRodPistonRows> pinOrder{};
  int pistonCount = OrderRows(set.pistons, false, pistonOrder);
  int pinCount = OrderRows(set.pins, true, pinOrder);
  if (pistonCount == 0 || pinCount == 0) return false;

  std::array<double, kRodPistonRows> pins{};
  std::array<int, kRodPistonRows> numbers{};
  std::array<bool, kRodPistonRows> taken{};
  auto pinNumber = [&](int row) { return set.pinNumbers[row] > 0 ? set.pinNumbers[row] : row + 1; };
  int place = 0;
  for (; place < pinCount && place < pistonCount; ++place) {
    int row = pistonOrder[place];
    pins[row] = set.pins[pinOrder[place]];
    numbers[row] = pinNumber(pinOrder[place]);
    taken[row] = true;
  }
  // More pins than pistons: the pins left over go to the rows without a
  // piston so that no weighed pin is lost.
  for (int row = 0; place < pinCount && row < kRodPistonRows; ++row) {
    if (taken[row]) continue;
    pins[row] = set.pins[pinOrder[place]];
    numbers[row] = pinNumber(pinOrder[place]);
    taken[row] = true;
    ++place;
  }
  set.pins = pins;
  set.pinNumbers = numbers;
  RecomputeExtremes(set, card);
  card.changed = true;
  return true;
}

bool IsBobweightWeightEntry(int id) {
  return (id >= kEntryRodTotal && id <= kEntryOil) || id == kEntryEmptyBobweight ||
         (id >= kEntryRodTotals && id <= kEntryLastComponent);
}

EntryResult StoreBobweightEntry(int id, double value, BobweightCard& card, RodPistonSet& set,
                                double& emptyBobweight) {
  double* cardFields[] = {&card.rodTotalWeight, &card.rodBigEndWeight,   &card.rodBearingWeight,
                          &card.pistonWeight,   &card.pinWeight,         &card.pinLockWeight,
                          &card.ringWeight,     &card.supportRailWeight, &card.oilWeight};
  double* percentFields[] = {&card.reciprocatingPercent, &card.rotatingPercent,
                             &card.cylindersPerBobweight, &card.overbalancePercent};
  bool isCard = id >= kEntryRodTotal && id <= kEntryOil;
  bool isPercent = id >= kEntryReciprocatingPercent && id <= kEntryOverbalance;
  bool isComponent = id >= kEntryRodTotals && id <= kEntryLastComponent;
  if (!isCard && !isPercent && !isComponent && id != kEntryEmptyBobweight) {
    return EntryResult::kNotBobweightField;
  }
  // Every field, the overbalance too, takes 0 or more: a negative overbalance
  // is a sign slip that would leave the bobweight light.
  if (!NumberInRange(value, 0.0, kCardValueMax)) return EntryResult::kRejected;

  if (id == kEntryEmptyBobweight) {
    emptyBobweight = value;
    return EntryResult::kStoredSettings;
  }
  card.changed = true;
  if (isCard) {
    *cardFields[id - kEntryRodTotal] = value;
    return EntryResult::kStored;
  }
  if (isPercent) {
    *percentFields[id - kEntryReciprocatingPercent] = value;
    return EntryResult::kStored;
  }
  int offset = id - kEntryRodTotals;
  int column = offset / kRodPistonRows;
  int row = offset % kRodPistonRows;
  switch (column) {
    case 0:
      set.rodTotals[row] = value;
      break;
    case 1:
      set.rodBigEnds[row] = value;
      break;
    case 2:
      set.pistons[row] = value;
      break;
    default:
      set.pins[row] = value;
      if (set.pinNumbers[row] == 0) set.pinNumbers[row] = row + 1;
      break;
  }
  RecomputeExtremes(set, card);
  return EntryResult::kStoredComponent;
}

std::string CutText(const std::string& text, size_t max) {
  return text.size() > max ? text.substr(0, max) : text;
}

void SetJobNotes(BobweightCard& card, const std::string& notes) {
  std::string clean;
  clean.reserve(notes.size());
  for (char c : notes) {
    if (c != '\x1b') clean += c;
  }
  card.jobNotes = CutText(clean, kJobNotesMax);
}

void SetJobName(BobweightCard& card, const std::string& name) {
  card.jobName = CutText(name, kJobNameMax);
}

std::string CleanJobName(const std::string& typed) {
  return CleanFileName(typed, ".bwi");
}

void SetJobDate(BobweightCard& card, const std::string& date) {
  card.jobDate = CutText(date, kJobDateMax);
}

void SetExternalWeights(BobweightCard& card, const std::string& front, const std::string& rear) {
  std::string text = "Front: " + front;
  text += "      Rear: " + rear;
  card.externalWeightText = CutText(text, kExternalWeightTextMax);
}

std::string FormatJobDate(int month, int day, int year) {
  char text[40];
  std::snprintf(text, sizeof text, "%d/%d/%d", month, day, year);
  return CutText(text, kJobDateMax);
}

std::string TodayJobDate() {
  std::time_t now = std::time(nullptr);
  std::tm* local = std::localtime(&now);
  if (!local) return "";
  return FormatJobDate(local->tm_mon + 1, local->tm_mday, local->tm_year + 1900);
}

void TakeShaftCondition(BobweightCard& card, const ShaftCondition& condition, bool final) {
  std::string text = CutText(condition.text, kConditionTextMax);
  if (final) {
    card.finalLeft = condition.leftAmount;
    card.finalRight = condition.rightAmount;
    card.finalConditionText = text;
  } else {
    card.initialLeft = condition.leftAmount;
    card.initialRight = condition.rightAmount;
    card.initialConditionText = text;
  }
}

NewJobDefaults NewJobDefaultsFrom(const MachineSettings& settings) {
  NewJobDefaults d;
  d.defaultOilWeight = settings.defaultOilWeight;
  d.shaftRadiusLeft = settings.shaftRadiusLeft;
  d.shaftRadiusRight = settings.shaftRadiusRight;
  d.toleranceMoment = settings.toleranceMoment;
  return d;
}

void newJob(BobweightCard& card, RodPistonSet& set, const NewJobDefaults& defaults,
            const std::string& jobDate) {
  BobweightCard fresh;
  fresh.oilWeight = defaults.defaultOilWeight;
  fresh.leftRadius = defaults.shaftRadiusLeft;
  fresh.rightRadius = defaults.shaftRadiusRight;
  fresh.tolerance = defaults.toleranceMoment;
  fresh.jobDate = CutText(jobDate, kJobDateMax);
  fresh.engineRow = card.engineRow;
  card = fresh;
  computeBobweight(card);
  set = RodPistonSet{};
}

}  // namespace balancer
