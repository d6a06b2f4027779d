#include "bobweight/engine_list.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "base/operator_ui.h"
#include "bobweight/text_file.h"
#include "records/atomic_file.h"
#include "records/number_text.h"

namespace balancer {

namespace {

constexpr int kHeaderLines = 5;
constexpr size_t kRowChars = 99;  // longer lines continue as the next row
constexpr const char* kDefaultEngineRow = "V-8^50^100^2^^";

EngineRow ParseRow(const std::string& line) {
  EngineRow row;
  if (!line.empty() && line[0] == '^') {
    row.heading = true;
    row.headingText = line.substr(1);
    if (!row.headingText.empty() && row.headingText.back() == '^') row.headingText.pop_back();
    return row;
  }
  std::string* fields[] = {&row.name, &row.reciprocating, &row.rotating, &row.cylinders,
                           &row.balance};
  size_t start = 0;
  for (std::string* field : fields) {
    size_t caret = line.find('^', start);
    if (caret == std::string::npos) {
      *field = line.substr(std::min(start, line.size()));
      start = std::string::npos;
      break;
    }
    *field = line.substr(start, caret - start);
    start = caret + 1;
  }
  if (start != std::string::npos && start <= line.size()) row.comments = line.substr(start);
  return row;
}

}  // namespace

EngineList ParseEngineList(const std::string& fileText) {
  EngineList list;
  list.fromFile = true;
  std::string text = FromFileLineEnds(fileText);
  size_t pos = 0;
  int lineIndex = 0;
  while (pos < text.size() && static_cast<int>(list.rows.size()) < kEngineListMaxRows) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (lineIndex++ < kHeaderLines) continue;
    size_t chunk = 0;
    do {
      if (static_cast<int>(list.rows.size()) >= kEngineListMaxRows) break;
      list.rows.push_back(ParseRow(line.substr(chunk, kRowChars)));
      chunk += kRowChars;
    } while (chunk < line.size());
  }
  return list;
}

EngineList ReadEngineList(const std::string& path) {
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) {
    EngineList list;
    list.rows.push_back(ParseRow(kDefaultEngineRow));
    return list;
  }
  return ParseEngineList(*text);
}

std::string BalancedText(const EngineRow& row) {
  if (row.heading || row.balance.empty()) return "";
  if (row.balance[0] == 'i' || row.balance[0] == 'I') return "Internal";
  if (row.balance[0] == 'e' || row.balance[0] == 'E') return "External";
  return "";
}

OperatorMessage EngineListMissingMessage() {
  return MakeOkMessage("Error",
                       "The engine information file (bwinfo.txt) was not found.\n\n"
                       "Please make sure this file is located in the C:\\Balancer folder.",
                       kRedText, kBeepHand, 290, 180, 700, 230);
}

EngineList LoadEngineListForWindow(const std::string& path, OperatorUi& ui) {
  EngineList list = ReadEngineList(path);
  if (!list.fromFile && !ui.MessageWindowOpen()) ui.ShowMessage(EngineListMissingMessage());
  return list;
}

int MaxTopRow(const EngineList& list) {
  return std::max(0, static_cast<int>(list.rows.size()) - kEngineListVisibleRows);
}

EngineSelection OpenEngineSelection(const EngineList& list, int selectedRow) {
  EngineSelection selection;
  int count = static_cast<int>(list.rows.size());
  selection.selected = selectedRow >= 0 && selectedRow < count ? selectedRow : 0;
  if (selection.selected == 0 && count > 0 && list.rows[0].heading) {
    for (int i = 1; i < count; ++i) {
      if (!list.rows[i].heading) {
        selection.selected = i;
        break;
      }
    }
  }
  ScrollTo(selection, list, selection.selected - kEngineOpenOffset);
  return selection;
}

EngineSelection OpenEngineWindow(BobweightCard& card, const EngineList& list) {
  card.changed = true;
  EngineSelection selection = OpenEngineSelection(list, card.engineRow);
  card.engineRow = selection.selected;
  return selection;
}

void ScrollTo(EngineSelection& selection, const EngineList& list, int top) {
  selection.top = std::clamp(top, 0, MaxTopRow(list));
}

void ScrollRows(EngineSelection& selection, const EngineList& list, int rows) {
  ScrollTo(selection, list, selection.top + rows);
}

void EngineListKey(EngineSelection& selection, const EngineList& list, EngineKey key) {
  switch (key) {
    case EngineKey::kUp:
      ScrollRows(selection, list, -1);
      break;
    case EngineKey::kDown:
      ScrollRows(selection, list, 1);
      break;
    case EngineKey::kPageUp:
      ScrollRows(selection, list, -kEnginePageStep);
      break;
    case EngineKey::kPageDown:
      ScrollRows(selection, list, kEnginePageStep);
      break;
  }
}

void EngineListWheel(EngineSelection& selection, const EngineList& list, int delta) {
  selection.wheelRemainder += delta;
  int notches = selection.wheelRemainder / kWheelDelta;
  selection.wheelRemainder -= notches * kWheelDelta;
  // Row by row, so every step is clamped on its own.
  for (int step = 0; step < std::abs(notches) * kWheelRowsPerNotch; ++step) {
    ScrollRows(selection, list, notches > 0 ? -1 : 1);
  }
}

bool ClickEngineRow(EngineSelection& selection, const EngineList& list, int visibleRow) {
  if (visibleRow < 0 || visibleRow >= kEngineListVisibleRows) return false;
  int row = selection.top + visibleRow;
  if (row >= static_cast<int>(list.rows.size()) || list.rows[row].heading) return false;
  selection.selected = row;
  return true;
}

bool ApplyEngineRow(const EngineList& list, int row, BobweightCard& card) {
  if (row < 0 || row >= static_cast<int>(list.rows.size()) || list.rows[row].heading) {
    return false;
  }
  const EngineRow& engine = list.rows[row];
  card.engineName = CutText(engine.name, kEngineNameMax);
  // A column beyond what a card holds reads as no number: the card keeps its
  // value, as for a column without one.
  auto take = [](const std::string& text, double& field) {
    double value = 0;
    if (LeadingNumber(text, value) && NumberInRange(value, -kCardValueMax, kCardValueMax)) {
      field = value;
    }
  };
  take(engine.reciprocating, card.reciprocatingPercent);
  take(engine.rotating, card.rotatingPercent);
  take(engine.cylinders, card.cylindersPerBobweight);
  card.engineRow = row;
  computeBobweight(card);
  return true;
}

}  // namespace balancer
