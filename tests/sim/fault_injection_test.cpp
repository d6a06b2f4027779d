// Unplugging, failing and stalling the simulated control, through the
// in-process transport as the program meets them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "sim/sim_transport.h"

namespace balancer::sim {
namespace {

struct Link {
  explicit Link(const SimConfig& c) : transport(clock, c) {}
  VirtualClock clock;
  SimTransport transport;
  uint8_t descriptor[18] = {};
  uint8_t reply[64] = {};
  uint32_t Do(uint8_t request, uint16_t value = 0) {
    return transport.ControlIn(request, value, reply);
  }
};

TEST(SimFaults, UnplugAfterRequestsThenReplug) {
  SimConfig c;
  c.unplugAfterRequests = 3;
  c.replugAfterMs = 100.0;
  Link link(c);
  EXPECT_EQ(link.Do(1), kErrorBadCommand);  // not opened yet
  ASSERT_TRUE(link.transport.Open(link.descriptor));
  ASSERT_EQ(link.Do(1, 200), 0u);
  ASSERT_EQ(link.Do(2), 0u);
  ASSERT_EQ(link.Do(2), 0u);
  EXPECT_EQ(link.Do(2), kErrorBadCommand);
  EXPECT_EQ(link.transport.control().MotorPower(), 0);  // the motor stops with the link
  EXPECT_EQ(link.Do(2), kErrorBadCommand);
  EXPECT_FALSE(link.transport.Open(link.descriptor));
  link.clock.AdvanceMicros(100000);
  ASSERT_TRUE(link.transport.Open(link.descriptor));
  EXPECT_EQ(link.Do(2), 0u);
  EXPECT_EQ(link.Do(2), 0u);  // the count does not unplug it a second time
  EXPECT_TRUE(link.transport.Close(true));
  EXPECT_FALSE(link.transport.Close(true));
}

TEST(SimFaults, UnplugAtATimeStaysGoneWithoutReplug) {
  SimConfig c;
  c.unplugAtMs = 50.0;
  Link link(c);
  ASSERT_TRUE(link.transport.Open(link.descriptor));
  link.clock.AdvanceMicros(49000);
  EXPECT_EQ(link.Do(2), 0u);
  link.clock.AdvanceMicros(1000);
  EXPECT_EQ(link.Do(2), kErrorBadCommand);
  link.clock.AdvanceMicros(10000000);
  EXPECT_FALSE(link.transport.Open(link.descriptor));
  link.transport.control().Replug();
  EXPECT_TRUE(link.transport.Open(link.descriptor));
}

TEST(SimFaults, ChosenRequestsAndEveryNthTransferFail) {
  SimConfig c;
  c.failRequests = {1};
  Link link(c);
  ASSERT_TRUE(link.transport.Open(link.descriptor));
  EXPECT_EQ(link.Do(1, 200), kErrorGenFailure);
  EXPECT_EQ(link.transport.control().MotorPower(), 0);  // a failed request does nothing
  EXPECT_EQ(link.Do(2), 0u);

  link.transport.control().SetFailRequests({});
  link.transport.control().SetFailEvery(3);
  uint32_t statuses[6];
  for (uint32_t& s : statuses) s = link.Do(3);
  // Transfers 3 and 6 of the control's count fail (two were made above).
  EXPECT_EQ(statuses[0], kErrorGenFailure);
  EXPECT_EQ(statuses[1], 0u);
  EXPECT_EQ(statuses[2], 0u);
  EXPECT_EQ(statuses[3], kErrorGenFailure);
}

TEST(SimFaults, StallsTakeTimeAndTooLongAStallTimesOut) {
  SimConfig c;
  c.stallRequests = {2};
  c.stallMs = 40.0;
  Link link(c);
  ASSERT_TRUE(link.transport.Open(link.descriptor));
  int64_t t0 = link.clock.NowMicros();
  EXPECT_EQ(link.Do(1), 0u);
  EXPECT_EQ(link.clock.NowMicros() - t0, 500);
  t0 = link.clock.NowMicros();
  EXPECT_EQ(link.Do(2), 0u);
  EXPECT_EQ(link.clock.NowMicros() - t0, 40500);

  // Every second transfer now stalls beyond the 5 s pipe timeout.
  link.transport.control().SetStall({}, 2, 7000.0);
  EXPECT_EQ(link.Do(1), 0u);  // the control's 3rd transfer
  t0 = link.clock.NowMicros();
  EXPECT_EQ(link.Do(1), kErrorSemTimeout);
  EXPECT_EQ(link.clock.NowMicros() - t0, 5000500);
  EXPECT_EQ(link.Do(1), 0u);
}

TEST(SimFaults, MachineFileFaultKeysReachTheControl) {
  // Unique per run: other builds may run these tests at the same time.
  std::string path = ::testing::TempDir() + "sim_faults_" +
                     std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
                     ".sim";
  {
    std::ofstream out(path);
    out << "fail_requests = 7\nfirmware = 0x0212\n";
  }
  VirtualClock clock;
  std::string error;
  auto transport = MakeSimTransport(clock, path, error);
  ASSERT_NE(transport, nullptr) << error;
  uint8_t d[18];
  ASSERT_TRUE(transport->Open(d));
  EXPECT_EQ(d[12] | d[13] << 8, 0x0212);
  uint8_t reply[64];
  EXPECT_EQ(transport->ControlIn(7, 1, reply), kErrorGenFailure);
  EXPECT_NE(AsSimulatedControl(transport.get()), nullptr);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace balancer::sim
