#include "records/history.h"

#include <cstdio>

#include "base/field_codes.h"
#include "base/unit_text.h"
#include "records/atomic_file.h"
#include "records/number_text.h"
#include "records/settings_file.h"
#include "records/text_scanner.h"

namespace balancer {

namespace {

std::string Format(const char* format, double value) {
  return FormatText(format, value);
}

HistoryRecord RecordOf(int kind, const CurrentResult& r, int twoPlaneMode) {
  HistoryRecord record;
  record.kind = kind;
  record.leftMoment = twoPlaneMode ? r.leftMoment : kNoLeftMoment;
  record.leftAngle = r.leftAngle;
  record.leftRadius = r.leftRadius;
  record.rightMoment = r.rightMoment;
  record.rightAngle = r.rightAngle;
  record.rightRadius = r.rightRadius;
  return record;
}

// Amounts at the shaft radius from the upright readings.
ShaftCondition ConditionOf(const MachineSettings& s, const CurrentResult& r) {
  ShaftCondition c;
  c.leftRadius = s.shaftRadiusLeft;
  c.rightRadius = s.shaftRadiusRight;
  c.leftAmount = c.leftRadius > 0.0 ? r.leftReadingMoment / c.leftRadius : 0.0;
  c.rightAmount = c.rightRadius > 0.0 ? r.rightReadingMoment / c.rightRadius : 0.0;
  c.text = ConditionLine(c.leftAmount, c.rightAmount, s.weightUnit);
  return c;
}

std::string Amount(const char* grams, const char* gramsSmall, const char* ounces,
                   const char* ouncesSmall, double value, int weightUnit) {
  if (weightUnit == 1) {
    return Format(value >= 28.35 ? ounces : ouncesSmall, value / kGramsPerOunce);
  }
  return Format(value >= 9.995 ? grams : gramsSmall, value);
}

}  // namespace

std::string ConditionLine(double leftGrams, double rightGrams, int weightUnit) {
  return Amount("Left %1.1f grams      ", "Left %1.2f grams      ", "Left %1.2f ounces      ",
                "Left %1.3f ounces      ", leftGrams, weightUnit) +
         Amount("Right %1.1f grams", "Right %1.2f grams", "Right %1.2f ounces",
                "Right %1.3f ounces", rightGrams, weightUnit);
}

std::string CorrectionText(const CurrentResult& r, int twoPlaneMode, int weightUnit) {
  std::string text;
  if (twoPlaneMode) {
    double left = r.leftRadius > 0.0 ? r.leftMoment / r.leftRadius : 0.0;
    text += Amount("Left %1.1f grams      ", "Left %1.2f grams      ", "Left %1.2f ounces      ",
                   "Left %1.3f ounces      ", left, weightUnit);
  }
  double right = r.rightRadius > 0.0 ? r.rightMoment / r.rightRadius : 0.0;
  text += Amount("Right %1.1f grams", "Right %1.2f grams", "Right %1.2f oz.", "Right %1.3f ounces",
                 right, weightUnit);
  return text;
}

void SaveInitial(History& history, const MachineSettings& settings, const CurrentResult& result,
                 OperatorUi& ui) {
  history.initial = ConditionOf(settings, result);
  ui.ShowMessage(StoringConditionMessage(
      false, CorrectionText(result, settings.twoPlaneMode, settings.weightUnit),
      history.initial.text));
  history.Clear();
  history.records[0] = RecordOf(kHistoryInitial, result, settings.twoPlaneMode);
  history.historyCount = 1;
  history.finalStored = 0;
}

bool SaveFinal(History& history, const MachineSettings& settings, const CurrentResult& result,
               OperatorUi& ui) {
  if (history.finalStored == 1) {
    ui.ShowMessage(FinalOverwriteQuestion());
    return false;
  }
  // Without an initial condition or a spin the final record becomes record 0.
  if (history.historyCount < 1) history.historyCount = 1;
  history.final = ConditionOf(settings, result);
  ui.ShowMessage(StoringConditionMessage(
      true, CorrectionText(result, settings.twoPlaneMode, settings.weightUnit),
      history.final.text));
  history.records[history.historyCount - 1] =
      RecordOf(kHistoryFinal, result, settings.twoPlaneMode);
  history.finalStored = 1;
  return true;
}

void AppendSpin(History& history, const CurrentResult& result, int twoPlaneMode) {
  if (history.finalStored) return;
  if (history.historyCount < kHistorySize) {
    ++history.historyCount;
  } else if (history.records[kHistorySize - 1].kind != kHistoryEmpty) {
    for (int i = 1; i < kHistorySize - 1; ++i) history.records[i] = history.records[i + 1];
  }
  history.records[history.historyCount - 1] = RecordOf(kHistorySpin, result, twoPlaneMode);
}

std::string FormatHistory(const History& history) {
  std::string out;
  for (const HistoryRecord& r : history.records) {
    // However long the numbers, each record stays one whole line.
    out += FormatText("%d %1.3f %1.0f %1.3f %1.3f %1.0f %1.3f\n", r.kind, r.leftMoment, r.leftAngle,
                      r.leftRadius, r.rightMoment, r.rightAngle, r.rightRadius);
  }
  return out;
}

bool ParseHistory(const std::string& text, History& history) {
  history.Clear();
  // One record per line, so a damaged line cannot borrow values from the next.
  // A line that cannot be read leaves its record cleared and costs no other.
  size_t lineStart = 0;
  for (HistoryRecord& record : history.records) {
    if (lineStart >= text.size()) break;
    size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string::npos) lineEnd = text.size();
    const std::string line = text.substr(lineStart, lineEnd - lineStart);
    lineStart = lineEnd + 1;
    TextScanner in(line);
    HistoryRecord r;
    bool complete = in.Int(r.kind) && in.Double(r.leftMoment) && in.Double(r.leftAngle) &&
                    in.Double(r.leftRadius) && in.Double(r.rightMoment) &&
                    in.Double(r.rightAngle) && in.Double(r.rightRadius);
    for (double v :
         {r.leftMoment, r.leftAngle, r.leftRadius, r.rightMoment, r.rightAngle, r.rightRadius}) {
      if (!NumberInRange(v, -kRecordValueMax, kRecordValueMax)) complete = false;
    }
    if (complete) record = r;
  }
  while (history.historyCount < kHistorySize &&
         history.records[history.historyCount].kind != kHistoryEmpty) {
    ++history.historyCount;
  }
  return history.records[0].kind != kHistoryEmpty;
}

bool SaveHistoryFile(const std::string& path, const History& history, MachineSettings& settings,
                     OperatorUi* ui) {
  if (!WriteFileAtomically(path, FormatHistory(history))) {
    if (ui) ui->ShowMessage(FileWriteErrorMessage(path));
    return false;
  }
  settings.historyFolder = FolderOfPath(path).substr(0, kFolderPathMax);
  return true;
}

bool LoadHistoryFile(const std::string& path, History& history, MachineSettings& settings,
                     OperatorUi* ui) {
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return false;
  history.historyName = BaseNameOfPath(path);
  if (!ParseHistory(*text, history) && ui) ui->ShowMessage(OldHistoryFormatMessage());
  settings.historyFolder = FolderOfPath(path).substr(0, kFolderPathMax);
  return true;
}

HistoryRow HistoryRowText(const History& history, int index, int weightUnit, int lengthUnit) {
  HistoryRow row;
  if (index < 0 || index >= kHistorySize) return row;
  const HistoryRecord& r = history.records[index];
  switch (r.kind) {
    case kHistoryInitial:
      row.label = "Initial";
      break;
    case kHistoryFinal:
      row.label = "Final";
      break;
    case kHistorySpin: {
      int spin = 0;
      for (int i = 0; i <= index; ++i) spin += history.records[i].kind == kHistorySpin ? 1 : 0;
      row.label = std::to_string(spin);
      break;
    }
    default:
      return row;
  }
  auto side = [&](double moment, double angle, double radius) {
    double grams = radius > 0.0 ? moment / radius : 0.0;
    return AmountText(grams, angle, weightUnit, false) + " & " +
           LengthText(radius, lengthUnit, false) + " radius";
  };
  if (r.leftMoment != kNoLeftMoment) row.left = side(r.leftMoment, r.leftAngle, r.leftRadius);
  row.right = side(r.rightMoment, r.rightAngle, r.rightRadius);
  return row;
}

OperatorMessage StoringConditionMessage(bool final, const std::string& correctionText,
                                        const std::string& conditionLine) {
  std::string text = "Unbalance at the specified correction radius and plane offsets is...\n" +
                     correctionText +
                     "\n\n"
                     "This is a correction amount based on the specified location,\n"
                     "it is not the actual shaft unbalance.\n\n" +
                     (final ? "The final shaft unbalance will be stored as...\n"
                            : "The initial shaft unbalance will be stored as...\n") +
                     conditionLine +
                     "\n\n"
                     "This is the actual shaft unbalance,\n"
                     "it is measured at the shaft radius and zero plane offsets.";
  return MakeOkMessage(final ? "Storing Final Shaft Condition" : "Storing Initial Shaft Condition",
                       text, kDarkBlueText, kBeepNone, 240, 110, 800, 440);
}

OperatorMessage FinalOverwriteQuestion() {
  return MakeQuestion("Attention",
                      "Final Shaft Condition has been previously saved.\n\n"
                      "Do you want to overwrite?",
                      kDarkBlueText, kBeepAsterisk, 340, 200, 600, 200, "YES", 70, "NO", 70,
                      kFieldSaveFinal);
}

OperatorMessage OldHistoryFormatMessage() {
  return MakeOkMessage("Error",
                       "Error, this is an old format history file.\n\n"
                       "The file can be viewed with Notepad.",
                       kDarkBlueText, kBeepAsterisk, 340, 200, 600, 200);
}

}  // namespace balancer
