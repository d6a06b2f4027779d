// Closing the loop (a program, not a test): balances random simulated
// crankshafts the way an operator does (spin, carry out the plan, spin again)
// and reports how well the correction planning works on the machine:
//  - the unbalance reduction of the first correction run on drilled sides,
//    1 - residual / initial of the correction-plane moment;
//  - the share of shafts in tolerance after one and after two runs, with the
//    zones and for the same shafts without zones;
//  - why the shafts that are not in tolerance miss, by cause.
// Initial unbalance is 10 to 100 times the tolerance per plane at random
// angles and axial positions; some sides get a correction zone, so that
// they are corrected with heavy metal: the operator fits the slugs and
// drills their remainder in the same run.
// "In tolerance" is the main screen's test: each upright reading within the
// tolerance. It is also reported for the correction planes themselves,
// which the plane offsets keep apart from the upright readings.
// The operator does what the screen says. Where it says "Increase drill size
// or max drill depth" (for a side's holes or under its Projection reading)
// they take the next larger drill from their drill table,
// or, with the largest one in the chuck, raise the max depth a quarter inch
// at a time up to what the counterweight takes, and plan again on the same
// reading. Where the notice stays with the largest drill at the deepest hole
// they try their smaller drills at that depth (a smaller drill's narrower fan
// may take one more hole at a zone edge). The figures of an operator who
// stops at that notice are shown too.
// The program does not know where the slugs went in, so a plan may put a
// hole into a slug's bore or a slug into a bore already taken; the simulated
// rotor lets that pass, and the shafts it happened to are counted.
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

#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "correction/adjustment.h"
#include "correction/correction_pass.h"
#include "correction/tolerance.h"
#include "correction/vector_math.h"
#include "device/clock.h"
#include "device/control_commands.h"
#include "measure/sensor_map.h"
#include "measure/spin.h"
#include "records/settings_file.h"
#include "sim/rotor_corrections.h"
#include "sim/sim_transport.h"

using namespace balancer;

namespace {

constexpr int kRuns = 2;

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

struct Shaft {
  sim::SimConfig config;
  CorrectionZones zones;
  bool zoned = false;
};

struct Options {
  bool zones = true;
  bool followNotice = true;
  bool autoSelect = false;
};

struct Outcome {
  bool ok = false;
  PlaneReading left, right;
  CorrectionResult result;
  // The operator's larger drill or deeper setting widened the zone edges so
  // far that the side went to heavy metal.
  bool pushedOutside[2] = {false, false};
  // Carrying out this run's plan put a hole into a slug's bore or a slug
  // into a bore already there.
  bool boreClash = false;
};

using sim::ShowsDrillNotice;

// A bore in the counterweight face, seen along the shaft axis: a drilled hole
// or a slug's bore.
struct Bore {
  bool slug = false;
  double angle = 0.0;  // degrees
  double radius = 0.0;
  double diameter = 0.0;
};

bool Overlap(const Bore& a, const Bore& b) {
  double ta = a.angle / kDegreesPerRadian, tb = b.angle / kDegreesPerRadian;
  double dx = a.radius * std::cos(ta) - b.radius * std::cos(tb);
  double dy = a.radius * std::sin(ta) - b.radius * std::sin(tb);
  return std::sqrt(dx * dx + dy * dy) < (a.diameter + b.diameter) / 2.0;
}

// The bores the operator makes for one side's plan (what ApplyCorrections
// carries out; holes too shallow to matter are left out).
std::vector<Bore> BoresOf(const SideCorrection& side, const MachineSettings& settings, Side which) {
  std::vector<Bore> out;
  if (!side.active || side.colour != TextColour::kDefault || side.addMode) return out;
  bool left = which == kLeftSide;
  double drillRadius = left ? settings.drillRadiusLeft : settings.drillRadiusRight;
  double slugRadius = left ? settings.slugRadiusLeft : settings.slugRadiusRight;
  auto holes = [&](const DrillPlan& plan) {
    for (int j = 0; j < plan.holeCount && j < kMaxHoles; ++j) {
      const DrillHole& h = plan.holes[j];
      if (h.depth > 0.01 && h.diameter > 0.0) {
        out.push_back({false, h.angle * kDegreesPerRadian, drillRadius, h.diameter});
      }
    }
  };
  if (side.method == CorrectionMethod::kDrill) holes(side.drill);
  if (side.method == CorrectionMethod::kSlug) {
    for (const SlugRecord& slug : side.slugs.slugs) {
      if (slug.diameter > 0.0) {
        out.push_back({true, slug.angle * kDegreesPerRadian, slugRadius, slug.diameter});
      }
    }
    if (side.remainderColour == TextColour::kDefault) holes(side.remainder);
  }
  return out;
}

// True when one of a run's bores is a hole into a slug's bore or a slug into
// a bore already there (those made before, or earlier ones of the run).
bool Clashes(const std::vector<Bore>& made, const std::vector<Bore>& fresh) {
  for (size_t i = 0; i < fresh.size(); ++i) {
    const Bore& b = fresh[i];
    // Holes of one fan touch by design, and an old hole met again only
    // removes what the new one goes deeper; a slug's bore is the clash.
    for (const Bore& m : made) {
      if ((b.slug || m.slug) && Overlap(b, m)) return true;
    }
    for (size_t k = 0; k < i; ++k) {
      if ((b.slug || fresh[k].slug) && Overlap(b, fresh[k])) return true;
    }
  }
  return false;
}

// Adds a run's bores to those of the side so far; true on a clash.
bool AddBores(std::vector<Bore>& made, const std::vector<Bore>& fresh) {
  bool clash = Clashes(made, fresh);
  made.insert(made.end(), fresh.begin(), fresh.end());
  return clash;
}

Outcome SpinAndPlan(Machine& m, MachineSettings& settings, const CorrectionZones& zones,
                    CorrectionState& state, const Options& options) {
  Outcome o;
  StartNewReading(state);  // as after every spin: what was adjusted by hand is released
  state.autoSelectRequested = options.autoSelect;
  if (options.autoSelect) settings.slugSizeSelected.fill(true);
  if (!m.Spin(settings)) return o;
  o.left = m.state.left;
  o.right = m.state.right;
  state.readingsPresent = true;
  PlaneReading left = o.left, right = o.right;
  o.result = RunCorrectionPass(left, right, settings, zones, state, &m.ui);
  o.ok = true;
  return o;
}

// Why a side is out of tolerance after a run, from what that run showed for
// it. The order is the order of the breakdown.
enum Cause {
  kCauseDrillLimit,      // the drill notice stayed: largest drill, deepest hole
  kCauseRemainderLimit,  // ... under the Projection: the slugs' remainder
  kCauseNoRoom,          // outside its zone, no room for a slug
  kCauseRemainderOff,    // heavy metal went in; its remainder pointed out of the zone
  kCauseSlugsFitted,     // heavy metal went in and its remainder was drilled
  kCauseSlugsAgain,      // ... a second time: the first fan's remainder was off the drill's reach
  kCausePushedOut,       // ... because the larger drill's edge margin put the side outside
  kCauseDrilled,         // drilled; the residual is still above tolerance
  kCauseOtherPlane,      // its plane is within tolerance; the reading carries the other plane
  kCauseOther,
  kCauseCount
};
const char* const kCauseText[kCauseCount] = {
    "drill notice left with the largest drill and the deepest hole",
    "heavy metal fitted; the drill notice for its remainder left, as above",
    "outside the zone, no room for a slug",
    "heavy metal fitted; its remainder pointed out of the zone, not drilled",
    "heavy metal fitted, its remainder drilled; residual still above tolerance",
    "heavy metal again; the last fan's remainder was off the drill's reach",
    "heavy metal; the larger drill's wider edge margin put the side outside",
    "drilled; residual still above tolerance",
    "own plane within tolerance; the reading carries the other plane",
    "other",
};

// `plan` is what the run showed for the side, `earlier` what the run before
// showed (nullptr for the first run), `after` the next spin.
Cause SideCause(const SideCorrection& plan, const SideCorrection* earlier, bool pushedOutside,
                const SideCorrection& after, double tolerance) {
  if (ShowsDrillNotice(plan)) {
    return plan.method == CorrectionMethod::kSlug ? kCauseRemainderLimit : kCauseDrillLimit;
  }
  if (plan.plane.outsideZone && plan.slugs.SlugCount() == 0) return kCauseNoRoom;
  if (plan.method == CorrectionMethod::kSlug && plan.colour == TextColour::kDefault) {
    if (pushedOutside) return kCausePushedOut;
    if (earlier && earlier->method == CorrectionMethod::kSlug) return kCauseSlugsAgain;
    if (plan.remainderText.empty()) return kCauseRemainderOff;
    return kCauseSlugsFitted;
  }
  if (after.plane.moment <= tolerance) return kCauseOtherPlane;
  if (plan.method == CorrectionMethod::kDrill && plan.colour == TextColour::kDefault) {
    return kCauseDrilled;
  }
  return kCauseOther;
}

struct Stats {
  int measured = 0, spinFailures = 0, zonedShafts = 0;
  int inTolerance[kRuns] = {};
  int clashShafts[kRuns] = {};       // a bore clash in this run or before
  int inToleranceClean[kRuns] = {};  // in tolerance without one
  int planesInTolerance[kRuns] = {};
  std::vector<double> drilledReduction, slugReduction;
  int noticeSides = 0, noticeCleared = 0, largerDrills = 0, deeperSettings = 0;
  int smallerDrills = 0;       // notices cleared by a smaller drill at the deepest hole
  int slugLayouts = 0;         // heavy-metal sides laid out again in Adjust
  int slugShafts[kRuns] = {};  // shafts given heavy metal in that run
  // Shafts out of tolerance after each run by the first cause among their
  // sides (a side that only carries the other plane counts last), and the
  // sides themselves.
  int shaftCause[kRuns][kCauseCount] = {};
  int sideCause[kRuns][kCauseCount] = {};
};

void SetDrill(MachineSettings& settings, CorrectionState& state, Side side, double diameter) {
  (side == kLeftSide ? settings.drillDiameterLeft : settings.drillDiameterRight) = diameter;
  if (side == kRightSide) StoreWorkingRightToSet(settings);
  LimitDrillRadii(settings);
  SetDrillPoint(state, settings, state.drillPoint);  // the tip follows the drill
}

// The notice left with the largest drill at the deepest hole: the operator
// tries the smaller drills at that depth, the largest first, and keeps the
// first whose plan shows no notice for the side; with none the largest goes
// back in. Returns how many sides were cleared; `changed` marks them.
int TrySmallerDrills(const PlaneReading& left, const PlaneReading& right, MachineSettings& settings,
                     const CorrectionZones& zones, CorrectionState& state, CorrectionResult& result,
                     const sim::DrillToolbox& toolbox, bool changed[2]) {
  constexpr double kSame = 1e-6;
  int cleared = 0;
  auto plan = [&] {
    PlaneReading l = left, r = right;
    result = RunCorrectionPass(l, r, settings, zones, state, nullptr);
  };
  for (int i = 0; i < 2; ++i) {
    Side side = i == 0 ? kLeftSide : kRightSide;
    auto notice = [&] { return ShowsDrillNotice(i == 0 ? result.left : result.right); };
    double largest = i == 0 ? settings.drillDiameterLeft : settings.drillDiameterRight;
    double depth = i == 0 ? settings.maxDrillDepthLeft : settings.maxDrillDepthRight;
    if (!notice() || toolbox.drills.size() < 2 || largest < toolbox.drills.back() - kSame ||
        depth + toolbox.depthStep <= toolbox.deepestHole + kSame) {
      continue;  // no notice, or the screen's own answer is not used up
    }
    bool fits = false;
    for (auto d = toolbox.drills.rbegin() + 1; d != toolbox.drills.rend() && !fits; ++d) {
      SetDrill(settings, state, side, *d);
      plan();
      fits = !notice();
    }
    if (fits) {
      changed[i] = true;
      ++cleared;
    } else {
      SetDrill(settings, state, side, largest);
      plan();
    }
  }
  return cleared;
}

SideCorrection& SideOf(CorrectionResult& result, Side side) {
  return side == kLeftSide ? result.left : result.right;
}

// A heavy-metal side whose remainder would be drilled into a slug's bore (or
// a slug into a bore already made), shows the drill notice, or is left for
// another run although above the tolerance: in Adjust the operator lays the
// slugs out again with Set, Add Slug and Delete -- fans of the program's own
// pitch inside the zone margin, the program's count and place first --
// watching the Projection, and keeps the first layout whose remainder is
// drilled clear of every bore. With none the program's plan stays. True when
// a layout was taken.
bool LayOutSlugsClear(const PlaneReading& left, const PlaneReading& right,
                      MachineSettings& settings, const CorrectionZones& zones,
                      CorrectionState& state, CorrectionResult& result, Side side,
                      const std::vector<Bore>& made) {
  const SideCorrection& shown = SideOf(result, side);
  if (shown.method != CorrectionMethod::kSlug || shown.colour != TextColour::kDefault ||
      shown.slugs.SlugCount() == 0) {
    return false;
  }
  double shaftRadius = side == kLeftSide ? settings.shaftRadiusLeft : settings.shaftRadiusRight;
  bool leftOver = shown.remainder.holeCount == 0 &&
                  shown.slugs.extraWeight * shaftRadius > settings.toleranceMoment;
  if (!leftOver && !ShowsDrillNotice(shown) && !Clashes(made, BoresOf(shown, settings, side))) {
    return false;
  }

  bool isLeft = side == kLeftSide;
  double radius = std::max(isLeft ? settings.slugRadiusLeft : settings.slugRadiusRight, 0.1);
  double diameter = isLeft ? settings.slugDiameterLeft : settings.slugDiameterRight;
  double pitch = 2.0 *
                 std::asin(std::min(1.0, ((settings.slugWebThickness + diameter) / 2.0) / radius)) *
                 kDegreesPerRadian;
  int margin = static_cast<int>(
      std::ceil(std::asin(std::min(1.0, ((diameter + 0.3) / 2.0) / radius)) * kDegreesPerRadian));
  ZoneBounds zone = ZoneOf(zones, side);
  int lower = PositiveMod(zone.start + margin, 360);
  int room = PositiveMod(zone.end - margin - lower, 360);
  if (!zone.defined() || room > PositiveMod(zone.end - zone.start, 360)) return false;

  struct Layout {
    int count, offset, cost;
  };
  int count0 = shown.slugs.SlugCount();
  int offset0 = PositiveMod(
      static_cast<int>(std::lround(shown.slugs.slugs[0].angle * kDegreesPerRadian)) - lower, 360);
  std::vector<Layout> layouts;
  for (int k = 1; k <= kMaxSlugs && (k - 1) * pitch <= room; ++k) {
    for (int off = 0; off + (k - 1) * pitch <= room; ++off) {
      layouts.push_back({k, off, 1000 * std::abs(k - count0) + std::abs(off - offset0)});
    }
  }
  std::stable_sort(layouts.begin(), layouts.end(),
                   [](const Layout& a, const Layout& b) { return a.cost < b.cost; });

  CorrectionState saved = state;
  MachineSettings savedSettings = settings;
  auto plan = [&] {
    PlaneReading l = left, r = right;
    result = RunCorrectionPass(l, r, settings, zones, state, nullptr);
  };
  for (const Layout& lay : layouts) {
    state = saved;
    settings = savedSettings;
    for (int j = 0; j < lay.count; ++j) {
      int angle = PositiveMod(static_cast<int>(std::lround(lower + lay.offset + j * pitch)), 360);
      if (j < state.slugs[side].SlugCount()) {
        SetItemAt(settings, state, side, AdjustItem::kSlug, j, angle);
      } else {
        AddSlugAt(settings, state, side, angle);
      }
    }
    while (state.slugs[side].SlugCount() > lay.count) {
      DeleteItem(settings, state, side, AdjustItem::kSlug, state.slugs[side].SlugCount() - 1);
    }
    plan();
    const SideCorrection& c = SideOf(result, side);
    bool drilled = c.remainder.holeCount > 0 && c.remainderColour == TextColour::kDefault &&
                   !c.remainderText.empty();
    if (c.method == CorrectionMethod::kSlug && c.colour == TextColour::kDefault && drilled &&
        !Clashes(made, BoresOf(c, settings, side))) {
      return true;
    }
  }
  state = saved;
  settings = savedSettings;
  plan();
  return false;
}

void FollowNotices(Outcome& o, MachineSettings& settings, const CorrectionZones& zones,
                   CorrectionState& state, Stats& stats) {
  stats.noticeSides += ShowsDrillNotice(o.result.left) + ShowsDrillNotice(o.result.right);
  sim::NoticeAnswers answers = sim::FollowDrillNotice(o.left, o.right, settings, zones, state,
                                                      o.result, sim::DrillToolbox{});
  stats.smallerDrills += TrySmallerDrills(o.left, o.right, settings, zones, state, o.result,
                                          sim::DrillToolbox{}, answers.changed);
  stats.largerDrills += answers.largerDrills;
  stats.deeperSettings += answers.deeperSettings;
  const SideCorrection* sides[2] = {&o.result.left, &o.result.right};
  for (int i = 0; i < 2; ++i) {
    stats.noticeCleared += answers.changed[i] && !ShowsDrillNotice(*sides[i]);
    o.pushedOutside[i] = answers.changed[i] && sides[i]->plane.outsideZone;
  }
}

Stats RunLoop(const std::vector<Shaft>& shafts, const MachineSettings& base,
              const Options& options) {
  Stats stats;
  double tolerance = base.toleranceMoment;
  for (const Shaft& shaft : shafts) {
    Machine machine(shaft.config);
    MachineSettings settings = base;
    CorrectionZones zones = options.zones ? shaft.zones : CorrectionZones{};
    stats.zonedShafts += options.zones && shaft.zoned;
    CorrectionState state;
    sim::CorrectionPlanes planes = sim::PlanesFromSettings(settings);

    // spins[n] is the spin before correction run n; spins[kRuns] the check.
    Outcome spins[kRuns + 1];
    std::vector<Bore> bores[2];  // what went into each side's counterweight so far
    bool ok = true;
    for (int run = 0; run <= kRuns && ok; ++run) {
      spins[run] = SpinAndPlan(machine, settings, zones, state, options);
      ok = spins[run].ok;
      if (!ok || run == kRuns) break;
      Outcome& o = spins[run];
      if (options.followNotice) {
        FollowNotices(o, settings, zones, state, stats);
      } else {
        stats.noticeSides += ShowsDrillNotice(o.result.left) + ShowsDrillNotice(o.result.right);
      }
      if (options.followNotice) {
        for (int i = 0; i < 2; ++i) {
          stats.slugLayouts += LayOutSlugsClear(o.left, o.right, settings, zones, state, o.result,
                                                static_cast<Side>(i), bores[i]);
        }
      }
      o.boreClash = AddBores(bores[0], BoresOf(o.result.left, settings, kLeftSide));
      o.boreClash =
          AddBores(bores[1], BoresOf(o.result.right, settings, kRightSide)) || o.boreClash;
      sim::ApplyCorrections(machine.transport.control(), o.result, settings, state, planes);
    }
    if (!ok) {
      ++stats.spinFailures;
      continue;
    }
    ++stats.measured;

    const SideCorrection* first[2] = {&spins[0].result.left, &spins[0].result.right};
    const SideCorrection* second[2] = {&spins[1].result.left, &spins[1].result.right};
    for (int side = 0; side < 2; ++side) {
      const SideCorrection& b = *first[side];
      double ratio = 1.0 - second[side]->plane.moment / b.plane.moment;
      if (b.method == CorrectionMethod::kDrill && b.colour == TextColour::kDefault) {
        stats.drilledReduction.push_back(ratio);
      } else if (b.method == CorrectionMethod::kSlug && b.colour == TextColour::kDefault) {
        stats.slugReduction.push_back(ratio);
      }
    }

    bool clashed = false;
    for (int run = 0; run < kRuns; ++run) {
      const CorrectionResult& plan = spins[run].result;
      const CorrectionResult& after = spins[run + 1].result;
      clashed = clashed || spins[run].boreClash;
      stats.clashShafts[run] += clashed;
      stats.inToleranceClean[run] += !clashed && after.left.inTolerance && after.right.inTolerance;
      stats.slugShafts[run] += plan.left.method == CorrectionMethod::kSlug ||
                               plan.right.method == CorrectionMethod::kSlug;
      stats.planesInTolerance[run] +=
          after.left.plane.moment <= tolerance && after.right.plane.moment <= tolerance;
      if (after.left.inTolerance && after.right.inTolerance) {
        ++stats.inTolerance[run];
        continue;
      }
      int shaftCause = kCauseCount;
      const SideCorrection* planned[2] = {&plan.left, &plan.right};
      const SideCorrection* earlier[2] = {nullptr, nullptr};
      if (run > 0) {
        earlier[0] = &spins[run - 1].result.left;
        earlier[1] = &spins[run - 1].result.right;
      }
      const SideCorrection* checked[2] = {&after.left, &after.right};
      for (int side = 0; side < 2; ++side) {
        if (checked[side]->inTolerance) continue;
        Cause c = SideCause(*planned[side], earlier[side], spins[run].pushedOutside[side],
                            *checked[side], tolerance);
        ++stats.sideCause[run][c];
        int rank = c == kCauseOtherPlane ? kCauseCount - 1 : c;  // collateral counts last
        int current = shaftCause == kCauseOtherPlane ? kCauseCount - 1 : shaftCause;
        if (rank < current) shaftCause = c;
      }
      if (shaftCause < kCauseCount) ++stats.shaftCause[run][shaftCause];
    }
  }
  return stats;
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0.0;
  std::sort(v.begin(), v.end());
  size_t i = static_cast<size_t>(p * (v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

double Share(int count, int of) {
  return of ? 100.0 * count / of : 0.0;
}

void PrintShares(const char* name, const Stats& s) {
  std::printf("  %-44s %5.1f%% / %5.1f%%\n", name, Share(s.inTolerance[0], s.measured),
              Share(s.inTolerance[1], s.measured));
}

void PrintBreakdown(const char* name, const Stats& s) {
  std::printf(
      "\n%s: drill notices %d, cleared by the operator %d (%d larger drills, %d deeper; %d "
      "cleared by a smaller drill at the deepest hole)\n"
      "  heavy-metal sides whose slugs the operator laid out again in Adjust, so that their "
      "remainder is drilled clear of every bore: %d\n",
      name, s.noticeSides, s.noticeCleared, s.largerDrills, s.deeperSettings, s.smallerDrills,
      s.slugLayouts);
  for (int run = 0; run < kRuns; ++run) {
    int missed = s.measured - s.inTolerance[run];
    std::printf(
        "  out of tolerance after %s run%s: %d shafts (%d given heavy metal in that run), by "
        "cause (shafts / sides):\n",
        run == 0 ? "one" : "two", run == 0 ? "" : "s", missed, s.slugShafts[run]);
    for (int c = 0; c < kCauseCount; ++c) {
      if (s.shaftCause[run][c] == 0 && s.sideCause[run][c] == 0) continue;
      std::printf("    %-72s %3d / %3d\n", kCauseText[c], s.shaftCause[run][c],
                  s.sideCause[run][c]);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  int shaftCount = argc > 1 ? std::atoi(argv[1]) : 300;
  unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 2026u;
  double zoneShare = argc > 3 ? std::atof(argv[3]) : 0.3;
  bool autoSelect = argc > 4 && std::string(argv[4]) == "auto";
  if (shaftCount < 1) shaftCount = 1;
  if (!std::isfinite(zoneShare)) zoneShare = 0.3;
  zoneShare = std::clamp(zoneShare, 0.0, 1.0);
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);

  MachineSettings base;
  SetBalancingMode(base, 1);
  base.uprightDistance = 20.0;
  base.planeOffsetLeft = 2.0;
  base.planeOffsetRight = 2.0;
  base.speedControl = kSpeedManual;
  ToleranceCalculator calc;
  CalculateTolerance(calc, base);  // 60 lb, 6000 rpm, class 1: 13.64 gram-inches
  double tolerance = base.toleranceMoment;

  // The shafts are drawn once, so that every variant balances the same ones.
  std::vector<Shaft> shafts(shaftCount);
  for (int k = 0; k < shaftCount; ++k) {
    Shaft& shaft = shafts[k];
    sim::SimConfig& config = shaft.config;
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
    for (int side = 0; side < 2; ++side) {
      if (unit(rng) >= zoneShare) continue;
      int start = static_cast<int>(360.0 * unit(rng));
      int end = (start + 100 + static_cast<int>(120.0 * unit(rng))) % 360;
      (side == 0 ? shaft.zones.zoneStartLeft : shaft.zones.zoneStartRight) = start;
      (side == 0 ? shaft.zones.zoneEndLeft : shaft.zones.zoneEndRight) = end;
      shaft.zoned = true;
    }
  }

  Stats zoned = RunLoop(shafts, base, {true, true, autoSelect});
  Stats zonedStop = RunLoop(shafts, base, {true, false, autoSelect});
  Stats plain = RunLoop(shafts, base, {false, true, autoSelect});
  Stats plainStop = RunLoop(shafts, base, {false, false, autoSelect});

  std::printf("shafts %d (seed %u), measured %d, spin failures %d, shafts with zones %d\n",
              shaftCount, seed, zoned.measured, zoned.spinFailures, zoned.zonedShafts);
  std::printf("tolerance %.2f gram-inches per side; zones on %.0f%% of sides%s\n", tolerance,
              100.0 * zoneShare, autoSelect ? "; automatic slug size selection" : "");
  sim::DrillToolbox toolbox;
  std::printf("drills %.4g to %.4g inch; max depth raised by %.2g up to %.2g inch\n",
              toolbox.drills.front(), toolbox.drills.back(), toolbox.depthStep,
              toolbox.deepestHole);
  const std::vector<double>& reduction = zoned.drilledReduction;
  double mean = 0.0;
  for (double r : reduction) mean += r;
  if (!reduction.empty()) mean /= reduction.size();
  int above95 = 0;
  for (double r : reduction) above95 += r >= 0.95;
  int drilled = static_cast<int>(reduction.size());
  std::printf(
      "first run, drilled sides %d: reduction mean %.4f, median %.4f, 5th pct %.4f, "
      "min %.4f; %d of %d at least 0.95\n",
      drilled, mean, Percentile(reduction, 0.5), Percentile(reduction, 0.05),
      Percentile(reduction, 0.0), above95, drilled);
  std::printf(
      "first run, heavy-metal sides %zu (slugs and their remainder drilled): reduction "
      "median %.4f\n",
      zoned.slugReduction.size(), Percentile(zoned.slugReduction, 0.5));

  std::printf("\nshafts in tolerance (upright readings), after one run / after two runs:\n");
  PrintShares("zones, operator follows the drill notice", zoned);
  PrintShares("zones, operator stops at the drill notice", zonedStop);
  PrintShares("no zones, operator follows the drill notice", plain);
  PrintShares("no zones, operator stops at the drill notice", plainStop);
  std::printf("correction planes in tolerance, zones, operator follows: %.1f%% / %.1f%%\n",
              Share(zoned.planesInTolerance[0], zoned.measured),
              Share(zoned.planesInTolerance[1], zoned.measured));
  std::printf(
      "zones, operator follows: shafts with a hole into a slug's bore or a slug into a taken "
      "bore %d / %d;\n  in tolerance without one %.1f%% / %.1f%%\n",
      zoned.clashShafts[0], zoned.clashShafts[1], Share(zoned.inToleranceClean[0], zoned.measured),
      Share(zoned.inToleranceClean[1], zoned.measured));

  PrintBreakdown("zones, operator follows", zoned);
  PrintBreakdown("no zones, operator follows", plain);

  double one = Share(zoned.inTolerance[0], zoned.measured);
  double two = Share(zoned.inTolerance[1], zoned.measured);
  std::printf(
      "\nwith zones %d shafts were given heavy metal in their first run, %d in their second\n",
      zoned.slugShafts[0], zoned.slugShafts[1]);
  std::printf(
      "targets with zones: 90%% after one run %s (%.1f%%), 99%% after two runs %s (%.1f%%)\n",
      one >= 90.0 ? "met" : "NOT met", one, two >= 99.0 ? "met" : "NOT met", two);
  return 0;
}
