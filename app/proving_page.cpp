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
  PrintPageBuilder b;
  std::istringstream in(text);
  std::string line;
  double y = 1.0;
  bool first = true;
  bool inTable = false;
  while (std::getline(in, line)) {
    if (first) {
      b.Text(0.5, y, line, PrintFont::kCardLarge, PrintAlign::kCentre);
      y += 2.0;
      first = false;
      continue;
    }
    if (line.rfind("Position", 0) == 0) {
      for (int c = 0; c < 6; ++c) {
        b.Text(kColumns[c], y, header[c], PrintFont::kReport, PrintAlign::kCentre);
      }
      y += kLineHeight;
      b.Line(kLeftMargin, y - 0.1, 1.0 - kLeftMargin, y - 0.1);
      inTable = true;
      continue;
    }
    if (inTable) {
      std::vector<std::string> cells = Words(line);
      if (cells.size() == 6) {
        for (int c = 0; c < 6; ++c) {
          b.Text(kColumns[c], y, cells[c], PrintFont::kReport, PrintAlign::kCentre);
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
    b.Text(kLeftMargin, y, line, verdict ? PrintFont::kCardLarge : PrintFont::kReport,
           PrintAlign::kLeft);
    y += verdict ? kLineHeight * 1.5 : kLineHeight;
  }
  return b.page;
}

}  // namespace balancer
