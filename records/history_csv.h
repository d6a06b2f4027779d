// The unbalance history as a spreadsheet file: one row per record in use, as
// the "Unbalance History" window lists them, in the display units.
#pragma once

#include <string>

#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "records/history.h"

namespace balancer {

constexpr char kHistoryCsvFilter[] = "Spreadsheet Files (.csv files)";
constexpr char kHistoryCsvExtension[] = "csv";

// True when the file name ends in ".csv" (any case): such a file is written
// as CSV, any other name as .hst.
bool IsCsvFileName(const std::string& path);

// The CSV text: a header row ("Number","Kind","Left amount (grams)",...,
// units by the settings), then per record "Number" (the spin number; empty
// for Initial and Final), "Kind" ("Initial", "Final" or "Spin"), and per side
// amount, angle and radius as the window prints them. Texts are quoted with
// embedded quotes doubled, numbers always carry a decimal point, cells are
// separated by commas and rows end in CR LF. A single-plane record has empty
// left cells.
std::string FormatHistoryCsv(const History& history, int weightUnit, int lengthUnit);

// Writes the CSV to `path` crash-safely; historyFolder becomes its folder, as
// a .hst save does. A failure is told to the operator and returns false.
bool SaveHistoryCsvFile(const std::string& path, const History& history, MachineSettings& settings,
                        OperatorUi* ui);

}  // namespace balancer
