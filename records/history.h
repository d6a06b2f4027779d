// Shaft condition records and the unbalance history of a balancing job.
#pragma once

#include <array>
#include <string>

#include "base/machine_settings.h"
#include "base/operator_message.h"
#include "base/operator_ui.h"

namespace balancer {

constexpr int kHistorySize = 24;

enum : int {
  kHistoryEmpty = 0,
  kHistorySpin = 1,
  kHistoryInitial = 2,
  kHistoryFinal = 3,
};

// Left moment of a single-plane record (there is no left value).
constexpr double kNoLeftMoment = -1000.0;

struct HistoryRecord {
  int kind = kHistoryEmpty;
  double leftMoment = 0.0;  // correction moment, gram-inches
  double leftAngle = 0.0;   // display angle, degrees
  double leftRadius = 0.0;  // correction radius used
  double rightMoment = 0.0;
  double rightAngle = 0.0;
  double rightRadius = 0.0;
};

// The initial or final condition: amounts in grams at the shaft radius.
struct ShaftCondition {
  double leftAmount = 0.0;
  double rightAmount = 0.0;
  double leftRadius = 0.0;  // the shaft radii used
  double rightRadius = 0.0;
  std::string text;  // the condition line
};

struct History {
  std::array<HistoryRecord, kHistorySize> records{};
  int historyCount = 0;
  int finalStored = 0;
  std::string historyName;  // base name of the last loaded file
  ShaftCondition initial;
  ShaftCondition final;

  void Clear() {
    records = {};
    historyCount = 0;
  }
};

// What the current result offers a record: the correction moments, display
// angles and radii used per side, and the two upright reading moments.
struct CurrentResult {
  double leftMoment = 0.0;
  double leftAngle = 0.0;
  double leftRadius = 0.0;
  double rightMoment = 0.0;
  double rightAngle = 0.0;
  double rightRadius = 0.0;
  double leftReadingMoment = 0.0;
  double rightReadingMoment = 0.0;
};

// "Left %1.1f grams      Right %1.1f grams" and its variants (ounces too).
std::string ConditionLine(double leftGrams, double rightGrams, int weightUnit);

// The correction text of the current result (left only in two-plane mode).
std::string CorrectionText(const CurrentResult& result, int twoPlaneMode, int weightUnit);

// Save Initial: fills the initial condition, shows the storing message and
// starts a new history with the initial record. The caller then writes the
// named bobweight file again, if there is one.
void SaveInitial(History& history, const MachineSettings& settings, const CurrentResult& result,
                 OperatorUi& ui);

// Save Final. When a final condition is already stored, asks whether to
// overwrite (ActionCode 135) and returns false; the answer YES clears
// finalStored and runs Save Final again. Returns true when stored.
bool SaveFinal(History& history, const MachineSettings& settings, const CurrentResult& result,
               OperatorUi& ui);

// After a spin with a reading present: appends a spin record (the oldest spin
// makes room once the table is full; record 0 stays). Does nothing while the
// final condition is stored.
void AppendSpin(History& history, const CurrentResult& result, int twoPlaneMode);

// The .hst file text: 24 lines.
std::string FormatHistory(const History& history);

// Reads a .hst text: clears the table and reads all 24 lines, one record
// each; a line that cannot be read (short, damaged or with a number beyond
// kRecordValueMax) leaves its record cleared. historyCount becomes the number of leading
// records whose kind is not 0, whatever the kind. Returns false when the first
// record is empty (an old format file); the records read are kept either way.
bool ParseHistory(const std::string& text, History& history);

// Save to `path` (crash-safe); historyFolder becomes its folder. A failure is
// told to the operator and returns false.
bool SaveHistoryFile(const std::string& path, const History& history, MachineSettings& settings,
                     OperatorUi* ui);

// Load from `path`. A file that cannot be opened is ignored (false, nothing
// changed). Otherwise the history name and historyFolder follow the file, and
// an old format file is told to the operator. Returns true when the file was
// read.
bool LoadHistoryFile(const std::string& path, History& history, MachineSettings& settings,
                     OperatorUi* ui);

// One row of the "Unbalance History" window for records[index]: the label
// ("Initial", "Final" or the spin number) and per side the amount at the
// radius used, " & " and the radius ("" on the left of a single-plane record).
struct HistoryRow {
  std::string label;
  std::string left;
  std::string right;
};
HistoryRow HistoryRowText(const History& history, int index, int weightUnit, int lengthUnit);

OperatorMessage StoringConditionMessage(bool final, const std::string& correctionText,
                                        const std::string& conditionLine);
OperatorMessage FinalOverwriteQuestion();
OperatorMessage OldHistoryFormatMessage();

}  // namespace balancer
