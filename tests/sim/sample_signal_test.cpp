// What a measurement against the simulator means: the per-degree waves that
// the sample packets describe, reduced by a DFT, must give back the rotor's
// unbalance through the program's calibration relation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "reference_decoder.h"
#include "sim/sim_config.h"
#include "sim/simulated_control.h"

namespace balancer::sim {
namespace {

using testing::AngleDiff;
using testing::DecodeRef;
using testing::DegreeAccumulator;
using testing::RefPacket;

constexpr int kReadGapUs = 1000;  // plus the 0.5 ms transfer: one read per 1.5 ms

RefPacket ReadPacket(SimulatedControl& control) {
  uint8_t reply[64];
  EXPECT_EQ(control.Transfer(2, 0, reply), 0u);
  return DecodeRef(reply);
}

// Reads packets at the normal rate for `revolutions` turns after a settling
// second, checking continuity on the way.
DegreeAccumulator Acquire(SimulatedControl& control, VirtualClock& clock, double revolutions) {
  DegreeAccumulator acc;
  clock.AdvanceMicros(1000000);
  ReadPacket(control);  // drop what piled up while settling
  long lostBefore = control.GroupsLost();
  double start = control.RotorAngle();
  int expected = -1;
  while (std::fabs(control.RotorAngle() - start) < revolutions * 360.0) {
    clock.AdvanceMicros(kReadGapUs);
    RefPacket p = ReadPacket(control);
    EXPECT_LE(p.groups, 20);
    if (p.groups == 0) continue;
    if (expected >= 0) {
      EXPECT_EQ(p.angle, expected);
    }
    int advance = p.groups * p.step;
    if (control.Rpm() < 0) advance = -advance;
    expected = ((p.angle + advance) % 360 + 360) % 360;
    acc.Add(p);
  }
  EXPECT_EQ(control.GroupsLost(), lostBefore);
  return acc;
}

// The program's normalisation of an acquisition to 400 rpm.
double ProgramSpeedFactor(const SimConfig& c, double rpm) {
  if (c.suspension == Suspension::kHard && c.sensorType == SensorType::kMagnetCoil) {
    double r = 400.0 / rpm;
    return ((600.0 - rpm) * 0.00015 + 1.0) * r * r * r;
  }
  if (c.suspension == Suspension::kHard && c.sensorType == SensorType::kAccelerometer) return 1.0;
  return (400.0 / rpm) * (400.0 / rpm);
}

struct Reading {
  double amount[2];
  double angle[2];
  int step;
};

// Amount and angle as the program would read them with calibration factor 2.0,
// lag compensation 0.0, soft-bearing factor 30.
Reading ReadAsProgram(const std::string& machine, double rpm, double noise = 0.0) {
  SimConfig config;
  std::string error;
  EXPECT_TRUE(ParseSimConfig(config, machine, error)) << error;
  config.noise = noise;
  config.manualDriveRpm = rpm;
  VirtualClock clock;
  SimulatedControl control(clock, config);
  DegreeAccumulator acc = Acquire(control, clock, 30);
  EXPECT_TRUE(acc.Complete());
  Reading r;
  r.step = control.CurrentStep();
  double factor = ProgramSpeedFactor(config, rpm) * 2.0;
  if (config.suspension == Suspension::kSoft) factor *= 30.0 * 0.03;
  double lagEstimate = (r.step - 1) * 0.5 + (rpm * 0.014 - 3.5);
  for (int side = 0; side < 2; ++side) {
    double amplitude = 0;
    double peak = 0;
    acc.Fundamental(side, amplitude, peak);
    r.amount[side] = amplitude * factor;
    r.angle[side] = std::fmod(peak + 90.0 - lagEstimate + (side == 1 ? 0.1 : 0.0) + 720.0, 360.0);
  }
  return r;
}

TEST(SimSignal, DefaultMachineReadsTrueWithDefaultSettingsAtEverySpeed) {
  // 750 and 1000 rpm sample every second degree, 1500 every fourth.
  for (double rpm : {750.0, 1000.0, 1500.0}) {
    SCOPED_TRACE(rpm);
    Reading r = ReadAsProgram("", rpm);
    EXPECT_NEAR(r.amount[0], 40.0, 40.0 * 0.005);
    EXPECT_NEAR(r.amount[1], 25.0, 25.0 * 0.005);
    EXPECT_NEAR(AngleDiff(r.angle[0], 30.0), 0.0, 0.2);
    EXPECT_NEAR(AngleDiff(r.angle[1], 210.0), 0.0, 0.2);
  }
  EXPECT_EQ(ReadAsProgram("", 1500.0).step, 4);
  // At 400 rpm the right side is only 12.5 counts: noise-free, the rounding
  // to whole counts repeats every turn and biases it; the machine's own
  // noise dithers that away, and a larger rotor does not suffer from it.
  Reading dithered = ReadAsProgram("", 400.0, 0.5);
  EXPECT_NEAR(dithered.amount[1], 25.0, 25.0 * 0.005);
  EXPECT_NEAR(AngleDiff(dithered.angle[1], 210.0), 0.0, 0.2);
  Reading large = ReadAsProgram("left_unbalance = 400\nright_unbalance = 250\n", 400.0);
  EXPECT_EQ(large.step, 1);
  EXPECT_NEAR(large.amount[0], 400.0, 400.0 * 0.005);
  EXPECT_NEAR(large.amount[1], 250.0, 250.0 * 0.005);
  EXPECT_NEAR(AngleDiff(large.angle[0], 30.0), 0.0, 0.2);
  EXPECT_NEAR(AngleDiff(large.angle[1], 210.0), 0.0, 0.2);
}

TEST(SimSignal, EachSensorTypeFollowsItsSpeedResponse) {
  // Rotors sized to give tens to hundreds of counts: large enough that the
  // rounding to whole counts does not matter, small enough not to clip.
  struct Case {
    const char* machine;
    double rpm;
    double scale;
  } cases[] = {
      {"sensor_type = Piezo\n", 800.0, 1.0},
      {"sensor_type = Magnet-Coil\n", 300.0, 10.0},
      {"sensor_type = Magnet-Coil\n", 900.0, 1.0},
      {"sensor_type = Accelerometer\n", 300.0, 10.0},
      {"sensor_type = Accelerometer\n", 1000.0, 10.0},
      {"suspension = soft\nsensor_type = Accelerometer\ngain_left = 0.5555555556\n"
       "gain_right = 0.5555555556\n",
       700.0, 1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.machine) + std::to_string(c.rpm));
    char rotor[96];
    std::snprintf(rotor, sizeof(rotor), "left_unbalance = %g\nright_unbalance = %g\n",
                  40.0 * c.scale, 25.0 * c.scale);
    Reading r = ReadAsProgram(std::string(c.machine) + rotor, c.rpm);
    EXPECT_NEAR(r.amount[0], 40.0 * c.scale, 0.2 * c.scale);
    EXPECT_NEAR(r.amount[1], 25.0 * c.scale, 0.125 * c.scale);
    EXPECT_NEAR(AngleDiff(r.angle[0], 30.0), 0.0, 0.2);
    EXPECT_NEAR(AngleDiff(r.angle[1], 210.0), 0.0, 0.2);
  }
}

TEST(SimSignal, GainLagAndPhaseOffsetsMoveTheReadingAsDocumented) {
  // Gain 0.8 reads 1.6x with factor 2.0; 4 ms delay and offset +2 move the
  // angle by rpm * 6 * 0.004 + 2 - (rpm * 0.014 - 3.5).
  Reading r =
      ReadAsProgram("gain_left = 0.8\nelectronics_delay_ms = 4\nphase_offset_left = 2\n", 500.0);
  EXPECT_NEAR(r.amount[0], 64.0, 0.32);
  EXPECT_NEAR(r.amount[1], 25.0, 0.125);
  double shift = 500.0 * 6 * 0.004 + 2.0 - (500.0 * 0.014 - 3.5);
  EXPECT_NEAR(AngleDiff(r.angle[0], 30.0 + shift), 0.0, 0.2);
  // The right side shares the delay but keeps its own phase offset.
  EXPECT_NEAR(AngleDiff(r.angle[1], 210.0 + shift - 2.0 - 3.6 + 0.1), 0.0, 0.2);
}

TEST(SimSignal, UprightsCarryThePlanesByTheLeverRule) {
  // Crankshaft-like: planes 2 and 14 inches from the left upright, uprights 16 apart.
  const char* machine =
      "upright_spacing = 16\nleft_plane = 2\nright_plane = 14\n"
      "left_unbalance = 160\nleft_angle = 0\nright_unbalance = 80\nright_angle = 90\n"
      "mass = 20, 3, 180, 8\n";
  // Left upright: 160*(14/16) at 0, 80*(2/16) at 90, 60*(8/16) at 180.
  double lx = 140.0 - 30.0;
  double ly = 10.0;
  // Right upright: 160*(2/16) at 0, 80*(14/16) at 90, 30 at 180.
  double rx = 20.0 - 30.0;
  double ry = 70.0;
  Reading r = ReadAsProgram(machine, 600.0);
  EXPECT_NEAR(r.amount[0], std::hypot(lx, ly), 0.5);
  EXPECT_NEAR(r.amount[1], std::hypot(rx, ry), 0.35);
  EXPECT_NEAR(AngleDiff(r.angle[0], std::atan2(ly, lx) * 180.0 / M_PI), 0.0, 0.2);
  EXPECT_NEAR(AngleDiff(r.angle[1], std::atan2(ry, rx) * 180.0 / M_PI), 0.0, 0.2);
}

TEST(SimSignal, AddedMassesChangeTheRotor) {
  SimConfig config;
  config.noise = 0.0;
  VirtualClock clock;
  SimulatedControl control(clock, config);
  // Cancel the left plane's 40 g-in at 30 degrees with 10 g at 4 in opposite.
  control.AddMass(PointMass{10.0, 4.0, 210.0, 0.0});
  double amount = -1;
  double angle = 0;
  control.UprightUnbalance(Side::kLeft, amount, angle);
  EXPECT_NEAR(amount, 0.0, 1e-9);
  control.UprightUnbalance(Side::kRight, amount, angle);
  EXPECT_NEAR(amount, 25.0, 1e-9);
  control.ClearMasses();
  control.UprightUnbalance(Side::kLeft, amount, angle);
  EXPECT_NEAR(amount, 40.0, 1e-9);
  EXPECT_NEAR(angle, 30.0, 1e-9);
}

TEST(SimSignal, NoiseHarmonicsMidscaleAndClipping) {
  SimConfig config;
  config.manualDriveRpm = 400.0;
  config.noise = 3.0;
  config.harmonic2 = 20.0;
  config.harmonic2Angle = 40.0;
  config.offsetLeft = 100.0;
  VirtualClock clock;
  SimulatedControl control(clock, config);
  // Per-degree values of 40 revolutions: spread from the noise, mean from the signal.
  std::vector<double> values[360];
  clock.AdvanceMicros(1000000);
  ReadPacket(control);
  double start = control.RotorAngle();
  while (control.RotorAngle() - start < 40 * 360.0) {
    clock.AdvanceMicros(kReadGapUs);
    RefPacket p = ReadPacket(control);
    for (int k = 0; k < p.groups; ++k) values[(p.angle + k) % 360].push_back(p.values[k].left);
  }
  double squares = 0;
  double mean = 0;
  long n = 0;
  for (auto& v : values) {
    double m = 0;
    for (double x : v) m += x;
    m /= v.size();
    mean += m;
    for (double x : v) squares += (x - m) * (x - m);
    n += static_cast<long>(v.size()) - 1;
  }
  EXPECT_NEAR(std::sqrt(squares / n), 3.0, 0.3);
  EXPECT_NEAR(mean / 360.0, 2148.0, 0.5);

  config.noise = 0.0;
  DegreeAccumulator acc;
  {
    SimulatedControl quiet(clock, config);
    acc = Acquire(quiet, clock, 5);
  }
  double amplitude = 0;
  double phase = 0;
  acc.Bin(0, 2, amplitude, phase);
  EXPECT_NEAR(amplitude, 20.0, 0.1);
  // 2 * psi - 40 peaks at psi = 20 (and 200); the sensor sees psi late by the delay.
  EXPECT_NEAR(AngleDiff(phase, 40.0 + 2.0 * 400.0 * 0.014), 0.0, 0.5);

  // A rotor far out of balance saturates the converter instead of wrapping.
  config.leftUnbalance = 20000.0;
  config.manualDriveRpm = 1000.0;
  SimulatedControl wild(clock, config);
  clock.AdvanceMicros(1000000);
  ReadPacket(wild);
  int lowest = 4095;
  int highest = 0;
  for (int i = 0; i < 200; ++i) {
    clock.AdvanceMicros(kReadGapUs);
    for (auto& g : ReadPacket(wild).values) {
      lowest = std::min(lowest, g.left);
      highest = std::max(highest, g.left);
    }
  }
  EXPECT_EQ(lowest, 0);
  EXPECT_EQ(highest, 4095);
}

}  // namespace
}  // namespace balancer::sim
