// What the printed bobweight card and shaft report carry, as data. The GDI
// adapter walks a PrintPage item by item: it turns x (a share of the
// printable width) and y (line heights of printable height / 66) into device
// units, picks the font and colour the item names, and draws.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "bobweight/bobweight_card.h"

namespace balancer {

struct History;

constexpr int kPrintLinesPerPage = 66;  // line height = printable height / 66
constexpr int kWrapMaxLines = 6;
constexpr size_t kWrapLineChars = 85;
constexpr double kForceConstant = 0.0109716;  // as the force table has always used it
constexpr int kForceTableRpms[] = {1000, 2000, 3000, 4000, 5000, 6000, 8000, 10000, 12000};

// Bits of printOption.
enum : int {
  kPrintPartData = 1,    // "Print Multiple Part Data"
  kPrintForceTable = 2,  // "Print Force at RPM Table"
};

enum class PrintFont {
  kCard,       // bold ARIAL, printable height / 60
  kCardLarge,  // bold ARIAL, printable height / 48
  kReport,     // bold ARIAL, printable height / 64
};
int PrintFontDivisor(PrintFont font);

enum class PrintAlign { kLeft, kCentre, kRight };
enum class PrintPicture { kLeft, kRight, kBottom };

struct PrintItem {
  enum class Kind {
    kText,     // text at (x, y): y is its top, x its left edge, centre or right edge by align
    kLine,     // from (x, y) to (x2, y2)
    kBox,      // rectangle outline with corners (x, y) and (x2, y2)
    kPicture,  // place with PlacePrintPicture; left out when it cannot be loaded
  };
  Kind kind = Kind::kText;
  double x = 0, y = 0, x2 = 0, y2 = 0;
  std::string text;
  PrintFont font = PrintFont::kCard;
  PrintAlign align = PrintAlign::kLeft;
  bool companyColour = false;  // headerTextColor instead of black
  PrintPicture picture = PrintPicture::kLeft;
};

struct PrintPage {
  std::vector<PrintItem> items;
};

// Notes and company text: lines at every CR LF (or a lone LF), a line longer
// than 85 characters broken at its last blank (or after 85 characters when it
// has none), at most 6 lines.
std::vector<std::string> WrapPrintText(const std::string& text);

// Pounds of force of `grams` at `radius` inches turning at `rpm`.
double ForceAtRpm(double radius, double grams, int rpm);

// "Job: %s"... printing needs a job name first.
bool PrintNeedsJobName(const BobweightCard& card);

// The print dialog's page range and which pages print.
int CardPageCount(int printOption);
struct PrintPageChoice {
  bool page1 = false;
  bool page2 = false;
};
PrintPageChoice ChooseCardPages(int printOption, int fromPage, int toPage);

struct CardPrintInput {
  const BobweightCard* card = nullptr;
  const RodPistonSet* set = nullptr;
  std::string companyText;
  int printOption = 0;
  int weightUnit = 0;  // 0 grams, 1 ounces
  int lengthUnit = 0;  // 0 inches, 1 millimetres
};

PrintPage ComposeCardPage1(const CardPrintInput& input);
PrintPage ComposeCardPage2(const CardPrintInput& input);

// The last row (1-12) with any rod total, big end, piston or pin above 0;
// 0 when nothing was weighed.
int WeighedRowCount(const RodPistonSet& set);

// Device rectangle of a picture of the given pixel size on a page of the
// given printable size.
struct PictureBox {
  double left = 0, top = 0, width = 0, height = 0;
};
PictureBox PlacePrintPicture(PrintPicture which, double imageWidth, double imageHeight,
                             double pageWidth, double pageHeight);

// Value boxes of the Bobweight Print Options window.
enum class PrintOptionField {
  kInitialLeft,
  kInitialRight,
  kFinalLeft,
  kFinalRight,
  kLeftRadius,
  kRightRadius,
  kTolerance,
};
// Stores a value typed in the display units: amounts in the weight unit (the
// condition texts are rebuilt), radii in the length unit, the tolerance per
// side in weight unit times length unit as the card prints it. Nothing is
// stored below 0.001. Sets the changed flag.
void StorePrintOptionEntry(PrintOptionField field, double value, int weightUnit, int lengthUnit,
                           BobweightCard& card);

// One row of the shaft report.
struct ShaftReportRow {
  std::string label;  // "Initial", "Final" or the spin number
  std::string left, right;
};
// The rows of the history in use, each side's text made by `sideText` from
// the record's moment and radius (as the history window shows it); a left
// moment of -1000 (single-plane) has no left text.
std::vector<ShaftReportRow> ShaftReportRows(
    const History& history,
    const std::function<std::string(double moment, double radius)>& sideText);
PrintPage ComposeShaftReport(const std::string& jobName, const std::vector<ShaftReportRow>& rows);

}  // namespace balancer
