// What the printed bobweight card and shaft report carry, as data. The GDI
// adapter walks a PrintPage item by item: it turns x (a share of the
// printable width) and y (line heights of printable height / 66) into device
// units, picks the font and colour the item names, and draws.
#pragma once

#include <string>
#include <vector>

#include "base/operator_message.h"
#include "bobweight/bobweight_card.h"
#include "bobweight/print_options.h"

namespace balancer {

struct History;
struct MachineSettings;

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

// A page put together item by item; places are fractions of the printable
// width and line heights down, as PrintItem says.
class PrintPageBuilder {
 public:
  void Text(double x, double y, const std::string& text, PrintFont font, PrintAlign align,
            bool companyColour = false);
  void Line(double x, double y, double x2, double y2);
  void Box(double x, double y, double x2, double y2);
  void Picture(PrintPicture which);
  PrintPage page;

 private:
  void Shape(PrintItem::Kind kind, double x, double y, double x2, double y2);
};

// Notes and company text: lines at every CR LF (or a lone LF), a line longer
// than 85 characters broken at its last blank (or after 85 characters when it
// has none), at most 6 lines.
std::vector<std::string> WrapPrintText(const std::string& text);

// Pounds of force of `grams` at `radius` inches turning at `rpm`.
double ForceAtRpm(double radius, double grams, int rpm);

// "Job: %s"... printing needs a job name first.
bool PrintNeedsJobName(const BobweightCard& card);

// ActionCode of the job-name question asked before printing.
constexpr int kPrintJobNameEntry = 370;

// The job-name question: the card asks it only while the job has no name
// (Print must then be pressed again), the shaft report every time.
struct JobNameQuestion {
  bool ask = false;
  const char* heading = "Enter job name before printing";
  std::string prefill;    // the last saved job name
  bool keyboard = false;  // the on-screen keyboard (touchscreen) or the line entry
};
JobNameQuestion CardJobNameQuestion(const BobweightCard& card, int touchscreen);
JobNameQuestion ReportJobNameQuestion(const BobweightCard& card, int touchscreen);
// The answer becomes jobName (cut to its field). A blank answer is no name:
// false, and the card keeps what it had.
bool TakePrintJobName(BobweightCard& card, const std::string& answer);

// The print dialog's page range and which pages print.
int CardPageCount(int printOption);
struct PrintPageChoice {
  bool page1 = false;
  bool page2 = false;
};
PrintPageChoice ChooseCardPages(int printOption, int fromPage, int toPage);

// What the print dialog offers for the card: page 1 only when no option bit
// is set (page 2 would print nothing), else pages 1 to 2; all of them preset,
// one copy.
struct PrintDialogPages {
  int minPage = 1;
  int maxPage = 2;
  int fromPage = 1;
  int toPage = 1;
  int copies = 1;
};
PrintDialogPages CardPrintDialogPages(int printOption);

// The pictures a card page names.
struct PrintPicturePaths {
  std::string left, right, bottom;
};

struct CardPrintInput {
  const BobweightCard* card = nullptr;
  const RodPistonSet* set = nullptr;
  std::string companyText;
  int printOption = 0;
  int weightUnit = 0;  // 0 grams, 1 ounces
  int lengthUnit = 0;  // 0 inches, 1 millimetres
};

// The card input of a run: its card and part weights, the company text and
// the option bits and units of the settings.
CardPrintInput CardInputOf(const BobweightCard& card, const RodPistonSet& set,
                           const MachineSettings& settings, const std::string& companyText);
PrintPicturePaths PicturePathsOf(const MachineSettings& settings);

PrintPage ComposeCardPage1(const CardPrintInput& input);
PrintPage ComposeCardPage2(const CardPrintInput& input);
// The pages the choice asks for, in print order.
std::vector<PrintPage> ComposeCardPages(const CardPrintInput& input, PrintPageChoice choice);

// Device coordinates of a page item on a printable area of width x height:
// x is a share of the width, y counts line heights (height / 66), a font is
// height / its divisor tall.
double PrintDeviceX(double x, double width);
double PrintDeviceY(double y, double height);
int PrintFontHeight(PrintFont font, double height);

const std::string& PicturePath(const PrintPicturePaths& paths, PrintPicture which);

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

// One row of the shaft report.
struct ShaftReportRow {
  std::string label;  // "Initial", "Final" or the spin number
  std::string left, right;
};
// The rows of the history in use, each side's text as the Unbalance History
// window shows it (amount at the radius used, angle, " & " and the radius);
// a single-plane record has no left text.
std::vector<ShaftReportRow> ShaftReportRows(const History& history, int weightUnit, int lengthUnit);

// Below the report's table: the tolerance per side at the radius of the final
// record (else the latest), in the rows' amount format, and for a final record
// each side's verdict. A single-plane record has no left text or verdict.
struct ShaftReportTolerance {
  bool shown = false;  // a record in use gives the radii
  std::string left, right;
  bool verdict = false;                   // a final record is in the history
  std::string leftVerdict, rightVerdict;  // "Within tolerance" / "Outside tolerance"
};
ShaftReportTolerance ShaftReportToleranceOf(const History& history, double toleranceMoment,
                                            int weightUnit, int lengthUnit);

PrintPage ComposeShaftReport(const std::string& jobName, const std::vector<ShaftReportRow>& rows,
                             const ShaftReportTolerance& tolerance = {});
// The report page of the job's history with the settings' units and
// tolerance: what the printer and `balancer-cli print report` both get.
PrintPage ShaftReportPage(const std::string& jobName, const History& history,
                          const MachineSettings& settings);

// Why a printout did not come out. A cancelled print dialog is none of
// these: it prints nothing and says nothing.
enum class PrintFailure {
  kNoPrinter,    // Windows has no printer to offer
  kNotStarted,   // the printer refused the document
  kInterrupted,  // a page or the end of the document failed
};
enum class Printout { kCard, kShaftReport };
// The message a failed printout shows: the operator who pressed Print must
// not take silence for a printed card, and learns the card (or history) is
// kept as it was.
OperatorMessage PrintFailedMessage(Printout what, PrintFailure why);

}  // namespace balancer
