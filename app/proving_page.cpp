#include "app/proving_page.h"

#include <sstream>
#include <string>
#include <vector>

namespace balancer {

namespace {

constexpr double kLeftMargin = 0.08;
constexpr double kLineHeight = 1.25;
// Centres of the six columns of the positions table.
constexpr double kColumns[6] = {0.14, 0.28, 0.42, 0.56, 0.70, 0.84};

void AddText(PrintPage& page, double x, double y, const std::string& text, PrintFont font,
             PrintAlign align) {
  PrintItem item;
  item.kind = PrintItem::Kind::kText;
  item.x = x;
  item.y = y;
  item.text = text;
  item.font = font;
  item.align = align;
  page.items.push_back(item);
}

void AddLine(PrintPage& page, double x, double y, double x2, double y2) {
  PrintItem item;
  item.kind = PrintItem::Kind::kLine;
  item.x = x;
  item.y = y;
  item.x2 = x2;
  item.y2 = y2;
  page.items.push_back(item);
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

}  // namespace

PrintPage ComposeProvingPage(const ProvingSetup& setup, const ProvingResult& result,
                             const std::tm& when, int weightUnit, int firmwareVersion) {
  // The page says what the kept file says, line by line; only the table is
  // laid out in columns, since the printer's font is not of fixed width.
  const std::string text = ProvingReportText(setup, result, when, weightUnit, firmwareVersion);
  const std::string unit = weightUnit == 1 ? "ounces" : "grams";
  const std::string header[6] = {"Position",   "Mass at",       "Left " + unit,
                                 "Left angle", "Right " + unit, "Right angle"};
  PrintPage page;
  std::istringstream in(text);
  std::string line;
  double y = 1.0;
  bool first = true;
  bool inTable = false;
  while (std::getline(in, line)) {
    if (first) {
      AddText(page, 0.5, y, line, PrintFont::kCardLarge, PrintAlign::kCentre);
      y += 2.0;
      first = false;
      continue;
    }
    if (line.rfind("Position", 0) == 0) {
      for (int c = 0; c < 6; ++c) {
        AddText(page, kColumns[c], y, header[c], PrintFont::kReport, PrintAlign::kCentre);
      }
      y += kLineHeight;
      AddLine(page, kLeftMargin, y - 0.1, 1.0 - kLeftMargin, y - 0.1);
      inTable = true;
      continue;
    }
    if (inTable) {
      std::vector<std::string> cells = Words(line);
      if (cells.size() == 6) {
        for (int c = 0; c < 6; ++c) {
          AddText(page, kColumns[c], y, cells[c], PrintFont::kReport, PrintAlign::kCentre);
        }
        y += kLineHeight;
        continue;
      }
      inTable = false;
    }
    if (line.empty()) {
      y += kLineHeight / 2;
      continue;
    }
    const bool verdict = line.rfind("Result: ", 0) == 0;
    AddText(page, kLeftMargin, y, line, verdict ? PrintFont::kCardLarge : PrintFont::kReport,
            PrintAlign::kLeft);
    y += verdict ? kLineHeight * 1.5 : kLineHeight;
  }
  return page;
}

}  // namespace balancer
