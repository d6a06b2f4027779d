#include "app/proving_test.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace balancer {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kGramsPerOunce = 28.349525;
// Below this a test-plane amount is no reading at all (grams).
constexpr double kNoAmount = 1e-9;

double Wrap360(double degrees) {
  double a = std::fmod(degrees, 360.0);
  if (a < 0) a += 360.0;
  if (a >= 360.0) a -= 360.0;
  return a;
}

// The shortest way from `to` to `from`, -180 .. 180.
double AngleDifference(double from, double to) {
  double d = Wrap360(from - to);
  return d > 180.0 ? d - 360.0 : d;
}

double ToX(const ProvingSide& s) {
  return s.moment * std::cos(s.angle * kPi / 180.0);
}
double ToY(const ProvingSide& s) {
  return s.moment * std::sin(s.angle * kPi / 180.0);
}

bool Usable(const ProvingSide& s) {
  return std::isfinite(s.moment) && std::isfinite(s.angle) && s.moment >= 0.0;
}

std::string Format(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

const char* ProvingPlaneName(ProvingPlane plane) {
  return plane == ProvingPlane::kRight ? "right" : "left";
}

std::optional<ProvingPlane> ProvingPlaneFromName(const std::string& name) {
  if (name == "left") return ProvingPlane::kLeft;
  if (name == "right") return ProvingPlane::kRight;
  return std::nullopt;
}

std::optional<OperatorMessage> CheckProvingSetup(const ProvingSetup& setup) {
  if (!std::isfinite(setup.massGrams) || setup.massGrams <= 0.0 ||
      setup.massGrams > kProvingMaxMassGrams) {
    return MakeOkMessage("Error", "The test mass must be more than 0 and at most 10000 grams.",
                         kRedText, kBeepHand, 340, 250, 600, 150);
  }
  if (!std::isfinite(setup.radiusInches) || setup.radiusInches <= 0.0 ||
      setup.radiusInches > kProvingMaxRadiusInches) {
    return MakeOkMessage("Error",
                         "The radius of the test mass must be more than 0 and at most 40 inches.",
                         kRedText, kBeepHand, 340, 250, 600, 150);
  }
  return std::nullopt;
}

OperatorMessage ProvingKnownUnbalanceTooSmallMessage() {
  return MakeOkMessage("Attention",
                       "The known unbalance is within the balance tolerance on the test plane,\n"
                       "so the correction has nothing to take away there.\n\n"
                       "Use a larger test mass for the reduction step.",
                       kDarkBlueText, kBeepAsterisk, 300, 220, 680, 220);
}

void ComputeProvingFigures(ProvingPlane plane, ProvingResult& result) {
  result.meanAmount = 0.0;
  result.spreadPercent = 0.0;
  result.maxAngleError = 0.0;
  result.crosstalkPercent = 0.0;
  result.marPassed = false;
  result.positionsComplete = static_cast<int>(result.positions.size()) == kProvingPositions;
  if (!result.positionsComplete) return;
  const int test = static_cast<int>(plane);
  const int other = 1 - test;
  double sum = 0.0;
  for (const ProvingPositionResult& p : result.positions) sum += p.amount[test];
  result.meanAmount = sum / kProvingPositions;
  for (const ProvingPositionResult& p : result.positions) {
    double spread = result.meanAmount > kNoAmount
                        ? std::fabs(p.amount[test] - result.meanAmount) / result.meanAmount * 100.0
                        : 100.0;
    if (spread > result.spreadPercent) result.spreadPercent = spread;
    double angleError = std::fabs(AngleDifference(p.angle[test], p.massAngle));
    if (angleError > result.maxAngleError) result.maxAngleError = angleError;
    // A position the test plane did not see at all is all crosstalk.
    double crosstalk = p.amount[test] > kNoAmount ? p.amount[other] / p.amount[test] * 100.0
                                                  : (p.amount[other] > 0.0 ? 100.0 : 0.0);
    if (crosstalk > result.crosstalkPercent) result.crosstalkPercent = crosstalk;
  }
  result.marPassed = result.meanAmount > kNoAmount && result.spreadPercent <= kProvingBandPercent &&
                     result.maxAngleError <= kProvingAngleErrorDegrees &&
                     result.crosstalkPercent <= kProvingCrosstalkPercent;
}

ProvingTest::ProvingTest(const ProvingSetup& setup) : setup_(setup) {
  ProvingStep baseline;
  baseline.kind = ProvingStepKind::kBaseline;
  steps_.push_back(baseline);
  for (int i = 0; i < kProvingPositions; ++i) {
    ProvingStep step;
    step.kind = ProvingStepKind::kPosition;
    step.position = i;
    step.massAngle = 30.0 * i;
    step.massFitted = true;
    steps_.push_back(step);
  }
  if (setup_.urr) {
    ProvingStep initial;
    initial.kind = ProvingStepKind::kUrrInitial;
    initial.massFitted = true;
    steps_.push_back(initial);
    ProvingStep correct = initial;
    correct.kind = ProvingStepKind::kUrrCorrect;
    steps_.push_back(correct);
    ProvingStep residual = initial;
    residual.kind = ProvingStepKind::kUrrResidual;
    steps_.push_back(residual);
  }
  ProvingStep done;
  done.kind = ProvingStepKind::kDone;
  steps_.push_back(done);
}

const ProvingSetup& ProvingTest::Setup() const {
  return setup_;
}

ProvingStep ProvingTest::Current() const {
  return steps_[static_cast<size_t>(index_)];
}

bool ProvingTest::Done() const {
  return Current().kind == ProvingStepKind::kDone;
}

std::string ProvingTest::Instruction() const {
  const ProvingStep step = Current();
  const std::string plane = ProvingPlaneName(setup_.plane);
  switch (step.kind) {
    case ProvingStepKind::kBaseline:
      return "Take the test mass off the shaft, then press Spin";
    case ProvingStepKind::kPosition:
      return "Fit the test mass at " + Format("%1.0f", step.massAngle) + "\xB0 on the " + plane +
             " plane, then press Spin";
    case ProvingStepKind::kUrrInitial:
      return "Fit the test mass at 0\xB0 on the " + plane +
             " plane as the known unbalance, then press Spin";
    case ProvingStepKind::kUrrCorrect:
      return "Correct the shaft as the program shows, leaving the test mass on, then continue";
    case ProvingStepKind::kUrrResidual:
      return "Spin the corrected shaft: press Spin";
    case ProvingStepKind::kDone:
      break;
  }
  return result_.passed ? "The proving test is done: PASSED" : "The proving test is done: FAILED";
}

bool ProvingTest::Record(const ProvingSide& left, const ProvingSide& right) {
  const ProvingStep step = Current();
  if (step.kind == ProvingStepKind::kUrrCorrect || step.kind == ProvingStepKind::kDone) {
    return false;
  }
  if (!Usable(left) || !Usable(right)) return false;
  const ProvingSide sides[2] = {left, right};
  const double radius = setup_.radiusInches;
  switch (step.kind) {
    case ProvingStepKind::kBaseline:
      for (int s = 0; s < 2; ++s) {
        baselineX_[s] = ToX(sides[s]);
        baselineY_[s] = ToY(sides[s]);
      }
      break;
    case ProvingStepKind::kPosition: {
      ProvingPositionResult p;
      p.massAngle = step.massAngle;
      for (int s = 0; s < 2; ++s) {
        double x = ToX(sides[s]) - baselineX_[s];
        double y = ToY(sides[s]) - baselineY_[s];
        double moment = std::hypot(x, y);
        p.amount[s] = radius > 0.0 ? moment / radius : 0.0;
        p.angle[s] = moment > 0.0 ? Wrap360(std::atan2(y, x) * 180.0 / kPi) : 0.0;
      }
      result_.positions.push_back(p);
      ComputeProvingFigures(setup_.plane, result_);
      break;
    }
    case ProvingStepKind::kUrrInitial:
      // The reduction works on what the shaft shows, the shaft's own unbalance
      // and the known one together: that is what the plan corrects.
      for (int s = 0; s < 2; ++s) result_.urrInitial[s] = sides[s].moment / radius;
      break;
    case ProvingStepKind::kUrrResidual:
      for (int s = 0; s < 2; ++s) {
        result_.urrResidual[s] = sides[s].moment / radius;
        result_.urr[s] = result_.urrInitial[s] > kNoAmount
                             ? (1.0 - result_.urrResidual[s] / result_.urrInitial[s]) * 100.0
                             : 0.0;
      }
      result_.urrRan = true;
      result_.urrPassed = result_.urr[static_cast<int>(setup_.plane)] >= kProvingUrrPercent;
      break;
    default:
      return false;
  }
  ++index_;
  if (Done()) result_.passed = result_.marPassed && (!result_.urrRan || result_.urrPassed);
  return true;
}

void ProvingTest::Advance() {
  if (Current().kind == ProvingStepKind::kUrrCorrect) ++index_;
}

ProvingResult ProvingTest::Result() const {
  return result_;
}

// ---------------------------------------------------------------------------
// The kept text file.

namespace {

constexpr const char* kReportTitle = "Machine proving test";

struct WeightText {
  double divisor;
  const char* format;
  const char* unit;
};

WeightText WeightTextFor(int weightUnit) {
  if (weightUnit == 1) return {kGramsPerOunce, "%1.4f", "ounces"};
  return {1.0, "%1.2f", "grams"};
}

const char* Verdict(bool passed) {
  return passed ? "PASSED" : "FAILED";
}

// An angle as printed to 0.1 degree: 359.97 shows as 0.0, not 360.0.
double PrintedAngle(double degrees) {
  double a = Wrap360(degrees);
  return a >= 359.95 ? 0.0 : a;
}

}  // namespace

std::string ProvingReportFileName(const std::tm& when) {
  char name[64];
  std::snprintf(name, sizeof name, "proving-%04d%02d%02d-%02d%02d%02d.txt",
                (when.tm_year + 1900) % 10000, (when.tm_mon + 1) % 100, when.tm_mday % 100,
                when.tm_hour % 100, when.tm_min % 100, when.tm_sec % 100);
  return name;
}

std::string ProvingReportText(const ProvingSetup& setup, const ProvingResult& result,
                              const std::tm& when, int weightUnit) {
  return ProvingReportText(setup, result, when, weightUnit, 0);
}

std::string ProvingReportText(const ProvingSetup& setup, const ProvingResult& result,
                              const std::tm& when, int weightUnit, int firmwareVersion) {
  const WeightText w = WeightTextFor(weightUnit);
  auto weight = [&](double grams) { return Format(w.format, grams / w.divisor); };
  char line[256];
  std::string out;
  out += kReportTitle;
  out += "\n";
  std::snprintf(line, sizeof line, "Date: %04d-%02d-%02d %02d:%02d:%02d\n",
                (when.tm_year + 1900) % 10000, (when.tm_mon + 1) % 100, when.tm_mday % 100,
                when.tm_hour % 100, when.tm_min % 100, when.tm_sec % 100);
  out += line;
  if (firmwareVersion > 0) {
    std::snprintf(line, sizeof line, "Firmware: %X.%02X\n", (firmwareVersion >> 8) & 0xFF,
                  firmwareVersion & 0xFF);
    out += line;
  }
  out += "Test mass: " + weight(setup.massGrams) + " " + w.unit + " at " +
         Format("%1.3f", setup.radiusInches) + " in on the " + ProvingPlaneName(setup.plane) +
         " plane\n";
  out += std::string("Result: ") + Verdict(result.passed) + "\n";
  out += "\n";
  out += "Residual unbalance, 12 positions 30\xB0 apart\n";
  out += "Mean: " + weight(result.meanAmount) + " " + w.unit + "\n";
  out += "Spread: " + Format("%1.1f", result.spreadPercent) + "% (limit " +
         Format("%1.1f", kProvingBandPercent) + "%)\n";
  out += "Angle error: " + Format("%1.1f", result.maxAngleError) + "\xB0 (limit " +
         Format("%1.1f", kProvingAngleErrorDegrees) + "\xB0)\n";
  out += "Crosstalk: " + Format("%1.1f", result.crosstalkPercent) + "% (limit " +
         Format("%1.1f", kProvingCrosstalkPercent) + "%)\n";
  out += std::string("12 positions: ") + Verdict(result.marPassed) + "\n";
  out += std::string("Position  Mass at  Left ") + w.unit + "  Left angle  Right " + w.unit +
         "  Right angle\n";
  int n = 0;
  for (const ProvingPositionResult& p : result.positions) {
    std::snprintf(line, sizeof line, "%8d  %6.0f\xB0  %10s  %9.1f\xB0  %11s  %10.1f\xB0\n", ++n,
                  p.massAngle, weight(p.amount[0]).c_str(), PrintedAngle(p.angle[0]),
                  weight(p.amount[1]).c_str(), PrintedAngle(p.angle[1]));
    out += line;
  }
  out += "\n";
  if (!result.urrRan) {
    out += "Unbalance reduction ratio: not run\n";
    return out;
  }
  out += "Unbalance reduction ratio\n";
  out += "Initial: left " + weight(result.urrInitial[0]) + ", right " +
         weight(result.urrInitial[1]) + " " + w.unit + "\n";
  out += "Residual: left " + weight(result.urrResidual[0]) + ", right " +
         weight(result.urrResidual[1]) + " " + w.unit + "\n";
  out += "URR: left " + Format("%1.1f", result.urr[0]) + "%, right " +
         Format("%1.1f", result.urr[1]) + "% (limit " + Format("%1.1f", kProvingUrrPercent) +
         "% on the test plane)\n";
  out += std::string("Reduction: ") + Verdict(result.urrPassed) + "\n";
  return out;
}

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

bool ReadVerdict(const std::string& line, const char* prefix, bool& passed) {
  const std::string rest = line.substr(std::strlen(prefix));
  if (rest == "PASSED") {
    passed = true;
    return true;
  }
  if (rest == "FAILED") {
    passed = false;
    return true;
  }
  return false;
}

bool Finite(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(v) || std::fabs(v) > 1e9) return false;
  }
  return true;
}

}  // namespace

bool ReadProvingReport(const std::string& text, ProvingSetup& setupOut, ProvingResult& resultOut,
                       std::tm& whenOut) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != kReportTitle) return false;
  ProvingSetup setup;
  ProvingResult result;
  std::tm when{};
  bool haveDate = false, haveMass = false, haveResult = false, haveMean = false;
  bool haveSpread = false, haveAngle = false, haveCrosstalk = false, havePositions = false;
  double divisor = 1.0;
  bool inReduction = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    double a = 0, b = 0, c = 0, d = 0, e = 0;
    int n = 0, y = 0, mo = 0, da = 0, h = 0, mi = 0, s = 0;
    char unit[16] = {0};
    char plane[16] = {0};
    if (StartsWith(line, "Date: ")) {
      if (std::sscanf(line.c_str(), "Date: %4d-%2d-%2d %2d:%2d:%2d", &y, &mo, &da, &h, &mi, &s) !=
              6 ||
          y < 1900 || mo < 1 || mo > 12 || da < 1 || da > 31 || h > 23 || mi > 59 || s > 60 ||
          h < 0 || mi < 0 || s < 0) {
        return false;
      }
      when.tm_year = y - 1900;
      when.tm_mon = mo - 1;
      when.tm_mday = da;
      when.tm_hour = h;
      when.tm_min = mi;
      when.tm_sec = s;
      haveDate = true;
    } else if (StartsWith(line, "Test mass: ")) {
      if (std::sscanf(line.c_str(), "Test mass: %lf %15s at %lf in on the %15s plane", &a, unit, &b,
                      plane) != 4) {
        return false;
      }
      if (std::strcmp(unit, "grams") == 0) {
        divisor = 1.0;
      } else if (std::strcmp(unit, "ounces") == 0) {
        divisor = kGramsPerOunce;
      } else {
        return false;
      }
      auto p = ProvingPlaneFromName(plane);
      if (!p) return false;
      setup.massGrams = a * divisor;
      setup.radiusInches = b;
      setup.plane = *p;
      // A mass too small for the printed digits reads back as 0: shown, not refused.
      if (!std::isfinite(setup.massGrams) || setup.massGrams < 0 ||
          setup.massGrams > kProvingMaxMassGrams || !std::isfinite(b) || b < 0 ||
          b > kProvingMaxRadiusInches) {
        return false;
      }
      haveMass = true;
    } else if (StartsWith(line, "Result: ")) {
      if (!ReadVerdict(line, "Result: ", result.passed)) return false;
      haveResult = true;
    } else if (StartsWith(line, "Mean: ")) {
      if (std::sscanf(line.c_str(), "Mean: %lf", &a) != 1 || !Finite({a * divisor}) || a < 0) {
        return false;
      }
      result.meanAmount = a * divisor;
      haveMean = true;
    } else if (StartsWith(line, "Spread: ")) {
      if (std::sscanf(line.c_str(), "Spread: %lf", &a) != 1 || !Finite({a}) || a < 0) return false;
      result.spreadPercent = a;
      haveSpread = true;
    } else if (StartsWith(line, "Angle error: ")) {
      if (std::sscanf(line.c_str(), "Angle error: %lf", &a) != 1 || !Finite({a}) || a < 0 ||
          a > 180) {
        return false;
      }
      result.maxAngleError = a;
      haveAngle = true;
    } else if (StartsWith(line, "Crosstalk: ")) {
      if (std::sscanf(line.c_str(), "Crosstalk: %lf", &a) != 1 || !Finite({a}) || a < 0) {
        return false;
      }
      result.crosstalkPercent = a;
      haveCrosstalk = true;
    } else if (StartsWith(line, "12 positions: ")) {
      if (!ReadVerdict(line, "12 positions: ", result.marPassed)) return false;
      havePositions = true;
    } else if (StartsWith(line, "Unbalance reduction ratio")) {
      inReduction = line == "Unbalance reduction ratio";
      if (!inReduction && line != "Unbalance reduction ratio: not run") return false;
    } else if (inReduction && StartsWith(line, "Initial: ")) {
      if (std::sscanf(line.c_str(), "Initial: left %lf, right %lf", &a, &b) != 2 ||
          !Finite({a * divisor, b * divisor}) || a < 0 || b < 0) {
        return false;
      }
      result.urrInitial[0] = a * divisor;
      result.urrInitial[1] = b * divisor;
    } else if (inReduction && StartsWith(line, "Residual: ")) {
      if (std::sscanf(line.c_str(), "Residual: left %lf, right %lf", &a, &b) != 2 ||
          !Finite({a * divisor, b * divisor}) || a < 0 || b < 0) {
        return false;
      }
      result.urrResidual[0] = a * divisor;
      result.urrResidual[1] = b * divisor;
    } else if (inReduction && StartsWith(line, "URR: ")) {
      if (std::sscanf(line.c_str(), "URR: left %lf%%, right %lf", &a, &b) != 2 || !Finite({a, b})) {
        return false;
      }
      result.urr[0] = a;
      result.urr[1] = b;
      result.urrRan = true;
    } else if (inReduction && StartsWith(line, "Reduction: ")) {
      if (!ReadVerdict(line, "Reduction: ", result.urrPassed)) return false;
    } else if (std::sscanf(line.c_str(), "%d %lf\xB0 %lf %lf\xB0 %lf %lf\xB0", &n, &a, &b, &c, &d,
                           &e) == 6) {
      // Position n sits at (n - 1) * 30 degrees.
      if (n != static_cast<int>(result.positions.size()) + 1 || n > kProvingPositions ||
          a != 30.0 * (n - 1) || !Finite({b * divisor, c, d * divisor, e}) || b < 0 || d < 0 ||
          c < 0 || c >= 360 || e < 0 || e >= 360) {
        return false;
      }
      ProvingPositionResult p;
      p.massAngle = a;
      p.amount[0] = b * divisor;
      p.angle[0] = c;
      p.amount[1] = d * divisor;
      p.angle[1] = e;
      result.positions.push_back(p);
    }
  }
  if (!haveDate || !haveMass || !haveResult || !haveMean || !haveSpread || !haveAngle ||
      !haveCrosstalk || !havePositions) {
    return false;
  }
  setup.urr = result.urrRan;
  result.positionsComplete = static_cast<int>(result.positions.size()) == kProvingPositions;
  setupOut = setup;
  resultOut = result;
  whenOut = when;
  return true;
}

TestMassMove MoveFor(const ProvingSetup& setup, const ProvingStep& step) {
  TestMassMove move;
  move.rightPlane = setup.plane == ProvingPlane::kRight;
  move.grams = setup.massGrams;
  move.radius = setup.radiusInches;
  move.angle = step.massAngle;
  if (step.kind == ProvingStepKind::kUrrCorrect) {
    move.kind = TestMassMove::Kind::kCarryOutPlan;
  } else if (step.kind == ProvingStepKind::kUrrResidual) {
    move.kind = TestMassMove::Kind::kLeave;  // the known unbalance stays on
  } else {
    move.kind = step.massFitted ? TestMassMove::Kind::kFitAt : TestMassMove::Kind::kTakeOff;
  }
  return move;
}

}  // namespace balancer
