// Closing the loop (a program, not a test): balances random simulated
// crankshafts the way an operator does (spin, carry out the plan, spin again)
// and reports how well the correction planning works on the machine:
//  - the unbalance reduction of the first correction run on drilled sides,
//    1 - residual / initial of the correction-plane moment;
//  - the share of shafts in tolerance after one and after two runs.
// Initial unbalance is 10 to 100 times the tolerance per plane at random
// angles and axial positions; some sides get a correction zone, so that
// they are corrected with heavy metal.
// "In tolerance" is the main screen's test: each upright reading within the
// tolerance. It is also reported for the correction planes themselves,
// which the plane offsets keep apart from the upright readings.
// Usage: balance_loop_bench [shafts] [seed] [zone share per side, default 0.3] [auto]
// With "auto" every slug size is marked and the automatic size selection runs
// in every correction pass, as an operator would ask for it.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "base/operator_ui.h"
#include "correction/correction_pass.h"
#include "correction/tolerance.h"
#include "device/clock.h"
#include "device/control_commands.h"
#include "measure/sensor_map.h"
#include "measure/spin.h"
#include "base/machine_settings.h"
#include "sim/rotor_corrections.h"
#include "sim/sim_transport.h"

using namespace balancer;

namespace {

class QuietUi : public RecordingOperatorUi {
 public:
  void ShowMessage(const OperatorMessage& m) override { messages.push_back(m); }
};

struct Machine {
  explicit Machine(const sim::SimConfig& config) : transport(clock, config) {
    link.transport = &transport;
    link.clock = &clock;
    link.ui = &ui;
    OpenControl(link);
    SensorMapDefaults(map);
  }
  bool Spin(const MachineSettings& settings) {
    SpinHost host;
    SpinOptions options;
    state = SpinState{};
    RunSpin(link, settings, options, map, ui, host, state);
    return state.SpinActive == 1;
  }
  VirtualClock clock;
  sim::SimTransport transport;
  ControlLink link;
  QuietUi ui;
  SensorMap map;
  SpinState state;
};

struct Outcome {
  bool ok = false;
  CorrectionResult result;
};

bool gAutoSelect = false;

Outcome SpinAndPlan(Machine& m, MachineSettings& settings, const CorrectionZones& zones,
                    CorrectionState& state) {
  Outcome o;
  state.autoSelectRequested = gAutoSelect;
  if (gAutoSelect) settings.slugSizeSelected.fill(true);
  if (!m.Spin(settings)) return o;
  PlaneReading left = m.state.left, right = m.state.right;
  state.readingsPresent = true;
  o.result = RunCorrectionPass(left, right, settings, zones, state, &m.ui);
  o.ok = true;
  return o;
}

bool InTolerance(const CorrectionResult& r) {
  return r.left.inTolerance && r.right.inTolerance;
}

bool PlanesInTolerance(const CorrectionResult& r, double tolerance) {
  return r.left.plane.moment <= tolerance && r.right.plane.moment <= tolerance;
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0.0;
  std::sort(v.begin(), v.end());
  size_t i = static_cast<size_t>(p * (v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
  int shafts = argc > 1 ? std::atoi(argv[1]) : 300;
  unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 2026u;
  double zoneShare = argc > 3 ? std::atof(argv[3]) : 0.3;
  bool autoSelect = argc > 4 && std::string(argv[4]) == "auto";
  if (shafts < 1) shafts = 1;
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);

  gAutoSelect = autoSelect;
  MachineSettings base;
  SetBalancingMode(base, 1);
  base.uprightDistance = 20.0;
  base.planeOffsetLeft = 2.0;
  base.planeOffsetRight = 2.0;
  base.speedControl = kSpeedManual;
  ToleranceCalculator calc;
  CalculateTolerance(calc, base);  // 60 lb, 6000 rpm, class 1: 13.64 gram-inches
  double tolerance = base.toleranceMoment;

  std::vector<double> drilledReduction, slugReduction;
  int planes1 = 0, planes2 = 0;
  int inTolerance1 = 0, inTolerance2 = 0, measured = 0, spinFailures = 0;
  int drilledSides = 0, slugSides = 0, overflowSides = 0, noRoomSides = 0, zonedShafts = 0;
  // Why sides are still out of tolerance after two runs, by what they show.
  int failOverflow = 0, failSlug = 0, failDrill = 0, failOther = 0, failProjection = 0;
  int failFirstOverflow = 0;

  for (int k = 0; k < shafts; ++k) {
    sim::SimConfig config;
    config.noise = 0.5;
    config.noiseSeed = seed + k;
    config.manualDriveRpm = 500.0;
    config.uprightSpacing = 20.0;
    config.leftPlane = 1.0 + 5.0 * unit(rng);
    config.rightPlane = 14.0 + 5.0 * unit(rng);
    config.leftUnbalance = tolerance * (10.0 + 90.0 * unit(rng));
    config.leftAngle = 360.0 * unit(rng);
    config.rightUnbalance = tolerance * (10.0 + 90.0 * unit(rng));
    config.rightAngle = 360.0 * unit(rng);
    Machine machine(config);

    MachineSettings settings = base;
    CorrectionZones zones;
    bool zoned = false;
    for (int side = 0; side < 2; ++side) {
      if (unit(rng) >= zoneShare) continue;
      int start = static_cast<int>(360.0 * unit(rng));
      int end = (start + 100 + static_cast<int>(120.0 * unit(rng))) % 360;
      (side == 0 ? zones.zoneStartLeft : zones.zoneStartRight) = start;
      (side == 0 ? zones.zoneEndLeft : zones.zoneEndRight) = end;
      zoned = true;
    }
    zonedShafts += zoned;
    CorrectionState state;
    sim::CorrectionPlanes planes = sim::PlanesFromSettings(settings);

    Outcome first = SpinAndPlan(machine, settings, zones, state);
    if (!first.ok) {
      ++spinFailures;
      continue;
    }
    sim::ApplyCorrections(machine.transport.control(), first.result, settings, state, planes);
    Outcome second = SpinAndPlan(machine, settings, zones, state);
    if (!second.ok) {
      ++spinFailures;
      continue;
    }
    ++measured;
    const SideCorrection* before[2] = {&first.result.left, &first.result.right};
    const SideCorrection* after[2] = {&second.result.left, &second.result.right};
    for (int side = 0; side < 2; ++side) {
      const SideCorrection& b = *before[side];
      double ratio = 1.0 - after[side]->plane.moment / b.plane.moment;
      if (b.method == CorrectionMethod::kDrill && b.colour == TextColour::kDefault) {
        ++drilledSides;
        drilledReduction.push_back(ratio);
      } else if (b.method == CorrectionMethod::kSlug && b.colour == TextColour::kDefault) {
        ++slugSides;
        slugReduction.push_back(ratio);
      }
      if (b.drill.capacityOverflow) ++overflowSides;
      if (b.plane.outsideZone && b.slugs.SlugCount() == 0) ++noRoomSides;
    }
    inTolerance1 += InTolerance(second.result);
    planes1 += PlanesInTolerance(second.result, tolerance);

    sim::ApplyCorrections(machine.transport.control(), second.result, settings, state, planes);
    Outcome third = SpinAndPlan(machine, settings, zones, state);
    if (third.ok) planes2 += PlanesInTolerance(third.result, tolerance);
    if (third.ok && InTolerance(third.result)) {
      ++inTolerance2;
    } else if (third.ok) {
      const SideCorrection* last[2] = {&third.result.left, &third.result.right};
      for (int side = 0; side < 2; ++side) {
        const SideCorrection& s = *last[side];
        if (s.inTolerance) continue;
        if (before[side]->drill.capacityOverflow) ++failFirstOverflow;
        if (s.drill.capacityOverflow) {
          ++failOverflow;
        } else if (s.colour == TextColour::kRed) {
          ++failProjection;
        } else if (s.method == CorrectionMethod::kSlug) {
          ++failSlug;
        } else if (s.method == CorrectionMethod::kDrill) {
          ++failDrill;
        } else {
          ++failOther;
        }
      }
    }
  }

  double mean = 0.0;
  for (double r : drilledReduction) mean += r;
  if (!drilledReduction.empty()) mean /= drilledReduction.size();
  int above95 = 0;
  for (double r : drilledReduction) above95 += r >= 0.95;

  std::printf("shafts %d (seed %u), measured %d, spin failures %d, shafts with zones %d\n", shafts,
              seed, measured, spinFailures, zonedShafts);
  std::printf("tolerance %.2f gram-inches per side\n", tolerance);
  std::printf(
      "first run, drilled sides %d: reduction mean %.4f, median %.4f, 5th pct %.4f, "
      "min %.4f; %d of %d at least 0.95\n",
      drilledSides, mean, Percentile(drilledReduction, 0.5), Percentile(drilledReduction, 0.05),
      Percentile(drilledReduction, 0.0), above95, drilledSides);
  std::printf(
      "first run, heavy-metal sides %d: reduction median %.4f (the remainder is left "
      "for drilling by design)\n",
      slugSides, Percentile(slugReduction, 0.5));
  std::printf(
      "sides showing \"Increase drill size or max drill depth\": %d; heavy-metal sides "
      "without room: %d\n",
      overflowSides, noRoomSides);
  double share1 = measured ? 100.0 * inTolerance1 / measured : 0.0;
  double share2 = measured ? 100.0 * inTolerance2 / measured : 0.0;
  std::printf("in tolerance after one run: %.1f%%, after two runs: %.1f%%\n", share1, share2);
  std::printf(
      "sides out of tolerance after two runs, by what the third spin shows: drill limit "
      "%d (of which %d already at the first run), projection off %d, slugs %d, drill %d, "
      "other %d\n",
      failOverflow, failFirstOverflow, failProjection, failSlug, failDrill, failOther);
  std::printf("correction planes in tolerance after one run: %.1f%%, after two runs: %.1f%%\n",
              measured ? 100.0 * planes1 / measured : 0.0,
              measured ? 100.0 * planes2 / measured : 0.0);
  bool met = mean >= 0.95 && share2 >= 90.0;
  std::printf(
      "targets (reduction >= 95%% on drilled sides, >= 90%% in tolerance after two "
      "runs): %s\n",
      met ? "met" : "NOT met");
  return 0;
}
