#include "app/proving_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/field_table.h"
#include "records/atomic_file.h"
#include "records/number_text.h"

namespace balancer {

const char kProvingStartText[] =
    "Enter the test mass, its radius and the plane, then press Spin for the first spin";

namespace {

constexpr double kPi = 3.14159265358979323846;

// Left column: buttons with their values beside them.
constexpr int kColumnX = 20;
constexpr int kButtonWidth = 230;
constexpr int kButtonHeight = 40;
constexpr int kStep = 50;
// The plot and the result block right of it.
constexpr int kPlotCentreX = 560;
constexpr int kPlotCentreY = 230;
constexpr int kPlotRadius = 185;
constexpr int kResultX = 785;
constexpr int kResultTop = 40;
constexpr int kResultStep = 32;
constexpr int kInstructionY = 480;

constexpr Rgb kPassedGreen{0, 153, 51};

int TestSide(const ProvingSetup& setup) {
  return setup.plane == ProvingPlane::kRight ? 1 : 0;
}

const char* PlaneName(ProvingPlane plane) {
  return plane == ProvingPlane::kRight ? "Right" : "Left";
}

std::string LowerPlaneName(ProvingPlane plane) {
  return ProvingPlaneName(plane);
}

ScreenItem Button(int id, const char* label, std::string value, int slot, bool enabled) {
  ScreenItem item = PlacedItem(id, label, std::move(value),
                               {kColumnX, 20 + slot * kStep, kButtonWidth, kButtonHeight});
  item.enabled = enabled;
  return item;
}

// A text; one with a value draws the value in `colour` after its label.
ScreenItem Text(std::string label, std::string value, int x, int y, Rgb colour = kValueText) {
  ScreenItem item = PlacedItem(0, std::move(label), std::move(value), {x, y, 0, 0});
  item.colour = colour;
  return item;
}

OperatorMessage Notice(const std::string& text) {
  return MakeOkMessage("Attention", text, kDarkBlueText, kBeepAsterisk, 390, 250, 500, 200);
}

OperatorMessage Failure(const std::string& caption, const std::string& text) {
  return MakeOkMessage(caption, text, kRedText, kBeepHand, 390, 250, 500, 200);
}

ScreenPress Repainted() {
  ScreenPress press = HandledPress();
  press.repaint = true;
  return press;
}

std::string Figure(const char* format, double value) {
  return FormatNumber(format, value);
}

}  // namespace

DesignBox ProvingWindowBox() {
  return {110, 20, 1060, 620};
}

double PlotRadius(const ProvingPlot& plot, double amount) {
  if (!(plot.fullScale > 0.0) || !std::isfinite(amount)) return 0.0;
  return std::min(1.0, std::max(0.0, amount / plot.fullScale)) * plot.radius;
}

DesignPoint PlotPlace(const ProvingPlot& plot, double angle, double amount) {
  const double r = PlotRadius(plot, amount);
  const double a = (std::isfinite(angle) ? angle : 0.0) * kPi / 180.0;
  return {plot.centreX + r * std::sin(a), plot.centreY - r * std::cos(a)};
}

std::vector<std::string> KeptLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  const size_t end = std::min(text.size(), kKeptMaxBytes);
  auto finish = [&]() {
    if (line.size() > kKeptMaxChars) line.resize(kKeptMaxChars);
    lines.push_back(line);
    line.clear();
  };
  for (size_t i = 0; i < end && lines.size() < kKeptMaxLines; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      finish();
    } else if (c == '\r') {
      continue;
    } else if (line.size() <= kKeptMaxChars) {
      line.push_back(c < 32 || c == 127 ? ' ' : static_cast<char>(c));
    }
  }
  if (!line.empty() && lines.size() < kKeptMaxLines) finish();
  return lines;
}

PrintPage ProvingPrintPage(const std::string& text) {
  PrintPage page;
  size_t start = 0;
  int row = 0;
  while (start < text.size() && row < kProvingPageMaxLines) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    PrintItem item;
    item.kind = PrintItem::Kind::kText;
    item.font = PrintFont::kReport;
    item.text = line;
    item.y = 2.0 + row;
    item.x = row == 0 ? 0.5 : 0.08;
    item.align = row == 0 ? PrintAlign::kCentre : PrintAlign::kLeft;
    if (!line.empty()) page.items.push_back(item);
    ++row;
    start = end + 1;
  }
  return page;
}

OperatorMessage ProvingPrintFailedMessage(bool noPrinter) {
  return Failure("Error", noPrinter ? "No printer is installed, so the proving result\n"
                                      "was not printed. The kept file is as it was."
                                    : "The proving result could not be printed.\n"
                                      "The kept file is as it was.");
}

std::vector<ScreenItem> ProvingScreen::Items() const {
  const bool idle = !Running();
  std::vector<ScreenItem> items;
  items.push_back(
      Button(kProvingMass, FieldLabel(kProvingMass), Figure("%1.1f g", setup_.massGrams), 0, idle));
  items.push_back(Button(kProvingRadius, FieldLabel(kProvingRadius),
                         Figure("%1.3f in", setup_.radiusInches), 1, idle));
  items.push_back(Button(kProvingPlane, "&Plane", PlaneName(setup_.plane), 2, idle));
  ScreenItem urr = Button(kProvingUrr, "&URR step", "", 3, idle);
  urr.checkBox = true;
  urr.checked = setup_.urr;
  items.push_back(urr);
  items.push_back(Button(kProvingSpin, "&Spin", "", 5, true));
  items.push_back(Button(kProvingCancel, "&Cancel", "", 6, Running()));
  items.push_back(Button(kProvingPrint, "&Print", "", 7, !PrintText().empty()));
  items.push_back(Button(kProvingShowKept, "Show &Kept Result", "", 8, idle));
  items.push_back(PlacedItem(kProvingExit, "Exit", "", {920, 560, 120, kButtonHeight}));

  // A kept file shown again takes the plot's and the instruction's place.
  if (!kept_.empty()) return items;
  if (spinning_) {
    items.push_back(Text("Spinning:", "press any key or click to cancel", kColumnX, kInstructionY,
                         kValueRedText));
  } else {
    items.push_back(
        Text(test_ ? test_->Instruction() : kProvingStartText, "", kColumnX, kInstructionY));
  }
  if (test_ && test_->Current().kind == ProvingStepKind::kUrrCorrect && plan_) {
    const SideCorrection& side = TestSide(setup_) == 1 ? plan_->right : plan_->left;
    items.push_back(Text("The program's plan, " + LowerPlaneName(setup_.plane) + " plane:",
                         side.text, kColumnX, kInstructionY + 34));
    items.push_back(Text("Once the correction is made, press Spin to continue", "", kColumnX,
                         kInstructionY + 68));
  }
  if (!keptName_.empty()) {
    items.push_back(Text("Kept as", keptName_, kColumnX, kInstructionY + 68));
  }

  // The result block.
  int y = kResultTop;
  auto line = [&](const char* label, std::string value, Rgb colour = kValueText) {
    items.push_back(Text(label, std::move(value), kResultX, y, colour));
    y += kResultStep;
  };
  auto verdict = [](bool passed) { return passed ? "PASSED" : "FAILED"; };
  auto verdictColour = [](bool passed) { return passed ? kPassedGreen : kValueRedText; };
  line("Test plane:", PlaneName(setup_.plane));
  if (!test_) return items;
  const ProvingResult result = test_->Result();
  const int recorded = static_cast<int>(result.positions.size());
  line("Positions:", std::to_string(recorded) + " of " + std::to_string(kProvingPositions));
  if (recorded < kProvingPositions) return items;
  line("Mean:", Figure("%1.2f g", result.meanAmount));
  line("Spread:", Figure("%1.1f %%", result.spreadPercent));
  line("Angle error:", Figure("%1.1f\xB0", result.maxAngleError));
  line("Crosstalk:", Figure("%1.1f %%", result.crosstalkPercent));
  line("12 positions:", verdict(result.marPassed), verdictColour(result.marPassed));
  if (result.urrRan) {
    const int side = TestSide(setup_);
    line("URR initial:", Figure("%1.2f g", result.urrInitial[side]));
    line("URR residual:", Figure("%1.2f g", result.urrResidual[side]));
    line("URR:", Figure("%1.1f %%", result.urr[side]), verdictColour(result.urrPassed));
  }
  if (test_->Done()) {
    y += 8;
    line("Result:", verdict(result.passed), verdictColour(result.passed));
  }
  return items;
}

ProvingPlot ProvingScreen::Plot() const {
  ProvingPlot plot;
  plot.centreX = kPlotCentreX;
  plot.centreY = kPlotCentreY;
  plot.radius = kPlotRadius;
  plot.mean = setup_.massGrams;
  double largest = 0.0;
  if (test_) {
    const int side = TestSide(setup_);
    double sum = 0.0;
    for (const ProvingPositionResult& p : test_->Result().positions) {
      plot.points.push_back({p.angle[side], p.amount[side]});
      sum += p.amount[side];
      largest = std::max(largest, p.amount[side]);
    }
    if (!plot.points.empty() && sum > 0.0) {
      plot.mean = sum / static_cast<double>(plot.points.size());
      plot.meanKnown = true;
    }
  }
  // The band and every point inside the outer circle, with room around.
  double scale = std::max(largest, plot.mean * (1.0 + kProvingBandPercent / 100.0)) * 1.25;
  plot.fullScale = std::isfinite(scale) && scale > 0.0 ? scale : 1.0;
  return plot;
}

int ProvingScreen::KeyButton(int character) const {
  return KeyedButton(character, kProvingExit,
                     {{'M', kProvingMass},
                      {'R', kProvingRadius},
                      {'P', kProvingPlane},
                      {'U', kProvingUrr},
                      {'S', kProvingSpin},
                      {'C', kProvingCancel},
                      {'K', kProvingShowKept}});
}

ScreenPress ProvingScreen::Key(int character) {
  const int id = KeyButton(character);
  return id != 0 ? Press(id) : ScreenPress{};
}

ScreenPress ProvingScreen::Press(int id) {
  switch (id) {
    case kProvingMass:
    case kProvingRadius: {
      if (Running()) return HandledPress();
      ScreenPress press = HandledPress();
      press.entryCode = id;
      return press;
    }
    case kProvingPlane:
      if (Running()) return HandledPress();
      setup_.plane =
          setup_.plane == ProvingPlane::kLeft ? ProvingPlane::kRight : ProvingPlane::kLeft;
      return Repainted();
    case kProvingUrr:
      if (Running()) return HandledPress();
      setup_.urr = !setup_.urr;
      return Repainted();
    case kProvingSpin:
    case kProvingPrint:
      return HandledPress();  // the window's own work
    case kProvingCancel: {
      if (!Running()) return HandledPress();
      // Dropped whole: nothing was written and the settings were never ours.
      test_.reset();
      plan_.reset();
      ScreenPress press = Repainted();
      press.message = Notice("The proving test was cancelled.\nNothing was kept.");
      return press;
    }
    case kProvingShowKept: {
      if (Running()) return HandledPress();
      ScreenPress press = HandledPress();
      FileRequest request;
      request.title = "Show Proving Result";
      request.filterName = "Proving Results (proving-*.txt)";
      request.patterns = "proving-*.txt";
      request.defaultExtension = "txt";
      request.folder = folder_.path;
      press.dialog = request;
      return press;
    }
    case kProvingExit: {
      // A test still running is dropped as Cancel drops it.
      test_.reset();
      ScreenPress press = HandledPress();
      press.close = true;
      return press;
    }
  }
  return ScreenPress{};
}

ScreenPress ProvingScreen::FileChosen(const FileRequest& request,
                                      const std::optional<std::string>& path) {
  (void)request;
  if (!path) return HandledPress();
  std::optional<std::string> text = ReadWholeFile(*path);
  if (!text) {
    ScreenPress press = HandledPress();
    press.message = Failure("Error", "The file could not be read:\n" + *path);
    return press;
  }
  keptFull_ = text->substr(0, kKeptMaxBytes);
  kept_ = KeptLines(*text);
  if (kept_.empty()) kept_.push_back("(the file is empty)");
  keptShown_.clear();
  for (const std::string& line : kept_) keptShown_ += line + "\n";
  return Repainted();
}

std::optional<OperatorMessage> ProvingScreen::SpinPressed() {
  if (Running()) return std::nullopt;
  if (std::optional<OperatorMessage> refused = CheckProvingSetup(setup_)) return refused;
  // A new run: the last one's result and any kept file shown give way.
  test_.emplace(setup_);
  plan_.reset();
  report_.clear();
  keptName_.clear();
  kept_.clear();
  keptShown_.clear();
  keptFull_.clear();
  return std::nullopt;
}

ScreenPress ProvingScreen::Corrected() {
  if (!Running() || test_->Current().kind != ProvingStepKind::kUrrCorrect) return HandledPress();
  test_->Advance();
  return Repainted();
}

ScreenPress ProvingScreen::SpinTaken(bool completed, const CorrectionResult& pass,
                                     const std::tm& when) {
  spinning_ = false;
  ScreenPress press = Repainted();
  if (!completed || !Running()) return press;  // the step stays
  const ProvingStepKind kind = test_->Current().kind;
  const ProvingSide left{pass.left.plane.moment, pass.left.plane.angle};
  const ProvingSide right{pass.right.plane.moment, pass.right.plane.angle};
  if (!test_->Record(left, right)) {
    press.message = MakeOkMessage("Warning",
                                  "The spin gave no reading the test can take.\n"
                                  "Press Spin to repeat this step.",
                                  kRedText, kBeepHand, 390, 250, 500, 200);
    return press;
  }
  if (kind == ProvingStepKind::kUrrInitial) plan_ = pass;
  if (!test_->Done()) return press;

  const ProvingResult result = test_->Result();
  finishedAt_ = when;
  report_ = ProvingReportText(setup_, result, when, weightUnit_, firmwareVersion_);
  const std::string name = ProvingReportFileName(when);
  if (!WriteFileAtomically(folder_.File(name), report_)) {
    press.message =
        Failure("Error", "The proving result could not be written to\n" + folder_.File(name));
    return press;
  }
  keptName_ = name;
  press.message = Notice(std::string("The proving test has ended: ") +
                         (result.passed ? "PASSED" : "FAILED") + "\nThe result is kept as " + name);
  return press;
}

std::string ProvingScreen::PrintText() const {
  if (!kept_.empty()) return keptShown_;
  if (test_ && test_->Done()) return report_;
  return "";
}

PrintPage ProvingScreen::Page() const {
  if (!kept_.empty()) {
    ProvingSetup setup;
    ProvingResult result;
    std::tm when{};
    if (ReadProvingReport(keptFull_, setup, result, when)) {
      return ComposeProvingPage(setup, result, when, weightUnit_, 0);
    }
    return ProvingPrintPage(keptShown_);
  }
  if (test_ && test_->Done()) {
    return ComposeProvingPage(setup_, test_->Result(), finishedAt_, weightUnit_, firmwareVersion_);
  }
  return PrintPage{};
}

ScreenEntryEffect ProvingScreen::StoreEntry(int actionCode, double value) {
  ScreenEntryEffect effect;
  if (actionCode != kProvingMass && actionCode != kProvingRadius) return effect;
  effect.handled = true;
  if (Running()) return effect;
  ProvingSetup tried = setup_;
  (actionCode == kProvingMass ? tried.massGrams : tried.radiusInches) = value;
  if (std::optional<OperatorMessage> refused = CheckProvingSetup(tried)) {
    effect.message = refused;
    return effect;
  }
  setup_ = tried;
  effect.stored = true;
  return effect;
}

}  // namespace balancer
