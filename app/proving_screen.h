// The "Machine Proving Test" window's model (ScreenCode 'v', over Machine
// Setup): the test mass, its radius and plane, the URR step switch, Spin,
// Cancel, Print, a kept result shown again, and Exit; the instruction of the
// step, the polar plot of the readings with the band, and the result block.
// The test keeps its own values: nothing here touches the settings.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "app/proving_page.h"
#include "app/proving_test.h"
#include "base/field_codes.h"
#include "base/program_folder.h"
#include "base/screen_model.h"
#include "bobweight/bobweight_print.h"
#include "correction/correction_pass.h"

namespace balancer {

constexpr char kProvingWindowTitle[] = "Machine Proving Test";

// Buttons (the two boxes are field codes).
enum : int {
  kProvingMass = kFieldProvingMass,
  kProvingRadius = kFieldProvingRadius,
  kProvingPlane = 364,
  kProvingUrr = 365,
  kProvingSpin = 366,
  kProvingCancel = 367,
  kProvingPrint = 368,
  kProvingShowKept = 369,
  kProvingExit = kFieldExit,
};

// The window's client area, design units.
DesignBox ProvingWindowBox();

// The polar plot in design units: a point per recorded reading of the test
// plane, the mean circle and the band's two circles. 0 degrees is at the
// top and angles run clockwise, as on the main screen's dials.
struct ProvingPlot {
  int centreX = 0, centreY = 0, radius = 0;  // the outer circle
  double fullScale = 1.0;                    // grams at the outer circle
  double mean = 0.0;                         // grams; the band is mean +-12 %
  bool meanKnown = false;                    // from the readings, else the test mass
  struct Point {
    double angle = 0.0;   // degrees
    double amount = 0.0;  // grams
  };
  std::vector<Point> points;
};
// Where `amount` grams at `angle` degrees lie on `plot`, design units.
struct DesignPoint {
  double x = 0.0, y = 0.0;
};
DesignPoint PlotPlace(const ProvingPlot& plot, double angle, double amount);
// The radius in design units of a circle of `amount` grams.
double PlotRadius(const ProvingPlot& plot, double amount);

// A kept result file shown again: at most this many lines of at most this
// many characters, read from at most kKeptMaxBytes of the file.
constexpr size_t kKeptMaxLines = 36;
constexpr size_t kKeptMaxChars = 80;
constexpr size_t kKeptMaxBytes = 64 * 1024;
// The lines of a kept file's text, bounded as above; control characters
// become blanks.
std::vector<std::string> KeptLines(const std::string& text);

class ProvingScreen : public ScreenEntryStore {
 public:
  // `firmwareVersion` goes into the kept file (0: not known).
  explicit ProvingScreen(const ProgramFolder& folder, int weightUnit = 0, int firmwareVersion = 0)
      : folder_(folder), weightUnit_(weightUnit), firmwareVersion_(firmwareVersion) {}

  std::vector<ScreenItem> Items() const;
  ProvingPlot Plot() const;
  // The kept file shown again (empty while none is shown).
  const std::vector<std::string>& Kept() const { return kept_; }

  // Every button but Spin and Print, whose work the window does with the
  // host (a spin) and the printer (SpinPressed, PrintText).
  ScreenPress Press(int id);
  // M mass, R radius, P plane, U URR step, S spin, C cancel, K kept result,
  // Esc exit. Spin and Print come back as `handled` only: the window asks
  // SpinPressed / PrintText itself for kProvingSpin and kProvingPrint.
  ScreenPress Key(int character);
  int KeyButton(int character) const;
  ScreenPress FileChosen(const FileRequest& request, const std::optional<std::string>& path);

  // Spin on a step: the message that stops it (a setup value out of range),
  // else none and the test runs (it starts with the first Spin).
  std::optional<OperatorMessage> SpinPressed();
  // The test as it stands, or null before the first Spin and after Cancel.
  const ProvingTest* Test() const { return test_ ? &*test_ : nullptr; }
  const ProvingSetup& Setup() const { return setup_; }
  // The spin of the current step is about to start: until SpinTaken the
  // instruction line says so (the window covers the main screen's status).
  void SpinStarting() { spinning_ = true; }
  // The correction step: the operator has carried out the plan.
  ScreenPress Corrected();
  // A spin of the current step ended. A spin that did not complete records
  // nothing and the step stays. When the last step is in, the result is
  // written to the program folder as its dated file, named `when`.
  ScreenPress SpinTaken(bool completed, const CorrectionResult& pass, const std::tm& when);
  // The program's plan of the URR correction (the pass of its first spin).
  const std::optional<CorrectionResult>& Plan() const { return plan_; }

  // The text Print puts on its page: the finished result, or the kept file
  // shown; "" when there is nothing to print.
  std::string PrintText() const;
  // The page Print prints: the finished result, or the kept file shown
  // (a kept text that does not read back prints as its lines); empty when
  // there is nothing to print.
  PrintPage Page() const;
  // The file of the finished result ("" until it is written).
  const std::string& KeptName() const { return keptName_; }

  ScreenEntryEffect StoreEntry(int actionCode, double value) override;

 private:
  bool Running() const { return test_.has_value() && !test_->Done(); }

  const ProgramFolder& folder_;
  int weightUnit_ = 0;
  int firmwareVersion_ = 0;
  bool spinning_ = false;
  ProvingSetup setup_{10.0, 2.0, ProvingPlane::kLeft, true};
  std::optional<ProvingTest> test_;
  std::optional<CorrectionResult> plan_;
  std::string report_;    // the finished test's text
  std::string keptName_;  // its file name
  std::tm finishedAt_{};
  std::vector<std::string> kept_;  // a kept file shown again
  std::string keptShown_;          // its text, bounded
  std::string keptFull_;           // as read, at most kKeptMaxBytes
};

// The printed page: the result's text, a line per printed line from the
// top, at most 60 lines, the first (the title) centred.
PrintPage ProvingPrintPage(const std::string& text);
constexpr int kProvingPageMaxLines = 60;
// A print that did not go through ("Error"): the operator must not take
// silence for a printed result. `noPrinter`: Windows offered none.
OperatorMessage ProvingPrintFailedMessage(bool noPrinter);

// What to do before the first Spin.
extern const char kProvingStartText[];

}  // namespace balancer
