// Machine files: the samples load, and bad lines are reported, not crashed on.
#include "sim/sim_config.h"

#include <gtest/gtest.h>

#include <string>

#include "sim/sim_transport.h"

namespace balancer::sim {
namespace {

std::string Machine(const char* name) {
  return std::string(BALANCER_SOURCE_DIR) + "/sim/machines/" + name;
}

TEST(SimConfigFile, DefaultSampleFileIsTheDefaultMachine) {
  SimConfig fromFile;
  std::string error;
  ASSERT_TRUE(LoadSimConfigFile(fromFile, Machine("default.sim"), error)) << error;
  SimConfig defaults;
  EXPECT_EQ(fromFile.firmware, defaults.firmware);
  EXPECT_EQ(fromFile.eepromText, defaults.eepromText);
  EXPECT_EQ(fromFile.breakawayPower, defaults.breakawayPower);
  EXPECT_DOUBLE_EQ(fromFile.maxRpm, defaults.maxRpm);
  EXPECT_DOUBLE_EQ(fromFile.RightPlane(), defaults.RightPlane());
  EXPECT_DOUBLE_EQ(fromFile.leftUnbalance, defaults.leftUnbalance);
  EXPECT_DOUBLE_EQ(fromFile.rightAngle, defaults.rightAngle);
  EXPECT_DOUBLE_EQ(fromFile.gainRight, defaults.gainRight);
  EXPECT_NEAR(fromFile.electronicsDelayMs, defaults.electronicsDelayMs, 1e-9);
  EXPECT_DOUBLE_EQ(fromFile.phaseOffsetRight, defaults.phaseOffsetRight);
  EXPECT_DOUBLE_EQ(fromFile.noise, defaults.noise);
  EXPECT_FALSE(fromFile.manualDriveRpm.has_value());
  EXPECT_FALSE(fromFile.unplugAfterRequests.has_value());
  EXPECT_TRUE(fromFile.failRequests.empty());
}

TEST(SimConfigFile, OtherSamplesLoad) {
  SimConfig crank;
  std::string error;
  ASSERT_TRUE(LoadSimConfigFile(crank, Machine("crankshaft.sim"), error)) << error;
  EXPECT_DOUBLE_EQ(crank.uprightSpacing, 16.0);
  EXPECT_DOUBLE_EQ(crank.leftPlane, 2.0);
  EXPECT_DOUBLE_EQ(crank.RightPlane(), 14.0);
  ASSERT_EQ(crank.masses.size(), 1u);
  EXPECT_DOUBLE_EQ(crank.masses[0].grams, -3.2);
  EXPECT_DOUBLE_EQ(crank.masses[0].radius, 2.75);

  SimConfig soft;
  ASSERT_TRUE(LoadSimConfigFile(soft, Machine("soft_bearing.sim"), error)) << error;
  EXPECT_EQ(soft.suspension, Suspension::kSoft);
  EXPECT_EQ(soft.sensorType, SensorType::kPiezo);
}

TEST(SimConfigFile, ValuesInTheirFormsAndRightPlaneFollowsTheSpacing) {
  SimConfig c;
  std::string error;
  ASSERT_TRUE(ParseSimConfig(c,
                             "  # comment line\r\n"
                             "firmware = 0x0212   # old control\r\n"
                             "\n"
                             "UPRIGHT_SPACING=30\n"
                             "sensor_type = magnet-coil\n"
                             "suspension = 1\n"
                             "fail_requests = 1, 2,7\n"
                             "manual_drive_rpm = -120\n"
                             "eeprom_text = 1.5,0.0,2.1000,2.0000,0,0.0,1.0000,0,\n",
                             error))
      << error;
  EXPECT_EQ(c.firmware, 0x0212);
  EXPECT_DOUBLE_EQ(c.RightPlane(), 30.0);
  EXPECT_EQ(c.sensorType, SensorType::kMagnetCoil);
  EXPECT_EQ(c.suspension, Suspension::kSoft);
  EXPECT_EQ(c.failRequests, (std::vector<int>{1, 2, 7}));
  ASSERT_TRUE(c.manualDriveRpm.has_value());
  EXPECT_DOUBLE_EQ(*c.manualDriveRpm, -120.0);
  EXPECT_EQ(c.eepromText, "1.5,0.0,2.1000,2.0000,0,0.0,1.0000,0,");
}

TEST(SimConfigFile, BadLinesAreReportedWithTheirLineNumber) {
  struct Case {
    const char* text;
    const char* expected;  // part of the message
  } cases[] = {
      {"colour = blue\n", "line 1: unknown key 'colour'"},
      {"\n\nmax_rpm = fast\n", "line 3: max_rpm: not a number"},
      {"max_rpm = 12abc\n", "not a number"},
      {"max_rpm = 1e400\n", "not a number"},
      {"max_rpm = nan\n", "not a number"},
      {"upright_spacing = 0\n", "out of range"},
      {"breakaway_power = 300\n", "out of range"},
      {"firmware = 0x10000\n", "out of range"},
      {"reverse = 2\n", "must be 0 or 1"},
      {"mass = 1, 2, 3\n", "needs grams, radius, angle, axial"},
      {"mass = 1, -2, 3, 4\n", "radius below 0"},
      {"fail_requests = 1,,2\n", "request codes"},
      {"fail_requests = 256\n", "request codes"},
      {"sensor_type = laser\n", "must be LVDT"},
      {"just some words\n", "expected key = value"},
      {"eeprom_text = 0.0,0.0,2.0000,2.0000,0,0.0,1.0000,0,0.0,0.0,2.0000,2.0000,0,0.0,1.0000,0,\n",
       "longer than 62"},
      {"hold_power = 20\nbreakaway_power = 16\n", "hold_power must be below breakaway_power"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SimConfig config;
    std::string error;
    EXPECT_FALSE(ParseSimConfig(config, c.text, error));
    EXPECT_NE(error.find(c.expected), std::string::npos) << error;
  }
}

TEST(SimConfigFile, TransportFactoryRefusesAMissingOrBadFile) {
  VirtualClock clock;
  std::string error;
  EXPECT_EQ(MakeSimTransport(clock, "/nonexistent/machine.sim", error), nullptr);
  EXPECT_NE(error.find("cannot open machine file"), std::string::npos);
  error.clear();
  auto transport = MakeSimTransport(clock, "", error);
  ASSERT_NE(transport, nullptr);
  EXPECT_TRUE(error.empty());
  uint8_t d[18];
  EXPECT_TRUE(transport->Open(d));
}

}  // namespace
}  // namespace balancer::sim
