#include "records/side_files.h"

#include <cmath>

#include "records/atomic_file.h"
#include "records/number_text.h"
#include "records/settings_file.h"
#include "records/text_scanner.h"

namespace balancer {

std::optional<Preload> ParsePreload(const std::string& text, int rightUprightReversed) {
  TextScanner in(text);
  Preload p;
  bool ok = in.Double(p.leftMoment) && in.Double(p.leftAngle) && in.Double(p.rightMoment) &&
            in.Double(p.rightAngle) && in.Int(p.zoneStartLeft) && in.Int(p.zoneEndLeft) &&
            in.Int(p.zoneStartRight) && in.Int(p.zoneEndRight);
  if (!ok) return std::nullopt;
  for (double moment : {p.leftMoment, p.rightMoment}) {
    if (!NumberInRange(moment, 0.0, kReadingMomentMax)) return std::nullopt;
  }
  for (double angle : {p.leftAngle, p.rightAngle}) {
    if (!NumberInRange(angle, 0.0, 360.0)) return std::nullopt;
  }
  for (int bound : {p.zoneStartLeft, p.zoneEndLeft, p.zoneStartRight, p.zoneEndRight}) {
    if (bound < 0 || bound > 359) return std::nullopt;
  }
  if (rightUprightReversed == 1) p.rightAngle += 180.0;
  if (p.rightAngle >= 360.0) p.rightAngle -= 360.0;
  return p;
}

std::optional<Preload> ReadPreload(const ProgramFolder& folder, int rightUprightReversed) {
  std::optional<std::string> text = ReadWholeFile(folder.File(kPreloadFileName));
  if (!text) return std::nullopt;
  return ParsePreload(*text, rightUprightReversed);
}

std::string ReadCompanyText(const ProgramFolder& folder) {
  std::optional<std::string> text = ReadWholeFile(folder.File(kCompanyFileName));
  if (!text) return "";
  std::string company = *text;
  // The text ends at a terminator the way the reports read it.
  size_t nul = company.find('\0');
  if (nul != std::string::npos) company.erase(nul);
  if (company.size() > kCompanyTextMax) company.erase(kCompanyTextMax);
  return company;
}

bool WriteCompanyText(const ProgramFolder& folder, const std::string& text, OperatorUi* ui) {
  const std::string path = folder.File(kCompanyFileName);
  if (WriteFileAtomically(path, text.substr(0, kCompanyTextMax))) return true;
  if (ui) ui->ShowMessage(FileWriteErrorMessage(path));
  return false;
}

std::optional<double> CalibratedFactor(double factor, double desired, double moment,
                                       double correctionRadius, double weightDivisor) {
  if (!(moment > 0.0) || !(correctionRadius > 0.0) || !(weightDivisor > 0.0) || !(desired > 0.0)) {
    return std::nullopt;
  }
  if (!std::isfinite(desired) || !std::isfinite(moment)) return std::nullopt;
  double shown = moment / correctionRadius / weightDivisor;
  double calibrated = factor * desired / shown;
  // A reading of next to nothing would make the factor useless.
  if (!std::isfinite(calibrated) || !(calibrated > 0.0)) return std::nullopt;
  return calibrated;
}

bool KnownWeightCalibration::EnterDesiredLeft(MachineSettings& s, double desired, bool leftMeasured,
                                              double leftMoment, double weightDivisor) {
  if (!TakesLeft(leftMeasured)) return false;
  std::optional<double> factor = CalibratedFactor(s.calibrationFactorLeft, desired, leftMoment,
                                                  s.correctionRadiusLeft, weightDivisor);
  if (!factor) return false;
  s.calibrationFactorLeft = *factor;
  leftEntered = true;
  desiredLeft = desired;
  return true;
}

bool KnownWeightCalibration::EnterDesiredRight(MachineSettings& s, double desired,
                                               bool rightMeasured, double rightMoment,
                                               double weightDivisor) {
  if (!TakesRight(rightMeasured)) return false;
  std::optional<double> factor = CalibratedFactor(s.calibrationFactorRight, desired, rightMoment,
                                                  s.correctionRadiusRight, weightDivisor);
  if (!factor) return false;
  s.calibrationFactorRight = *factor;
  rightEntered = true;
  desiredRight = desired;
  return true;
}

}  // namespace balancer
