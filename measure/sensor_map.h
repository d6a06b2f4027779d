// The speed-indexed sensor correction table (sensormap.dta): a gain and a
// phase per side, interpolated at the measured speed of every acquisition.
#pragma once

#include <string>

#include "base/operator_message.h"

namespace balancer {

class OperatorUi;

constexpr int kSensorMapRows = 25;
constexpr int kSensorMapColumns = 7;
constexpr int kSensorMapDefaultRows = 20;
// The checksum lands in the row after the last data row, so 24 data rows fill the table.
constexpr int kSensorMapMaxDataRows = kSensorMapRows - 1;
constexpr double ReferenceSpeed = 400.0;

struct SensorMap {
  // column[c][row]: 0 speed, 1 left gain, 2 left phase, 3 right gain,
  // 4 right phase, 5 and 6 only counted in the checksum.
  double column[kSensorMapColumns][kSensorMapRows] = {};
  int rowCount = 0;
};

// The values interpolated for the last acquisition.
struct SensorMapValues {
  double leftGain = 1.0;
  double leftPhase = 0.0;
  double rightGain = 1.0;
  double rightPhase = 0.0;
  int row = 0;  // index k of the row found
};

void SensorMapDefaults(SensorMap& map);

// Reads the map file at `path` (text, header line, rows of seven numbers, a
// checksum line). A missing file leaves the defaults and warns only with a
// soft-bearing suspension; a checksum mismatch, a short row or more rows than
// the table holds leave the defaults and show the checksum message. Returns
// true when the file's table is in force.
bool LoadSensorMap(const std::string& path, int suspension, SensorMap& map, OperatorUi& ui);

// Parses file contents already read; used by LoadSensorMap and the tests.
// `sum` and `checksum` receive the compared values.
enum class SensorMapParse { kOk, kChecksumError };
SensorMapParse ParseSensorMap(const std::string& contents, SensorMap& map, double& sum,
                              double& checksum);

// Linear interpolation between the first row k >= 1 whose speed is at least
// `speed` and the row before it.
SensorMapValues InterpolateSensorMap(const SensorMap& map, double speed);

OperatorMessage SensorMapMissingMessage();
OperatorMessage SensorMapChecksumMessage(double sum, double checksum);

}  // namespace balancer
