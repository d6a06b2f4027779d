// The small side files of the program folder: preload.txt (a starting reading
// and the zones) and company.txt (the company text printed on reports).
#pragma once

#include <optional>
#include <string>

#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "base/program_folder.h"

namespace balancer {

constexpr const char* kPreloadFileName = "preload.txt";
constexpr const char* kCompanyFileName = "company.txt";

// Longest company text.
constexpr size_t kCompanyTextMax = 667;

// The largest unbalance moment a reading may carry (gram-inches); anything
// above is a damaged value, and its squares would overflow the transform.
constexpr double kReadingMomentMax = 1.0e6;

struct Preload {
  double leftMoment = 0.0;
  double leftAngle = 0.0;
  double rightMoment = 0.0;
  double rightAngle = 0.0;  // reversed upright and 360 already applied
  int zoneStartLeft = 0;
  int zoneEndLeft = 0;
  int zoneStartRight = 0;
  int zoneEndRight = 0;
};

// Parses the preload line "%Lf %Lf %Lf %Lf %d %d %d %d"; nullopt unless all
// eight values are there and in range (moments 0 to kReadingMomentMax, angles
// 0 to 360, zone bounds 0 to 359), as for a file that cannot be read. The right angle gets 180
// added for a reversed right upright and loses 360 when it reaches 360.
std::optional<Preload> ParsePreload(const std::string& text, int rightUprightReversed);

// Reads preload.txt at start-up; a missing or incomplete file gives nullopt.
std::optional<Preload> ReadPreload(const ProgramFolder& folder, int rightUprightReversed);

// The company text of company.txt, cut to kCompanyTextMax; "" when missing.
std::string ReadCompanyText(const ProgramFolder& folder);

// Writes the company text (created anew, no terminator). On failure the
// operator is told and false is returned.
bool WriteCompanyText(const ProgramFolder& folder, const std::string& text, OperatorUi* ui);

// Calibration by a known weight: the factor that makes a side show `desired`
// (display weight units) where it shows `moment` / `correctionRadius` /
// `weightDivisor` now. nullopt when nothing is shown (moment, radius or
// divisor not positive) or desired is not positive, so the factor never
// becomes zero, negative or infinite.
std::optional<double> CalibratedFactor(double factor, double desired, double moment,
                                       double correctionRadius, double weightDivisor);

// The Machine Calibration window's desired readings: each side takes one
// entry per opening of the window, and only against a reading measured by a
// spin or loaded from preload.txt.
struct KnownWeightCalibration {
  bool leftEntered = false;
  bool rightEntered = false;
  // The desired readings taken (display weight units), 0 until taken; the
  // window shows them.
  double desiredLeft = 0.0;
  double desiredRight = 0.0;

  void WindowOpened() {
    leftEntered = rightEntered = false;
    desiredLeft = desiredRight = 0.0;
  }
  // Whether the side takes a desired reading now. `measured`: the side holds
  // a reading measured by a spin or loaded from preload.txt. Without one (no
  // spin yet, or a failed or cancelled one) the plane transformation still
  // shows a sliver of a moment, which would blow the factor up by thousands.
  bool TakesLeft(bool leftMeasured) const { return !leftEntered && leftMeasured; }
  bool TakesRight(bool rightMeasured) const { return !rightEntered && rightMeasured; }
  // Calibrates against `moment`, the correction moment the main screen shows
  // for the side. Returns true when the factor was changed.
  bool EnterDesiredLeft(MachineSettings& s, double desired, bool leftMeasured, double leftMoment,
                        double weightDivisor);
  bool EnterDesiredRight(MachineSettings& s, double desired, bool rightMeasured, double rightMoment,
                         double weightDivisor);
};

}  // namespace balancer
