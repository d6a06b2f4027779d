#include "records/history_screen.h"

#include "records/atomic_file.h"
#include "records/history_csv.h"

namespace balancer {

namespace {

constexpr char kHistoryFilter[] = "History Files (.hst files)";
constexpr char kHistoryExtension[] = "hst";

}  // namespace

DesignBox HistoryWindowBox() {
  return {130, 20, 1020, 640};
}

const std::vector<ScreenItem>& HistoryButtons() {
  static const std::vector<ScreenItem> buttons = [] {
    std::vector<ScreenItem> items;
    const struct {
      int id;
      const char* label;
      int y;
    } column[] = {{kHistoryClearId, "Clear", 50},
                  {kHistorySaveId, "Save", 110},
                  {kHistoryLoadId, "Load", 170},
                  {kHistoryPrintId, "Print", 230},
                  {kHistoryExitId, "Exit", 540}};
    for (const auto& b : column) {
      ScreenItem item;
      item.id = b.id;
      item.label = b.label;
      item.place = {880, b.y, 110, 40};
      items.push_back(item);
    }
    return items;
  }();
  return buttons;
}

HistoryColumns HistoryLayout() {
  // 24 rows of 23 units under the headings fit the 600-unit client area.
  return {20, 110, 490, 14, 44, 23, 370};
}

FileRequest SaveHistoryRequest(const History& history, const MachineSettings& settings,
                               bool proposeCsv) {
  FileRequest request = JobFileRequest(true, "Save History Data", kHistoryFilter, kHistoryExtension,
                                       settings.historyFolder, history.historyName);
  request.secondFilterName = kHistoryCsvFilter;
  request.secondPatterns = std::string("*.") + kHistoryCsvExtension;
  if (proposeCsv && !history.historyName.empty()) {
    request.proposedName = history.historyName + "." + kHistoryCsvExtension;
  }
  return request;
}

FileRequest LoadHistoryRequest(const MachineSettings& settings) {
  return JobFileRequest(false, "Retrieve History Data", kHistoryFilter, kHistoryExtension,
                        settings.historyFolder, "");
}

std::vector<HistoryRow> HistoryScreen::Rows() const {
  std::vector<HistoryRow> rows;
  const int count = history_.historyCount < kHistorySize ? history_.historyCount : kHistorySize;
  for (int i = 0; i < count; ++i) {
    rows.push_back(HistoryRowText(history_, i, settings_.weightUnit, settings_.lengthUnit));
  }
  return rows;
}

ScreenPress HistoryScreen::Press(int id) {
  ScreenPress press = HandledPress();
  switch (id) {
    case kHistoryClearId:
      history_.Clear();
      press.repaint = true;
      break;
    case kHistorySaveId:
      if (settings_.touchscreen == 1 && history_.historyName.empty()) {
        press.nameEntry = NameEntry{kHistoryNameCode, "Enter history file name", ""};
      } else {
        press.dialog = SaveHistoryRequest(history_, settings_);
      }
      break;
    case kHistoryLoadId:
      press.dialog = LoadHistoryRequest(settings_);
      break;
    case kHistoryPrintId:
      press.print = true;
      break;
    case kHistoryExitId:
      // The history folder may have followed a dialog.
      press.close = true;
      press.writeSettings = true;
      break;
    default:
      press.handled = false;
      break;
  }
  return press;
}

ScreenPress HistoryScreen::Key(int character) {
  // The buttons carry no access letters, and a stray letter must never
  // clear the job's history: only Esc closes.
  return character == kEscapeCharacter ? Press(kHistoryExitId) : ScreenPress{};
}

ScreenPress HistoryScreen::NameEntered(const std::string& typed) {
  ScreenPress press = HandledPress();
  // A name typed with ".csv" asks for the spreadsheet; any other is a .hst.
  const bool csv = IsCsvFileName(CleanFileName(typed, ""));
  history_.historyName = CleanFileName(typed, csv ? ".csv" : ".hst");
  press.dialog = SaveHistoryRequest(history_, settings_, csv);
  return press;
}

ScreenPress HistoryScreen::FileChosen(const FileRequest& request,
                                      const std::optional<std::string>& path) {
  ScreenPress press = HandledPress();
  if (!path || path->empty()) return press;
  if (request.save) {
    // The saved file is the current history from now on, in either format.
    const bool saved = IsCsvFileName(*path) ? SaveHistoryCsvFile(*path, history_, settings_, ui_)
                                            : SaveHistoryFile(*path, history_, settings_, ui_);
    if (saved) {
      history_.historyName = BaseNameOfPath(*path);
    }
    return press;
  }
  if (LoadHistoryFile(*path, history_, settings_, ui_)) {
    press.repaint = true;
    press.repaintReadings = true;
  }
  return press;
}

}  // namespace balancer
