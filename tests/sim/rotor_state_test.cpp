// The simulated shaft file balancer-cli keeps between its runs.
#include "sim/rotor_state.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "sim/sim_config.h"

namespace balancer {
namespace {

sim::RotorState Sample() {
  sim::RotorState s;
  s.seed = 12345;
  s.corrections = 2;
  s.haveLastSpin = true;
  s.lastLeft = {1.0 / 3.0, 359.99999};
  s.lastRight = {12.5e-3, 0.1};
  s.added = {{-1.0 / 7.0, 3.025, 31.5, 0.0}, {24.75, 3.2, -0.25, 18.0}};
  return s;
}

TEST(RotorState, RoundTripsExactly) {
  sim::RotorState in = Sample();
  sim::RotorState out;
  std::string error;
  ASSERT_TRUE(sim::ParseRotorState(sim::RotorStateText(in), out, error)) << error;
  ASSERT_TRUE(out.seed.has_value());
  EXPECT_EQ(*out.seed, 12345u);
  EXPECT_EQ(out.corrections, 2u);
  EXPECT_TRUE(out.haveLastSpin);
  EXPECT_EQ(out.lastLeft.amount, in.lastLeft.amount);
  EXPECT_EQ(out.lastLeft.angle, in.lastLeft.angle);
  EXPECT_EQ(out.lastRight.amount, in.lastRight.amount);
  ASSERT_EQ(out.added.size(), 2u);
  EXPECT_EQ(out.added[0].grams, in.added[0].grams);
  EXPECT_EQ(out.added[1].angle, in.added[1].angle);
  EXPECT_EQ(out.added[1].axial, 18.0);

  sim::RotorState fresh;
  ASSERT_TRUE(sim::ParseRotorState(sim::RotorStateText(fresh), out, error)) << error;
  EXPECT_FALSE(out.seed.has_value());
  EXPECT_FALSE(out.haveLastSpin);
  EXPECT_TRUE(out.added.empty());
}

TEST(RotorState, DamagedTextIsRefusedAndLeavesTheStateAlone) {
  const std::string good = sim::RotorStateText(Sample());
  std::string cut = good.substr(0, good.rfind("mass"));
  std::string extra = good;
  extra.insert(extra.rfind("end"), "mass = 1, 1, 1, 1\n");
  std::string badNumber = good;
  badNumber.replace(badNumber.find("-0.14"), 5, "-0.x4");
  for (const std::string& text :
       {std::string(), std::string("corrections = 1\nend = 0\n"), cut, extra, badNumber,
        good + "mass = 1, 1, 1, 1\n", std::string("# simulated shaft\nfrobnicate = 1\nend = 0\n"),
        std::string("# simulated shaft\nmass = 1, -2, 0, 0\nend = 1\n"),
        std::string("# simulated shaft\nlast_spin = 1, 2, 3\nend = 0\n"),
        std::string("# simulated shaft\ncorrections = -1\nend = 0\n")}) {
    SCOPED_TRACE(text);
    sim::RotorState state = Sample();
    std::string error;
    EXPECT_FALSE(sim::ParseRotorState(text, state, error));
    EXPECT_NE(error.find("line "), std::string::npos) << error;
    EXPECT_EQ(state.added.size(), 2u);
  }
}

TEST(RotorState, FilesMissingGoodAndDamaged) {
  char pattern[] = "/tmp/rotor_state_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string path = sim::RotorStatePath(std::string(pattern) + "/machine.sim");
  EXPECT_EQ(path, std::string(pattern) + "/machine.sim.rotor");
  sim::RotorState state = Sample();
  std::string error;
  // Nothing done to the shaft yet.
  ASSERT_TRUE(sim::LoadRotorState(path, state, error)) << error;
  EXPECT_TRUE(state.added.empty());
  ASSERT_TRUE(sim::SaveRotorState(path, Sample(), error)) << error;
  ASSERT_TRUE(sim::LoadRotorState(path, state, error)) << error;
  EXPECT_EQ(state.added.size(), 2u);
  std::ofstream(path) << "# simulated shaft\nmass = 1, 2, 3\n";
  EXPECT_FALSE(sim::LoadRotorState(path, state, error));
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_NE(error.find("damaged"), std::string::npos) << error;
  unlink(path.c_str());
  rmdir(pattern);
}

TEST(RotorState, WorkshopKeysOfTheMachineFile) {
  sim::SimConfig c;
  std::string error;
  EXPECT_FALSE(c.workshopSeed.has_value());
  ASSERT_TRUE(sim::ParseSimConfig(
      c, "workshop_seed = 42\nworkshop_angle_error = 0.5\nworkshop_amount_error = 1\n", error))
      << error;
  EXPECT_EQ(*c.workshopSeed, 42u);
  EXPECT_EQ(c.workshopAngleError, 0.5);
  EXPECT_EQ(c.workshopAmountError, 1.0);
  ASSERT_TRUE(sim::ParseSimConfig(c, "workshop_seed = none\n", error)) << error;
  EXPECT_FALSE(c.workshopSeed.has_value());
  for (const char* bad : {"workshop_seed = -1", "workshop_seed = x", "workshop_angle_error = -1",
                          "workshop_amount_error = 80"}) {
    sim::SimConfig d;
    EXPECT_FALSE(sim::ParseSimConfig(d, bad, error)) << bad;
  }
}

}  // namespace
}  // namespace balancer
