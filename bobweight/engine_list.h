// The engine list bwinfo.txt and the arithmetic of the engine selection
// window ("Bobweight Reciprocating and Rotating Percentages").
#pragma once

#include <string>
#include <vector>

#include "base/operator_message.h"
#include "bobweight/bobweight_card.h"

namespace balancer {

class OperatorUi;

constexpr const char* kEngineListFileName = "bwinfo.txt";
constexpr int kEngineListMaxRows = 988;
constexpr int kEngineListVisibleRows = 24;
constexpr int kEnginePageStep = 23;
constexpr int kEngineOpenOffset = 10;  // the selected row stands this far below the top
constexpr int kWheelDelta = 120;       // one notch of the mouse wheel
constexpr int kWheelRowsPerNotch = 3;

struct EngineRow {
  bool heading = false;
  std::string headingText;                         // a heading's text, without its marks
  std::string name;                                // "ENGINE"
  std::string reciprocating, rotating, cylinders;  // as written; read as decimal numbers
  std::string balance;                             // "i", "e" or empty
  std::string comments;
};

struct EngineList {
  std::vector<EngineRow> rows;
  bool fromFile = false;  // false: the file was missing and the default row stands in
};

// Parses the file text (the five header lines are skipped).
EngineList ParseEngineList(const std::string& text);
// Reads the file; a missing file gives the single default row "V-8^50^100^2^^".
EngineList ReadEngineList(const std::string& path);
// "Internal", "External" or "".
std::string BalancedText(const EngineRow& row);

// "Error" about the missing engine list.
OperatorMessage EngineListMissingMessage();
// Reads the list as the engine window opens. A missing file is told through
// `ui` unless another message window is open; the window then closes at once
// and applies the default row.
EngineList LoadEngineListForWindow(const std::string& path, OperatorUi& ui);

// What the selection window shows and which row is chosen.
struct EngineSelection {
  int selected = 0;
  int top = 0;
  int wheelRemainder = 0;  // wheel movement short of a notch
};

// The window opens: moves a heading in row 0 (or a row past the end) to the
// first selectable row and scrolls the selected row 10 rows below the top.
EngineSelection OpenEngineSelection(const EngineList& list, int selectedRow);
// Select Engine pressed: the card counts as changed from here on.
EngineSelection OpenEngineWindow(BobweightCard& card, const EngineList& list);
// Highest top row: the last 24 rows fill the window.
int MaxTopRow(const EngineList& list);
// Scrolls by rows (negative up), clamped.
void ScrollRows(EngineSelection& selection, const EngineList& list, int rows);
// The scroll bar thumb dropped at a position.
void ScrollTo(EngineSelection& selection, const EngineList& list, int top);

enum class EngineKey { kUp, kDown, kPageUp, kPageDown };
void EngineListKey(EngineSelection& selection, const EngineList& list, EngineKey key);
// WM_MOUSEWHEEL delta (positive away from the operator: scrolls up).
void EngineListWheel(EngineSelection& selection, const EngineList& list, int delta);
// A click on visible row `visibleRow` (0-23). Headings and rows past the end
// leave the selection; returns true when the selection changed or was hit.
bool ClickEngineRow(EngineSelection& selection, const EngineList& list, int visibleRow);

// Closing the window applies the selected row: name, then the reciprocating
// and rotating percentages and the cylinders per bobweight. Returns false
// when there is no row to apply.
bool ApplyEngineRow(const EngineList& list, int row, BobweightCard& card);

}  // namespace balancer
