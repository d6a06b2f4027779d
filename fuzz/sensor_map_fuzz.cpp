// The sensor map file: every value the spin interpolates stays finite.
#include "fuzz/fuzz_support.h"
#include "measure/sensor_map.h"

using namespace balancer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::Text(data, size);
  SensorMap map;
  double sum = 0.0;
  double checksum = 0.0;
  if (ParseSensorMap(text, map, sum, checksum) != SensorMapParse::kOk) return 0;
  FUZZ_REQUIRE(map.rowCount >= 0 && map.rowCount <= kSensorMapRows);
  for (double speed : {0.1, 50.0, 230.0, 400.0, 999.0, 2500.0}) {
    SensorMapValues v = InterpolateSensorMap(map, speed);
    FUZZ_REQUIRE(fuzz::Finite(v.leftGain) && fuzz::Finite(v.rightGain));
    FUZZ_REQUIRE(fuzz::Finite(v.leftPhase) && fuzz::Finite(v.rightPhase));
    FUZZ_REQUIRE(v.row >= 0 && v.row < kSensorMapRows);
  }
  return 0;
}
