#include "bobweight/bobweight_print.h"

#include <cstdio>

#include "base/machine_settings.h"
#include "base/unit_text.h"
#include "correction/tolerance.h"
#include "records/history.h"
#include "records/number_text.h"

namespace balancer {

void PrintPageBuilder::Text(double x, double y, const std::string& text, PrintFont font,
                            PrintAlign align, bool companyColour) {
  PrintItem item;
  item.kind = PrintItem::Kind::kText;
  item.x = x;
  item.y = y;
  item.text = text;
  item.font = font;
  item.align = align;
  item.companyColour = companyColour;
  page.items.push_back(item);
}

void PrintPageBuilder::Line(double x, double y, double x2, double y2) {
  Shape(PrintItem::Kind::kLine, x, y, x2, y2);
}

void PrintPageBuilder::Box(double x, double y, double x2, double y2) {
  Shape(PrintItem::Kind::kBox, x, y, x2, y2);
}

void PrintPageBuilder::Picture(PrintPicture which) {
  PrintItem item;
  item.kind = PrintItem::Kind::kPicture;
  item.picture = which;
  page.items.push_back(item);
}

void PrintPageBuilder::Shape(PrintItem::Kind kind, double x, double y, double x2, double y2) {
  PrintItem item;
  item.kind = kind;
  item.x = x;
  item.y = y;
  item.x2 = x2;
  item.y2 = y2;
  page.items.push_back(item);
}

namespace {

bool BeginsWithBlank(const std::string& text) {
  return !text.empty() && text[0] == ' ';
}

// An unbalance amount as the force table heads its column.
std::string ForceColumnAmount(double grams, int weightUnit) {
  if (weightUnit == 1) return FormatNumber("%1.2foz", grams / kGramsPerOunce);
  return FormatNumber(grams >= 9.995 ? "%1.1fgm" : "%1.2fgm", grams);
}

std::string RpmLabel(int rpm) {
  char text[16];
  if (rpm >= 1000) {
    std::snprintf(text, sizeof text, "%d,%03d", rpm / 1000, rpm % 1000);
  } else {
    std::snprintf(text, sizeof text, "%d", rpm);
  }
  return text;
}

}  // namespace

int PrintFontDivisor(PrintFont font) {
  switch (font) {
    case PrintFont::kCardLarge:
      return 48;
    case PrintFont::kReport:
      return 64;
    default:
      return 60;
  }
}

std::vector<std::string> WrapPrintText(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size() && static_cast<int>(lines.size()) < kWrapMaxLines) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string segment = text.substr(pos, end - pos);
    pos = end + 1;
    if (!segment.empty() && segment.back() == '\r') segment.pop_back();
    while (segment.size() > kWrapLineChars && static_cast<int>(lines.size()) < kWrapMaxLines) {
      size_t blank = segment.find_last_of(' ', kWrapLineChars);
      if (blank == std::string::npos || blank == 0) {
        lines.push_back(segment.substr(0, kWrapLineChars));
        segment.erase(0, kWrapLineChars);
      } else {
        lines.push_back(segment.substr(0, blank));
        segment.erase(0, blank + 1);
      }
    }
    if (static_cast<int>(lines.size()) < kWrapMaxLines) lines.push_back(segment);
  }
  return lines;
}

double ForceAtRpm(double radius, double grams, int rpm) {
  double rpm2 = static_cast<double>(rpm) * rpm;
  return radius * grams * kForceConstant * 0.0254 * rpm2 / 9.80665 / 453.59237;
}

bool PrintNeedsJobName(const BobweightCard& card) {
  return card.jobName.empty();
}

namespace {

JobNameQuestion JobNameQuestionFor(const BobweightCard& card, int touchscreen, bool ask) {
  JobNameQuestion question;
  question.ask = ask;
  question.prefill = card.savedJobName;
  question.keyboard = touchscreen == 1;
  return question;
}

}  // namespace

JobNameQuestion CardJobNameQuestion(const BobweightCard& card, int touchscreen) {
  return JobNameQuestionFor(card, touchscreen, PrintNeedsJobName(card));
}

JobNameQuestion ReportJobNameQuestion(const BobweightCard& card, int touchscreen) {
  return JobNameQuestionFor(card, touchscreen, true);
}

bool TakePrintJobName(BobweightCard& card, const std::string& answer) {
  const std::string name = CleanJobName(answer);
  if (name.empty()) return false;
  if (CutText(name, kJobNameMax) != card.jobName) card.changed = true;
  SetJobName(card, name);
  return true;
}

CardPrintInput CardInputOf(const BobweightCard& card, const RodPistonSet& set,
                           const MachineSettings& settings, const std::string& companyText) {
  CardPrintInput input;
  input.card = &card;
  input.set = &set;
  input.companyText = companyText;
  input.printOption = settings.printOption;
  input.weightUnit = settings.weightUnit;
  input.lengthUnit = settings.lengthUnit;
  return input;
}

PrintPicturePaths PicturePathsOf(const MachineSettings& settings) {
  return {settings.leftPhotoPath, settings.rightPhotoPath, settings.bottomPhotoPath};
}

int CardPageCount(int printOption) {
  // Only the bits page 2 prints count: a stray bit must not offer an empty page.
  return (printOption & (kPrintPartData | kPrintForceTable)) != 0 ? 2 : 1;
}

PrintPageChoice ChooseCardPages(int printOption, int fromPage, int toPage) {
  PrintPageChoice choice;
  choice.page1 = fromPage == 1;
  choice.page2 = toPage == 2 && (printOption & (kPrintPartData | kPrintForceTable)) != 0;
  return choice;
}

PrintDialogPages CardPrintDialogPages(int printOption) {
  PrintDialogPages pages;
  pages.maxPage = CardPageCount(printOption);
  pages.toPage = pages.maxPage;
  return pages;
}

std::vector<PrintPage> ComposeCardPages(const CardPrintInput& input, PrintPageChoice choice) {
  std::vector<PrintPage> pages;
  if (choice.page1) pages.push_back(ComposeCardPage1(input));
  if (choice.page2) pages.push_back(ComposeCardPage2(input));
  return pages;
}

double PrintDeviceX(double x, double width) {
  return x * width;
}

double PrintDeviceY(double y, double height) {
  return y * height / kPrintLinesPerPage;
}

int PrintFontHeight(PrintFont font, double height) {
  int pixels = static_cast<int>(height / PrintFontDivisor(font));
  return pixels < 1 ? 1 : pixels;
}

const std::string& PicturePath(const PrintPicturePaths& paths, PrintPicture which) {
  switch (which) {
    case PrintPicture::kRight:
      return paths.right;
    case PrintPicture::kBottom:
      return paths.bottom;
    default:
      return paths.left;
  }
}

int WeighedRowCount(const RodPistonSet& set) {
  int count = 0;
  for (int i = 0; i < kRodPistonRows; ++i) {
    if (set.rodTotals[i] > 0 || set.rodBigEnds[i] > 0 || set.pistons[i] > 0 || set.pins[i] > 0) {
      count = i + 1;
    }
  }
  return count;
}

PrintPage ComposeCardPage1(const CardPrintInput& input) {
  const BobweightCard& card = *input.card;
  PrintPageBuilder b;
  b.Text(0.5, 1.0, "Job: " + card.jobName, PrintFont::kCardLarge, PrintAlign::kCentre, true);
  std::string engineLine = BeginsWithBlank(card.engineName)
                               ? card.jobDate
                               : "Engine: " + card.engineName + "    " + card.jobDate;
  b.Text(0.5, 2.6, engineLine, PrintFont::kCardLarge, PrintAlign::kCentre, true);

  // The component box, between the two side pictures.
  const char* labels[] = {"Rod total weight",   "Rod big end weight",  "Rod bearing weight",
                          "Piston weight",      "Piston pin weight",   "Pin lock weight",
                          "Piston ring weight", "Support rail weight", "Oil weight"};
  const double values[] = {card.rodTotalWeight, card.rodBigEndWeight,   card.rodBearingWeight,
                           card.pistonWeight,   card.pinWeight,         card.pinLockWeight,
                           card.ringWeight,     card.supportRailWeight, card.oilWeight};
  const double left = 0.31, right = 0.69, divider = 0.57, top = 5.5, rowHeight = 1.5;
  const double bottom = top + 9 * rowHeight;
  b.Box(left, top, right, bottom);
  b.Line(divider, top, divider, bottom);
  for (int i = 0; i < 9; ++i) {
    double y = top + i * rowHeight;
    if (i > 0) b.Line(left, y, right, y);
    b.Text(left + 0.01, y + 0.25, labels[i], PrintFont::kCard, PrintAlign::kLeft);
    b.Text(right - 0.01, y + 0.25, FormatNumber("%5.1f", values[i]), PrintFont::kCard,
           PrintAlign::kRight);
  }

  double y = bottom + 1.0;
  const double step = 1.4;
  b.Text(0.5, y, FormatNumber("Reciprocating weight %5.1f%%", card.reciprocatingPercent),
         PrintFont::kCard, PrintAlign::kCentre);
  b.Text(0.5, y += step, FormatNumber("Rotating weight %5.1f%%", card.rotatingPercent),
         PrintFont::kCard, PrintAlign::kCentre);
  b.Text(0.5, y += step, FormatNumber("Overbalance %5.1f%%", card.overbalancePercent),
         PrintFont::kCard, PrintAlign::kCentre);
  b.Text(0.5, y += step, FormatNumber("Bobweight total %5.1f grams", card.bobweightTotal),
         PrintFont::kCard, PrintAlign::kCentre);
  y += step + 0.6;
  if (!card.externalWeightText.empty()) {
    b.Text(0.5, y, "External unbalance   " + card.externalWeightText, PrintFont::kCard,
           PrintAlign::kCentre);
    y += step;
  }
  b.Text(0.5, y, "Initial unbalance   " + card.initialConditionText, PrintFont::kCard,
         PrintAlign::kCentre);
  b.Text(0.5, y += step, "Final unbalance   " + card.finalConditionText, PrintFont::kCard,
         PrintAlign::kCentre);
  y += step + 0.6;
  for (const std::string& line : WrapPrintText(card.jobNotes)) {
    b.Text(0.05, y, line, PrintFont::kCard, PrintAlign::kLeft);
    y += 1.2;
  }
  y += 0.6;
  for (const std::string& line : WrapPrintText(input.companyText)) {
    b.Text(0.5, y, line, PrintFont::kCardLarge, PrintAlign::kCentre, true);
    y += 1.45;
  }
  b.Picture(PrintPicture::kLeft);
  b.Picture(PrintPicture::kRight);
  b.Picture(PrintPicture::kBottom);
  return b.page;
}

PrintPage ComposeCardPage2(const CardPrintInput& input) {
  const BobweightCard& card = *input.card;
  const RodPistonSet& set = *input.set;
  PrintPageBuilder b;
  std::string header =
      BeginsWithBlank(card.engineName)
          ? "Job: " + card.jobName + "   " + card.jobDate
          : "Job: " + card.jobName + "   Engine: " + card.engineName + "   " + card.jobDate;
  b.Text(0.5, 1.0, header, PrintFont::kCardLarge, PrintAlign::kCentre, true);
  double y = 3.5;
  const double rowHeight = 1.3;

  int rows = WeighedRowCount(set);
  if ((input.printOption & kPrintPartData) && rows > 0) {
    const char* headings[] = {"Rod Total", "Big End", "Small End", "Piston", "Pin"};
    const double columns[] = {0.25, 0.40, 0.55, 0.70, 0.85};
    const double tableTop = y - 0.2;
    for (int c = 0; c < 5; ++c) {
      b.Text(columns[c], y, headings[c], PrintFont::kCard, PrintAlign::kCentre);
    }
    y += rowHeight;
    b.Line(0.05, y - 0.1, 0.95, y - 0.1);
    for (int i = 0; i < rows; ++i) {
      char number[8];
      std::snprintf(number, sizeof number, "%d", i + 1);
      b.Text(0.10, y, number, PrintFont::kCard, PrintAlign::kCentre);
      const std::string cells[] = {
          FormatNumber("%1.1f", set.rodTotals[i]), FormatNumber("%1.1f", set.rodBigEnds[i]),
          ShowsSmallEnd(set, i) ? FormatNumber("%1.1f", SmallEnd(set, i)) : std::string(),
          FormatNumber("%1.1f", set.pistons[i]), FormatNumber("%1.1f", set.pins[i])};
      for (int c = 0; c < 5; ++c)
        b.Text(columns[c], y, cells[c], PrintFont::kCard, PrintAlign::kCentre);
      y += rowHeight;
    }
    b.Box(0.05, tableTop, 0.95, y);
    y += 2.0;
  }

  if (input.printOption & kPrintForceTable) {
    const bool ounces = input.weightUnit == 1;
    b.Text(0.5, y, "Pounds of Force", PrintFont::kCardLarge, PrintAlign::kCentre);
    y += 1.8;
    const double columns[] = {0.37, 0.53, 0.69, 0.85};
    b.Text(0.45, y, ounces ? "Initial Unbalance Ounces" : "Initial Unbalance Grams",
           PrintFont::kCard, PrintAlign::kCentre);
    b.Text(0.77, y, ounces ? "Final Unbalance Ounces" : "Final Unbalance Grams", PrintFont::kCard,
           PrintAlign::kCentre);
    y += rowHeight;
    const char* sides[] = {"Left", "Right", "Left", "Right"};
    b.Text(0.18, y, "RPM", PrintFont::kCard, PrintAlign::kCentre);
    for (int c = 0; c < 4; ++c)
      b.Text(columns[c], y, sides[c], PrintFont::kCard, PrintAlign::kCentre);
    y += rowHeight;
    const double amounts[] = {card.initialLeft, card.initialRight, card.finalLeft, card.finalRight};
    const double radii[] = {card.leftRadius, card.rightRadius, card.leftRadius, card.rightRadius};
    for (int c = 0; c < 4; ++c) {
      b.Text(columns[c], y, ForceColumnAmount(amounts[c], input.weightUnit), PrintFont::kCard,
             PrintAlign::kCentre);
    }
    const double tableTop = y - 0.2;
    y += rowHeight;
    b.Line(0.08, y - 0.1, 0.93, y - 0.1);
    for (int rpm : kForceTableRpms) {
      b.Text(0.18, y, RpmLabel(rpm), PrintFont::kCard, PrintAlign::kCentre);
      for (int c = 0; c < 4; ++c) {
        b.Text(columns[c], y, FormatNumber("%1.1f", ForceAtRpm(radii[c], amounts[c], rpm)),
               PrintFont::kCard, PrintAlign::kCentre);
      }
      y += rowHeight;
    }
    b.Box(0.08, tableTop, 0.93, y);
    b.Line(0.29, tableTop, 0.29, y);
    b.Line(0.61, tableTop, 0.61, y);
    y += 1.5;

    // The tolerance per side in the display units, then as a weight at each
    // correction radius.
    const char* toleranceFormat =
        ounces
            ? (input.lengthUnit == 1 ? "Tolerance %1.2f ounces/mm" : "Tolerance %1.2f ounces/inch")
            : (input.lengthUnit == 1 ? "Tolerance %1.1f grams/mm" : "Tolerance %1.1f grams/inch");
    b.Text(0.5, y,
           FormatNumber(toleranceFormat, ToleranceInDisplayUnits(card.tolerance, input.weightUnit,
                                                                 input.lengthUnit)),
           PrintFont::kCard, PrintAlign::kCentre);
    const char* amountFormat = ounces ? "%1.2f ounces" : "%1.1f grams";
    const double sideRadii[] = {card.leftRadius, card.rightRadius};
    const char* sideNames[] = {" Left", " Right"};
    for (int s = 0; s < 2; ++s) {
      y += rowHeight;
      double amount =
          sideRadii[s] > 0 ? card.tolerance / sideRadii[s] / WeightDivisor(input.weightUnit) : 0;
      b.Text(0.5, y, FormatNumber(amountFormat, amount) + sideNames[s], PrintFont::kCard,
             PrintAlign::kCentre);
    }
  }
  return b.page;
}

PictureBox PlacePrintPicture(PrintPicture which, double imageWidth, double imageHeight,
                             double pageWidth, double pageHeight) {
  PictureBox box;
  if (imageWidth <= 0 || imageHeight <= 0) return box;
  double lineHeight = pageHeight / kPrintLinesPerPage;
  double ratio = imageHeight / imageWidth;
  if (which == PrintPicture::kBottom) {
    if (ratio < 0.24) {
      box.width = pageWidth;
      box.height = pageWidth * ratio;
    } else {
      box.height = 0.24 * pageWidth;
      box.width = box.height / ratio;
    }
    box.left = (pageWidth - box.width) / 2;
    box.top = 58.95 * lineHeight - box.height / 2;
    return box;
  }
  box.width = 0.29 * pageWidth;
  box.height = box.width * ratio;
  box.top = 5.5 * lineHeight;
  box.left = which == PrintPicture::kLeft ? 0 : pageWidth - box.width;
  return box;
}

std::vector<ShaftReportRow> ShaftReportRows(const History& history, int weightUnit,
                                            int lengthUnit) {
  std::vector<ShaftReportRow> rows;
  for (int i = 0; i < history.historyCount && i < kHistorySize; ++i) {
    if (history.records[i].kind == kHistoryEmpty) break;
    HistoryRow text = HistoryRowText(history, i, weightUnit, lengthUnit);
    rows.push_back({text.label, text.left, text.right});
  }
  return rows;
}

namespace {

// An amount at a radius as the history rows print it, without an angle.
std::string ToleranceSideText(double toleranceMoment, double radius, int weightUnit,
                              int lengthUnit) {
  const double grams = radius > 0.0 ? toleranceMoment / radius : 0.0;
  const char* format = weightUnit == 1 ? (grams >= 28.35 ? "%1.2f ounces" : "%1.3f ounces")
                                       : (grams >= 9.995 ? "%1.1f grams" : "%1.2f grams");
  return FormatNumber(format, grams / WeightDivisor(weightUnit)) + " & " +
         LengthText(radius, lengthUnit, false) + " radius";
}

const char* VerdictText(double moment, double toleranceMoment) {
  return WithinTolerance(moment, toleranceMoment) ? "Within tolerance" : "Outside tolerance";
}

}  // namespace

ShaftReportTolerance ShaftReportToleranceOf(const History& history, double toleranceMoment,
                                            int weightUnit, int lengthUnit) {
  ShaftReportTolerance out;
  const HistoryRecord* latest = nullptr;
  const HistoryRecord* final = nullptr;
  for (int i = 0; i < history.historyCount && i < kHistorySize; ++i) {
    const HistoryRecord& r = history.records[i];
    if (r.kind == kHistoryEmpty) break;
    latest = &r;
    if (r.kind == kHistoryFinal) final = &r;
  }
  const HistoryRecord* source = final != nullptr ? final : latest;
  if (source == nullptr) return out;
  const bool hasLeft = source->leftMoment != kNoLeftMoment;
  out.shown = true;
  if (hasLeft) {
    out.left = ToleranceSideText(toleranceMoment, source->leftRadius, weightUnit, lengthUnit);
  }
  out.right = ToleranceSideText(toleranceMoment, source->rightRadius, weightUnit, lengthUnit);
  if (final != nullptr) {
    out.verdict = true;
    if (hasLeft) out.leftVerdict = VerdictText(final->leftMoment, toleranceMoment);
    out.rightVerdict = VerdictText(final->rightMoment, toleranceMoment);
  }
  return out;
}

PrintPage ShaftReportPage(const std::string& jobName, const History& history,
                          const MachineSettings& settings) {
  return ComposeShaftReport(jobName,
                            ShaftReportRows(history, settings.weightUnit, settings.lengthUnit),
                            ShaftReportToleranceOf(history, settings.toleranceMoment,
                                                   settings.weightUnit, settings.lengthUnit));
}

PrintPage ComposeShaftReport(const std::string& jobName, const std::vector<ShaftReportRow>& rows,
                             const ShaftReportTolerance& tolerance) {
  PrintPageBuilder b;
  b.Text(0.5, 1.0, jobName, PrintFont::kReport, PrintAlign::kCentre);
  const double top = 3.5, rowHeight = 1.8;
  const double left = 0.05, spinEnd = 0.2, middle = 0.575, right = 0.95;
  double y = top;
  b.Text((left + spinEnd) / 2, y + 0.35, "Spin", PrintFont::kReport, PrintAlign::kCentre);
  b.Text((spinEnd + middle) / 2, y + 0.35, "Left", PrintFont::kReport, PrintAlign::kCentre);
  b.Text((middle + right) / 2, y + 0.35, "Right", PrintFont::kReport, PrintAlign::kCentre);
  for (const ShaftReportRow& row : rows) {
    y += rowHeight;
    b.Line(left, y, right, y);
    b.Text((left + spinEnd) / 2, y + 0.35, row.label, PrintFont::kReport, PrintAlign::kCentre);
    b.Text((spinEnd + middle) / 2, y + 0.35, row.left, PrintFont::kReport, PrintAlign::kCentre);
    b.Text((middle + right) / 2, y + 0.35, row.right, PrintFont::kReport, PrintAlign::kCentre);
  }
  y += rowHeight;
  b.Box(left, top, right, y);
  b.Line(spinEnd, top, spinEnd, y);
  b.Line(middle, top, middle, y);

  // Outside the table, so the table stays as it has always been. A side
  // without a value (single-plane) gets no text at all.
  auto line = [&](const char* label, const std::string& leftText, const std::string& rightText) {
    b.Text(left, y + 0.35, label, PrintFont::kReport, PrintAlign::kLeft);
    if (!leftText.empty()) {
      b.Text((spinEnd + middle) / 2, y + 0.35, leftText, PrintFont::kReport, PrintAlign::kCentre);
    }
    b.Text((middle + right) / 2, y + 0.35, rightText, PrintFont::kReport, PrintAlign::kCentre);
  };
  if (tolerance.shown) {
    y += 1.0;
    line("Tolerance", tolerance.left, tolerance.right);
  }
  if (tolerance.verdict) {
    y += rowHeight;
    line("Final condition", tolerance.leftVerdict, tolerance.rightVerdict);
  }
  return b.page;
}

OperatorMessage PrintFailedMessage(Printout what, PrintFailure why) {
  const std::string printout = what == Printout::kCard ? "the bobweight card" : "the shaft report";
  const std::string kept =
      what == Printout::kCard ? "The card is kept as it is." : "The history is kept as it is.";
  std::string text;
  switch (why) {
    case PrintFailure::kNoPrinter:
      text = "No printer is installed, so " + printout +
             " was not printed.\n\nInstall a printer in Windows and press Print again. " + kept;
      break;
    case PrintFailure::kNotStarted:
      text = "The printer could not print " + printout +
             ".\n\nCheck the printer and press Print again. " + kept;
      break;
    case PrintFailure::kInterrupted:
      text = "The printer stopped while printing " + printout +
             "; the printout is incomplete.\n\nCheck the printer and press Print again. " + kept;
      break;
  }
  return MakeOkMessage("Error", text, kRedText, kBeepHand, 290, 180, 700, 230);
}

}  // namespace balancer
