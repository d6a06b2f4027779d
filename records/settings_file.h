// balsetup.dta / balsetup.bak: the settings file, its reader and writer, and
// the range limiter that keeps the settings inside the machine's limits.
#pragma once

#include <string>

#include "base/machine_settings.h"
#include "base/operator_message.h"
#include "base/operator_ui.h"

namespace balancer {

constexpr const char* kSettingsFileName = "balsetup.dta";
constexpr const char* kSettingsBackupName = "balsetup.bak";

// No number of the settings, preset or history files comes near this in
// magnitude; one beyond it is a damaged value and reads as unreadable.
constexpr double kRecordValueMax = 1.0e6;

// `value` as the settings and preset files hold it: NaN as 0, anything
// beyond kRecordValueMax at that end.
double RecordValue(double value);

// The whole file text of `settings`, field by field in file order.
std::string FormatSettings(const MachineSettings& settings);

// Reads a settings file text into `settings`, block by block. A block cut
// short, or holding a value beyond kRecordValueMax, fails the read; what was read before the
// failure stays in `settings`. With `reportErrors`, a failure of the first block shows the load
// error message. A successful read ends with FinishSettingsRead.
bool ParseSettings(const std::string& text, MachineSettings& settings, OperatorUi* ui,
                   bool reportErrors);

// What follows a completed read: the drill radii fitted, the working
// right-side values taken from the current mode's set, the range limiter (its
// message to `ui`, which may be null) and the simulated reluctor set.
void FinishSettingsRead(MachineSettings& settings, OperatorUi* ui);

// readSettings on a file: false when it cannot be opened or fails to parse.
// `reportErrors` asks for the load error message; `ui` also receives the range
// limiter's message and may be null.
bool readSettings(const std::string& path, MachineSettings& settings, OperatorUi* ui,
                  bool reportErrors);

// Writes the file anew (crash-safe). On failure the operator is told (when
// `ui` is given) and false is returned; an old file stays as it was.
bool writeSettings(const std::string& path, const MachineSettings& settings, OperatorUi* ui);

// Values outside the settings record the range limiter also holds in range;
// any pointer may be null.
struct LimiterExtras {
  double* holeDepthLeft = nullptr;  // the two computed hole depths, at most 10.0
  double* holeDepthRight = nullptr;
  double* testSlugDiameter = nullptr;      // at most 2.0
  double* testSlugLength = nullptr;        // at most 15.0
  double* actualSlugWeightLeft = nullptr;  // current slug of each side, at most 2000
  double* actualSlugWeightRight = nullptr;
};

// The range limiter. Shows the large-radius message through `ui` (if given)
// when a radius above 25 had to be limited.
void RangeLimit(MachineSettings& settings, OperatorUi* ui, const LimiterExtras* extras = nullptr);

// Limits each drill radius to its shaft radius less 0.05 and half the drill
// diameter (left, working right and both right sets).
void LimitDrillRadii(MachineSettings& settings);

// After an upright distance entry (and the range limiter): keeps the plane
// geometry solvable.
void ApplyUprightDistanceRule(MachineSettings& settings);

// Messages.
OperatorMessage SettingsLoadErrorMessage();     // "Attention", the load error text
OperatorMessage LargeRadiusMessage();           // "Attention", radius limited
OperatorMessage CheckMachineSettingsMessage();  // "Check Machine Settings"
// "Error": a file of the program could not be written.
OperatorMessage FileWriteErrorMessage(const std::string& path);

}  // namespace balancer
