#include "records/history_csv.h"

#include <cctype>

#include "base/unit_text.h"
#include "records/atomic_file.h"
#include "records/number_text.h"
#include "records/settings_file.h"

namespace balancer {

namespace {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

// A spreadsheet reads a comma inside a number as a new cell: whatever the C
// library's locale, the decimal mark written is a point.
std::string Number(const char* format, double value) {
  std::string text = FormatNumber(format, value);
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  return text;
}

// The window's number formats, without the words around them.
std::string AmountCell(double grams, int weightUnit) {
  if (weightUnit == 1) return Number(grams >= 28.35 ? "%1.2f" : "%1.3f", grams / kGramsPerOunce);
  return Number(grams >= 9.995 ? "%1.1f" : "%1.2f", grams);
}

std::string RadiusCell(double inches, int lengthUnit) {
  return Number(lengthUnit == 1 ? "%1.0f" : "%1.2f", inches * LengthFactor(lengthUnit));
}

void AddSide(std::string& row, double moment, double angle, double radius, int weightUnit,
             int lengthUnit) {
  const double grams = radius > 0.0 ? moment / radius : 0.0;
  row += "," + AmountCell(grams, weightUnit) + "," + Number("%1.0f", angle) + "," +
         RadiusCell(radius, lengthUnit);
}

}  // namespace

bool IsCsvFileName(const std::string& path) {
  const std::string extension = ".csv";
  if (path.size() < extension.size()) return false;
  const size_t at = path.size() - extension.size();
  for (size_t i = 0; i < extension.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(path[at + i])) != extension[i]) return false;
  }
  return true;
}

std::string FormatHistoryCsv(const History& history, int weightUnit, int lengthUnit) {
  const std::string weight = weightUnit == 1 ? " (ounces)" : " (grams)";
  const std::string length = lengthUnit == 1 ? " (millimetres)" : " (inches)";
  const std::string headings[] = {"Number",
                                  "Kind",
                                  "Left amount" + weight,
                                  "Left angle (degrees)",
                                  "Left radius" + length,
                                  "Right amount" + weight,
                                  "Right angle (degrees)",
                                  "Right radius" + length};
  std::string out;
  for (const std::string& heading : headings) {
    if (!out.empty()) out += ',';
    out += Quoted(heading);
  }
  out += "\r\n";

  int spin = 0;
  for (int i = 0; i < history.historyCount && i < kHistorySize; ++i) {
    const HistoryRecord& r = history.records[i];
    // A record of a kind the window does not name shows nothing there either.
    if (r.kind != kHistorySpin && r.kind != kHistoryInitial && r.kind != kHistoryFinal) continue;
    std::string row = r.kind == kHistorySpin      ? std::to_string(++spin) + "," + Quoted("Spin")
                      : r.kind == kHistoryInitial ? "," + Quoted("Initial")
                                                  : "," + Quoted("Final");
    if (r.leftMoment == kNoLeftMoment) {
      row += ",,,";
    } else {
      AddSide(row, r.leftMoment, r.leftAngle, r.leftRadius, weightUnit, lengthUnit);
    }
    AddSide(row, r.rightMoment, r.rightAngle, r.rightRadius, weightUnit, lengthUnit);
    out += row + "\r\n";
  }
  return out;
}

bool SaveHistoryCsvFile(const std::string& path, const History& history, MachineSettings& settings,
                        OperatorUi* ui) {
  if (!WriteFileAtomically(path,
                           FormatHistoryCsv(history, settings.weightUnit, settings.lengthUnit))) {
    if (ui) ui->ShowMessage(FileWriteErrorMessage(path));
    return false;
  }
  settings.historyFolder = FolderOfPath(path).substr(0, kFolderPathMax);
  return true;
}

}  // namespace balancer
