// A whole spin against a control whose every reply comes from the input:
// it ends, and whatever it leaves is a finite reading in range.
#include <cmath>

#include "base/machine_settings.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/replay_transport.h"
#include "measure/sensor_map.h"
#include "measure/spin.h"

using namespace balancer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ReplayedControl control(data, size);
  ControlLink& link = control.link;

  MachineSettings settings;
  if (size > 1) {
    settings.speedControl = data[1] % 3;
    settings.sampleQuality = 1 + data[1] / 3 % 3;
    settings.suspension = data[1] / 9 % 2;
    settings.sensorType = data[1] / 18 % 4;
  }
  SensorMap map;
  SensorMapDefaults(map);
  SpinOptions options;
  SpinHost host;
  SpinState state;
  RunSpin(link, settings, options, map, control.ui, host, state);

  for (const PlaneReading* r : {&state.left, &state.right}) {
    FUZZ_REQUIRE(fuzz::Finite(r->amount) && r->amount >= 0.0);
    FUZZ_REQUIRE(fuzz::InRange(r->angle, 0.0, 360.0));
  }
  if (state.SpinActive) {
    FUZZ_REQUIRE(fuzz::Finite(state.AverageSpeed) && state.AverageSpeed >= 0.1);
    for (int d = 0; d < kWaveSize; ++d) {
      FUZZ_REQUIRE(fuzz::Finite(state.LeftWave[d]) && fuzz::Finite(state.RightWave[d]));
    }
  } else {
    FUZZ_REQUIRE(state.left.amount == 0.0 && state.right.amount == 0.0);
  }
  FUZZ_REQUIRE(link.MotorPower == 0);
  return 0;
}
