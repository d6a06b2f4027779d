// The simulated shaft between runs of balancer-cli, kept in a file beside the
// machine file ("<machine file>.rotor"): the masses the corrections carried
// out so far added to it, how many corrections that were, the workshop's
// seed, and the readings of the last spin, whose plan `apply` carries out.
//
//   # simulated shaft
//   seed = 7
//   corrections = 1
//   last_spin = 40.1, 30.2, 25.3, 210.4     left amount, angle, right amount, angle
//   mass = -1.25, 2.5, 31, 1                grams, radius, angle, axial as in a machine file
//   end = 1                                 the number of masses: a cut-off file shows
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "measure/plane_reading.h"
#include "sim/sim_config.h"

namespace balancer::sim {

struct RotorState {
  std::optional<uint32_t> seed;  // unset until a first correction picks one
  uint32_t corrections = 0;
  bool haveLastSpin = false;
  PlaneReading lastLeft;
  PlaneReading lastRight;
  std::vector<PointMass> added;
};

std::string RotorStatePath(const std::string& machineFile);

std::string RotorStateText(const RotorState& state);
// False with the line and what is wrong in `error`; `state` is then unchanged.
bool ParseRotorState(const std::string& text, RotorState& state, std::string& error);

// A missing file is a shaft nothing was done to (true, empty state). A file
// that cannot be read or parsed is an error naming the file.
bool LoadRotorState(const std::string& path, RotorState& state, std::string& error);
// Crash-safe: the old file or the new one, never half of one.
bool SaveRotorState(const std::string& path, const RotorState& state, std::string& error);

}  // namespace balancer::sim
