#include "measure/sensor_map.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "base/operator_ui.h"
#include "records/number_text.h"

namespace balancer {

namespace {

constexpr double kDefaultSpeeds[kSensorMapDefaultRows] = {0,    100,  200,  300,  400,  500,   600,
                                                          700,  800,  900,  1000, 1500, 2000,  2500,
                                                          3000, 3500, 4000, 4500, 5000, 100000};
constexpr int kSuspensionSoftBearing = 1;

// One whitespace-separated number; false when the text at `pos` is not a
// finite number (or the text has ended). "inf" would pass the checksum (inf
// equals inf) and turn every reading into nothing, so it ends the rows.
bool ReadNumber(const std::string& text, size_t& pos, double& value) {
  return ReadFiniteNumber(text, pos, value);
}

}  // namespace

void SensorMapDefaults(SensorMap& map) {
  for (int row = 0; row < kSensorMapRows; ++row) {
    bool used = row < kSensorMapDefaultRows;
    map.column[0][row] = used ? kDefaultSpeeds[row] : 0.0;
    map.column[1][row] = used ? 1.0 : 0.0;
    map.column[2][row] = 0.0;
    map.column[3][row] = used ? 1.0 : 0.0;
    map.column[4][row] = 0.0;
    map.column[5][row] = used ? 1.0 : 0.0;
    map.column[6][row] = 0.0;
  }
  map.rowCount = kSensorMapDefaultRows;
}

SensorMapParse ParseSensorMap(const std::string& contents, SensorMap& map, double& sum,
                              double& checksum) {
  SensorMapDefaults(map);
  // The first line is a header.
  size_t pos = contents.find('\n');
  pos = pos == std::string::npos ? contents.size() : pos + 1;

  sum = 0.0;
  int rows = 0;
  bool overflow = false;
  double overflowChecksum = 0.0;
  for (;;) {
    double values[kSensorMapColumns];
    int n = 0;
    while (n < kSensorMapColumns && ReadNumber(contents, pos, values[n])) ++n;
    if (rows < kSensorMapRows) {
      // Formatted input stores every number it converted, also of a short row.
      for (int c = 0; c < n; ++c) map.column[c][rows] = values[c];
    }
    if (n < kSensorMapColumns) {
      if (overflow) overflowChecksum = n > 0 ? values[0] : 0.0;
      break;
    }
    // A 25th data row would put the checksum past the table.
    if (rows >= kSensorMapMaxDataRows) overflow = true;
    double rowSum = values[0];
    for (int c = 1; c < kSensorMapColumns; ++c) rowSum = rowSum + values[c];
    sum = rowSum + sum;
    ++rows;
  }

  if (overflow) {
    checksum = overflowChecksum;
    SensorMapDefaults(map);
    return SensorMapParse::kChecksumError;
  }
  checksum = map.column[0][rows];
  if (sum != checksum) {
    SensorMapDefaults(map);
    return SensorMapParse::kChecksumError;
  }
  return SensorMapParse::kOk;
}

bool LoadSensorMap(const std::string& path, int suspension, SensorMap& map, OperatorUi& ui) {
  SensorMapDefaults(map);
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    if (suspension == kSuspensionSoftBearing) ui.ShowMessage(SensorMapMissingMessage());
    return false;
  }
  std::string contents((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  file.close();
  double sum = 0.0;
  double checksum = 0.0;
  if (ParseSensorMap(contents, map, sum, checksum) != SensorMapParse::kOk) {
    ui.ShowMessage(SensorMapChecksumMessage(sum, checksum));
    return false;
  }
  return true;
}

SensorMapValues InterpolateSensorMap(const SensorMap& map, double speed) {
  int k = 1;
  while (k < kSensorMapRows && speed > map.column[0][k]) ++k;
  // Beyond the last row: stay inside the table.
  if (k > kSensorMapRows - 1) k = kSensorMapRows - 1;
  double span = map.column[0][k] - map.column[0][k - 1];
  // Two rows of equal speed (the zero rows at the end of the table) would
  // divide by zero; take the lower row's values then.
  double t = span != 0.0 ? (speed - map.column[0][k - 1]) / span : 0.0;
  SensorMapValues v;
  auto at = [&](int c) {
    return map.column[c][k - 1] + (map.column[c][k] - map.column[c][k - 1]) * t;
  };
  v.leftGain = at(1);
  v.leftPhase = at(2);
  v.rightGain = at(3);
  v.rightPhase = at(4);
  v.row = k;
  return v;
}

OperatorMessage SensorMapMissingMessage() {
  return MakeOkMessage("WARNING",
                       "                                              Warning\n\n"
                       "The sensor map file is corrupt or missing and was not loaded.\n\n"
                       "Please contact Halvorn Technology for assistance.",
                       kRedText, kBeepHand, 288, 160, 564, 235);
}

OperatorMessage SensorMapChecksumMessage(double sum, double checksum) {
  std::string text = FormatText(
      "Sensor map file checksum error.\nDefault values have been loaded.\n\n"
      "Calculated checksum %1.4f\nMap file checksum %1.4f",
      sum, checksum);
  return MakeOkMessage("Attention", text, kRedText, kBeepHand, 390, 180, 360, 250);
}

}  // namespace balancer
