// The "Unbalance History" window's model (ScreenCode 'y'): one row per record
// in use and the buttons "Clear", "Save", "Load", "Print" and "Exit".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/field_codes.h"
#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "records/file_request.h"
#include "records/history.h"
#include "records/screen_row.h"

namespace balancer {

constexpr char kHistoryTitle[] = "Unbalance History";
constexpr char kHistoryScreenCode = kScreenHistory;

// Button ids; Save, Load and Print are their field-table entries.
enum : int {
  kHistoryClearId = 380,
  kHistorySaveId = kFieldSave,
  kHistoryLoadId = kFieldLoad,
  kHistoryPrintId = kFieldPrint,
  kHistoryExitId = kExitButton,
};

// The text entry code of the history name (the touch keyboard).
constexpr int kHistoryNameCode = kFieldSave;

// Client layout, design units: the window's place and size, the column
// headings, the first row and the row step.
DesignBox HistoryWindowBox();
// Its buttons, at their places in client design units.
const std::vector<ScreenItem>& HistoryButtons();
struct HistoryColumns {
  int labelX, leftX, rightX, headingY, firstRowY, rowStep, columnWidth;
};
HistoryColumns HistoryLayout();

// The dialogs of Save and Load. Save offers .hst files, then spreadsheets
// (.csv); the chosen name's extension decides what is written. `proposeCsv`
// proposes "NAME.csv" instead of "NAME.hst".
FileRequest SaveHistoryRequest(const History& history, const MachineSettings& settings,
                               bool proposeCsv = false);
FileRequest LoadHistoryRequest(const MachineSettings& settings);

class HistoryScreen {
 public:
  HistoryScreen(History& history, MachineSettings& settings, OperatorUi* ui)
      : history_(history), settings_(settings), ui_(ui) {}

  // The rows of the records in use, in table order.
  std::vector<HistoryRow> Rows() const;

  ScreenPress Press(int id);
  // Esc closes; letters do nothing (the buttons have no access keys).
  ScreenPress Key(int character);
  // The name typed on the keyboard before saving; "" leaves the dialog
  // without a proposal.
  ScreenPress NameEntered(const std::string& typed);
  // The dialog's answer; nothing when it was cancelled.
  ScreenPress FileChosen(const FileRequest& request, const std::optional<std::string>& path);

 private:
  History& history_;
  MachineSettings& settings_;
  OperatorUi* ui_;
};

}  // namespace balancer
