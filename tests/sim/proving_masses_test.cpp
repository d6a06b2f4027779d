// Whole proving runs on the simulated machine in virtual time: the machine
// that reads true passes, machines that do not (an angle off, planes that
// are not separated, settings whose geometry is not the machine's) fail.
#include "sim/proving_masses.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "app/proving_test.h"
#include "base/operator_ui.h"
#include "correction/correction_pass.h"
#include "measure/sensor_map.h"
#include "measure/spin.h"
#include "records/atomic_file.h"
#include "sim/sim_transport.h"

namespace balancer {
namespace {

// The demo's machine: the default one with its uprights where the default
// settings put them, and its sensor runout.
sim::SimConfig DemoMachine() {
  sim::SimConfig c;
  c.uprightSpacing = MachineSettings().uprightDistance;
  c.harmonic2 = 3.0;
  c.harmonic3 = 3.0;
  return c;
}

struct ProvingRig {
  explicit ProvingRig(const sim::SimConfig& config) : transport(clock, config) {
    link.transport = &transport;
    link.clock = &clock;
    link.ui = &ui;
    OpenControl(link);
    SensorMapDefaults(map);
    settings.speedControl = kSpeedAuto;
  }

  // Runs every step as the demo does; false when a spin failed.
  bool Run(ProvingTest& test) {
    CorrectionResult lastPass;
    CorrectionState passState;
    while (!test.Done()) {
      ProvingStep step = test.Current();
      planned += fitter.PrepareStep(transport.control(), settings, MoveFor(test.Setup(), step),
                                    lastPass, passState);
      if (step.kind == ProvingStepKind::kUrrCorrect) {
        test.Advance();
        continue;
      }
      SpinState state;
      SpinOptions options;
      SpinHost host;
      RunSpin(link, settings, options, map, ui, host, state);
      if (state.SpinActive != 1) return false;
      passState = CorrectionState();
      passState.readingsPresent = true;
      lastPass = RunCorrectionPass(state.left, state.right, settings, zones, passState, nullptr);
      if (!test.Record(ProvingSideOf(lastPass.left.plane), ProvingSideOf(lastPass.right.plane))) {
        return false;
      }
    }
    return true;
  }

  VirtualClock clock;
  sim::SimTransport transport;
  ControlLink link;
  RecordingOperatorUi ui;
  MachineSettings settings;
  SensorMap map;
  CorrectionZones zones;
  sim::TestMassFitter fitter;
  int planned = 0;
};

// 40 gram-inches: the known unbalance is well above the default tolerance
// (13.64) on either plane of the demo's shaft.
ProvingSetup TwentyGramsAtTwoInches(ProvingPlane plane) {
  ProvingSetup s;
  s.massGrams = 20.0;
  s.radiusInches = 2.0;
  s.plane = plane;
  return s;
}

TEST(ProvingMasses, TestMassSitsOnTheSettingsPlaneAndMovesWithTheSteps) {
  MachineSettings settings;
  settings.uprightDistance = 20.0;
  settings.planeOffsetLeft = 2.5;
  settings.planeOffsetRight = 4.0;
  sim::PointMass left = sim::TestMassAt(settings, false, 12.0, 3.0, 60.0);
  EXPECT_DOUBLE_EQ(left.axial, 2.5);
  EXPECT_DOUBLE_EQ(left.grams, 12.0);
  EXPECT_DOUBLE_EQ(left.radius, 3.0);
  EXPECT_DOUBLE_EQ(left.angle, 60.0);
  EXPECT_DOUBLE_EQ(sim::TestMassAt(settings, true, 1, 1, 0).axial, 16.0);

  VirtualClock clock;
  sim::SimConfig config;
  config.masses.push_back({1.0, 1.0, 0.0, 5.0});  // the shaft's own, stays on
  sim::SimulatedControl control(clock, config);
  ProvingSetup setup = TwentyGramsAtTwoInches(ProvingPlane::kRight);
  ProvingTest test(setup);
  sim::TestMassFitter fitter;
  fitter.FitFor(control, settings, MoveFor(setup, test.Current()));  // baseline: nothing on
  EXPECT_EQ(control.Masses().size(), 1u);
  test.Record({1, 0}, {1, 0});
  test.Record({1, 0}, {1, 0});
  fitter.FitFor(control, settings, MoveFor(setup, test.Current()));  // 30 degrees
  ASSERT_EQ(control.Masses().size(), 2u);
  EXPECT_DOUBLE_EQ(control.Masses()[1].angle, 30.0);
  EXPECT_DOUBLE_EQ(control.Masses()[1].axial, 16.0);
  test.Record({1, 0}, {1, 0});
  fitter.FitFor(control, settings, MoveFor(setup, test.Current()));  // 60: the one at 30 came off
  ASSERT_EQ(control.Masses().size(), 2u);
  EXPECT_DOUBLE_EQ(control.Masses()[1].angle, 60.0);
  fitter.Remove(control);
  ASSERT_EQ(control.Masses().size(), 1u);
  EXPECT_DOUBLE_EQ(control.Masses()[0].axial, 5.0);
}

TEST(ProvingMasses, CrosstalkKeyCouplesTheUprights) {
  VirtualClock clock;
  sim::SimConfig config;
  config.leftUnbalance = 100.0;
  config.leftAngle = 40.0;
  config.rightUnbalance = 0.0;
  config.crosstalk = 0.1;
  sim::SimulatedControl control(clock, config);
  double amount = 0, angle = 0;
  control.UprightUnbalance(sim::Side::kRight, amount, angle);
  EXPECT_NEAR(amount, 10.0, 1e-9);
  EXPECT_NEAR(angle, 40.0, 1e-9);
  std::string error;
  sim::SimConfig parsed;
  ASSERT_TRUE(sim::ParseSimConfig(parsed, "crosstalk = 0.25\n", error)) << error;
  EXPECT_DOUBLE_EQ(parsed.crosstalk, 0.25);
  EXPECT_FALSE(sim::ParseSimConfig(parsed, "crosstalk = 1.5\n", error));
}

TEST(ProvingMasses, RotorFileMovesTheMassesItPutOn) {
  const std::string path = ::testing::TempDir() + "proving_watch_" + std::to_string(getpid());
  std::remove(path.c_str());
  VirtualClock clock;
  sim::SimConfig config;
  config.masses.push_back({1.0, 1.0, 0.0, 5.0});  // the machine file's own
  sim::SimulatedControl control(clock, config);
  sim::RotorFileWatch watch(path);
  std::string error;
  EXPECT_TRUE(watch.Poll(control, error));  // no file: nothing added
  EXPECT_EQ(control.Masses().size(), 1u);
  ASSERT_TRUE(WriteFileAtomically(path, "# simulated shaft\nmass = 20, 2, 30, 0\nend = 1\n"));
  EXPECT_TRUE(watch.Poll(control, error));
  ASSERT_EQ(control.Masses().size(), 2u);
  EXPECT_DOUBLE_EQ(control.Masses()[1].angle, 30.0);
  EXPECT_TRUE(watch.Poll(control, error));  // unchanged: nothing moves
  EXPECT_EQ(control.Masses().size(), 2u);
  ASSERT_TRUE(WriteFileAtomically(path, "# simulated shaft\nmass = 20, 2, 60, 0\nend = 1\n"));
  EXPECT_TRUE(watch.Poll(control, error));
  ASSERT_EQ(control.Masses().size(), 2u);
  EXPECT_DOUBLE_EQ(control.Masses()[1].angle, 60.0);
  // A text being written (cut off) leaves the shaft as it is, said once.
  ASSERT_TRUE(WriteFileAtomically(path, "# simulated shaft\nmass = 20, 2, 90, 0\n"));
  EXPECT_FALSE(watch.Poll(control, error));
  EXPECT_NE(error.find("cut off"), std::string::npos) << error;
  EXPECT_TRUE(watch.Poll(control, error));
  ASSERT_EQ(control.Masses().size(), 2u);
  EXPECT_DOUBLE_EQ(control.Masses()[1].angle, 60.0);
  std::remove(path.c_str());
  EXPECT_TRUE(watch.Poll(control, error));  // gone: its masses come off
  ASSERT_EQ(control.Masses().size(), 1u);
  EXPECT_DOUBLE_EQ(control.Masses()[0].axial, 5.0);
}

TEST(ProvingMasses, MachineThatReadsTruePassesWithMargin) {
  for (ProvingPlane plane : {ProvingPlane::kLeft, ProvingPlane::kRight}) {
    ProvingRig rig(DemoMachine());
    ProvingTest test(TwentyGramsAtTwoInches(plane));
    ASSERT_TRUE(rig.Run(test));
    ProvingResult r = test.Result();
    const int t = static_cast<int>(plane);
    EXPECT_NEAR(r.meanAmount, 20.0, 0.5) << t;
    EXPECT_LT(r.spreadPercent, kProvingBandPercent / 2) << t;
    EXPECT_LT(r.maxAngleError, kProvingAngleErrorDegrees / 2) << t;
    EXPECT_LT(r.crosstalkPercent, kProvingCrosstalkPercent / 2) << t;
    EXPECT_GT(rig.planned, 0);
    EXPECT_GT(r.urr[t], kProvingUrrPercent) << t;
    EXPECT_TRUE(r.passed) << t << " spread " << r.spreadPercent << " angle " << r.maxAngleError
                          << " crosstalk " << r.crosstalkPercent << " urr " << r.urr[t];
  }
}

TEST(ProvingMasses, MisCalibratedMachinesFail) {
  {
    // The settings' lag compensation 10 degrees off the machine's.
    ProvingRig rig(DemoMachine());
    rig.settings.lagCompensationLeft = 10.0;
    ProvingTest test(TwentyGramsAtTwoInches(ProvingPlane::kLeft));
    ASSERT_TRUE(rig.Run(test));
    ProvingResult r = test.Result();
    EXPECT_NEAR(r.maxAngleError, 10.0, 2.0);
    RecordProperty("maxAngleError", std::to_string(r.maxAngleError));
    EXPECT_LT(r.spreadPercent, kProvingBandPercent);
    EXPECT_FALSE(r.marPassed);
    EXPECT_FALSE(r.passed);
  }
  {
    // A tenth of each upright's motion reaches the other sensor.
    sim::SimConfig config = DemoMachine();
    config.crosstalk = 0.1;
    ProvingRig rig(config);
    ProvingTest test(TwentyGramsAtTwoInches(ProvingPlane::kRight));
    ASSERT_TRUE(rig.Run(test));
    ProvingResult r = test.Result();
    EXPECT_NEAR(r.crosstalkPercent, 10.0, 2.0);
    RecordProperty("crosstalkPercent", std::to_string(r.crosstalkPercent));
    EXPECT_FALSE(r.marPassed);
    EXPECT_FALSE(r.passed);
  }
  {
    // The settings put the right upright 2 inches inboard of the machine's.
    sim::SimConfig config = DemoMachine();
    config.uprightSpacing += 2.0;
    ProvingRig rig(config);
    ProvingTest test(TwentyGramsAtTwoInches(ProvingPlane::kRight));
    ASSERT_TRUE(rig.Run(test));
    EXPECT_GT(test.Result().crosstalkPercent, kProvingCrosstalkPercent);
    RecordProperty("geometryCrosstalkPercent", std::to_string(test.Result().crosstalkPercent));
    EXPECT_FALSE(test.Result().passed);
  }
}

}  // namespace
}  // namespace balancer
