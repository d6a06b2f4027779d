// The wire protocol end to end: controlsim as a separate process, and small
// in-test servers that misbehave on purpose.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "device/clock.h"
#include "device/control_commands.h"
#include "device/control_link.h"
#include "device/socket_stream.h"
#include "device/wire_transport.h"

extern char** environ;

namespace balancer {
namespace {

// controlsim started with --port 0; the port comes from its first line.
class ControlSimProcess {
 public:
  bool Start(std::vector<std::string> args) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string program = std::string(BALANCER_BINARY_DIR) + "/sim/controlsim";
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
      close(fds[0]);
      pid_ = -1;
      return false;
    }
    std::string line;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') line += c;
    close(fds[0]);
    firstLine_ = line;
    size_t colon = line.rfind(':');
    if (line.rfind("listening 127.0.0.1:", 0) != 0 || colon == std::string::npos) return false;
    port_ = std::atoi(line.c_str() + colon + 1);
    return port_ > 0;
  }

  // Exit status of a run that ends by itself (bad options).
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  void Kill() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }
  ~ControlSimProcess() { Kill(); }
  int port() const { return port_; }
  const std::string& firstLine() const { return firstLine_; }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
  std::string firstLine_;
};

TEST(WireProtocol, ControlSimServesTransfersUntilItIsKilled) {
  std::string log = ::testing::TempDir() + "controlsim_e2e_" + std::to_string(getpid()) + ".log";
  ControlSimProcess server;
  ASSERT_TRUE(server.Start({"--port", "0", "--firmware", "0x0300", "--log", log}))
      << server.firstLine();
  auto transport = MakeWireTransport("127.0.0.1", server.port(), 300);
  uint8_t d[18] = {};
  ASSERT_TRUE(transport->Open(d));
  EXPECT_EQ(d[8] | d[9] << 8, 0x13EF);
  EXPECT_EQ(d[10] | d[11] << 8, 0xDBC2);
  EXPECT_EQ(d[12] | d[13] << 8, 0x0300);

  uint8_t reply[64];
  ASSERT_EQ(transport->ControlIn(3, 0, reply), 0u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(reply + 1), 37),
            "0.0,0.0,2.0000,2.0000,0,0.0,1.0000,0,");
  ASSERT_EQ(transport->ControlIn(4, 150 * 256 + 2, reply), 0u);
  ASSERT_EQ(transport->ControlIn(3, 150, reply), 0u);
  EXPECT_EQ(reply[0], 2);
  ASSERT_EQ(transport->ControlIn(1, 0, reply), 0u);
  EXPECT_EQ(reply[0] | reply[1] << 8, 0);
  std::memset(reply, 0x5A, sizeof(reply));
  EXPECT_EQ(transport->ControlIn(5, 0, reply), kErrorGenFailure);
  EXPECT_EQ(reply[0], 0x5A);

  // After a disconnect the server takes the next client, with its state kept.
  EXPECT_TRUE(transport->Close(true));
  EXPECT_EQ(transport->ControlIn(2, 0, reply), kErrorBadCommand);
  ASSERT_TRUE(transport->Open(d));
  ASSERT_EQ(transport->ControlIn(3, 150, reply), 0u);
  EXPECT_EQ(reply[0], 2);

  server.Kill();
  EXPECT_EQ(transport->ControlIn(2, 0, reply), kErrorBadCommand);
  EXPECT_EQ(transport->ControlIn(2, 0, reply), kErrorBadCommand);
  EXPECT_FALSE(transport->Open(d));  // refused: no control

  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("request 4 value 38402 status 0"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("request 5 value 0 status 31"), std::string::npos);
  std::remove(log.c_str());
}

TEST(WireProtocol, UnpluggedControlClosesTheLinkAndComesBack) {
  ControlSimProcess server;
  ASSERT_TRUE(server.Start({"--port", "0", "--unplug-after", "2", "--replug-after-ms", "300"}));
  auto transport = MakeWireTransport("127.0.0.1", server.port(), 300);
  uint8_t d[18];
  uint8_t reply[64];
  ASSERT_TRUE(transport->Open(d));
  EXPECT_EQ(transport->ControlIn(2, 0, reply), 0u);
  EXPECT_EQ(transport->ControlIn(2, 0, reply), 0u);
  EXPECT_EQ(transport->ControlIn(2, 0, reply), kErrorBadCommand);
  EXPECT_EQ(transport->ControlIn(2, 0, reply), kErrorBadCommand);
  EXPECT_FALSE(transport->Open(d));  // accepted and closed: nothing there
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  ASSERT_TRUE(transport->Open(d));
  EXPECT_EQ(transport->ControlIn(2, 0, reply), 0u);
}

TEST(WireProtocol, ControlSimRejectsBadOptionsAndMachineFiles) {
  std::string bad = ::testing::TempDir() + "bad_machine_" + std::to_string(getpid()) + ".sim";
  {
    std::ofstream out(bad);
    out << "max_rpm = lots\n";
  }
  for (std::vector<std::string> args : {std::vector<std::string>{"--config", bad},
                                        {"--port", "99999"},
                                        {"--bogus", "1"},
                                        {"--fail-every", "x"},
                                        {"--set", "noise"}}) {
    ControlSimProcess server;
    EXPECT_FALSE(server.Start(args));
    EXPECT_EQ(server.Wait(), 2) << args[0];
  }
  std::remove(bad.c_str());
}

TEST(WireProtocol, ProgramLinkRunsTheRealTimeControlAndRediscoversAfterLoss) {
  ControlSimProcess server;
  ASSERT_TRUE(server.Start({"--port", "0", "--set", "noise = 0"}));
  auto transport = MakeWireTransport("127.0.0.1", server.port(), 300);
  SteadyClock clock;
  ControlLink link;
  link.transport = transport.get();
  link.clock = &clock;
  OpenControl(link);
  ASSERT_EQ(link.connected, 1);
  EXPECT_EQ(link.FirmwareVersion, 0x0304);

  // The physics runs in real time between transfers: generous bounds only.
  EXPECT_EQ(SetMotorPower(link, 255), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  int speed = SetMotorPower(link, 255);
  EXPECT_GT(speed, 500);
  EXPECT_LE(speed, 1800);
  ReadShaftAngle(link);
  std::this_thread::sleep_for(std::chrono::milliseconds(3));
  int angle = ReadShaftAngle(link);
  EXPECT_GE(angle, 0);
  EXPECT_LT(angle, 360);
  EXPECT_GT(link.reply[0], 0);  // groups sampled meanwhile
  EXPECT_GE(link.reply[1], 1);
  SetMotorPower(link, 0);

  // The control goes away: the angle read re-discovers and finds nothing.
  server.Kill();
  ReadShaftAngle(link);
  EXPECT_EQ(link.TransferErrorLatch, 1);
  EXPECT_EQ(link.connected, 0);
}

// A one-connection server run by the test itself.
class FakeServer {
 public:
  explicit FakeServer(std::function<void(SocketStream&)> behaviour) {
    std::string error;
    listener_ = ListenTcp("127.0.0.1", 0, error);
    thread_ = std::thread([this, behaviour] {
      std::unique_ptr<SocketStream> s = listener_->Accept();
      if (s) behaviour(*s);
    });
  }
  ~FakeServer() { thread_.join(); }
  int port() const { return listener_->Port(); }

 private:
  std::unique_ptr<SocketListener> listener_;
  std::thread thread_;
};

std::vector<uint8_t> Descriptor(uint16_t vendor, uint16_t product) {
  std::vector<uint8_t> d(18, 0);
  d[0] = 18;
  d[1] = 1;
  d[8] = vendor & 0xFF;
  d[9] = vendor >> 8;
  d[10] = product & 0xFF;
  d[11] = product >> 8;
  d[12] = 0x04;
  d[13] = 0x03;
  return d;
}

TEST(WireProtocol, OtherDevicesAreNotTheControl) {
  for (auto ids : {std::pair<uint16_t, uint16_t>{0x1234, 0xDBC2}, {0x13EF, 0x0001}}) {
    FakeServer server([&](SocketStream& s) {
      auto d = Descriptor(ids.first, ids.second);
      s.WriteAll(d.data(), d.size());
    });
    auto transport = MakeWireTransport("127.0.0.1", server.port(), 300);
    uint8_t d[18];
    EXPECT_FALSE(transport->Open(d));
    uint8_t reply[64];
    EXPECT_EQ(transport->ControlIn(1, 0, reply), kErrorBadCommand);
  }
  // A short descriptor before the peer hangs up.
  FakeServer shortOne([](SocketStream& s) {
    uint8_t half[9] = {18, 1};
    s.WriteAll(half, sizeof(half));
  });
  uint8_t d[18];
  EXPECT_FALSE(MakeWireTransport("127.0.0.1", shortOne.port())->Open(d));
}

TEST(WireProtocol, SetupPacketStatusAndABrokenReply) {
  uint8_t seen[8] = {};
  FakeServer server([&](SocketStream& s) {
    auto d = Descriptor(0x13EF, 0xDBC2);
    s.WriteAll(d.data(), d.size());
    // First transfer: error 121 with junk data.
    s.ReadAll(seen, 8, 2000);
    uint8_t answer[68];
    std::memset(answer, 0xEE, sizeof(answer));
    answer[0] = 121;
    answer[1] = answer[2] = answer[3] = 0;
    s.WriteAll(answer, sizeof(answer));
    // Second transfer: success.
    uint8_t setup[8];
    s.ReadAll(setup, 8, 2000);
    for (int i = 0; i < 68; ++i) answer[i] = static_cast<uint8_t>(i < 4 ? 0 : i - 4);
    s.WriteAll(answer, sizeof(answer));
    // Third: the peer dies half way through the answer.
    s.ReadAll(setup, 8, 2000);
    s.WriteAll(answer, 30);
  });
  auto transport = MakeWireTransport("127.0.0.1", server.port(), 300);
  uint8_t d[18];
  ASSERT_TRUE(transport->Open(d));
  uint8_t reply[64];
  std::memset(reply, 0x11, sizeof(reply));
  EXPECT_EQ(transport->ControlIn(4, 0x9603, reply), kErrorSemTimeout);
  EXPECT_EQ(reply[10], 0x11);
  const uint8_t expected[8] = {0xC0, 4, 0x03, 0x96, 0, 0, 64, 0};
  EXPECT_EQ(std::memcmp(seen, expected, 8), 0);
  ASSERT_EQ(transport->ControlIn(2, 0, reply), 0u);
  EXPECT_EQ(reply[0], 0);
  EXPECT_EQ(reply[63], 63);
  EXPECT_EQ(transport->ControlIn(2, 0, reply), kErrorBadCommand);
  EXPECT_EQ(reply[63], 63);
  EXPECT_EQ(transport->ControlIn(2, 0, reply), kErrorBadCommand);
}

// A peer that answers without ever taking the requests: once the socket
// buffers are full the program's send would wait for ever. Every transfer must
// come back within the transport's time limit, and the link then fails.
TEST(WireProtocol, APeerThatStopsReadingCannotHoldTheProgram) {
  std::atomic<bool> clientDone{false};
  FakeServer server([&](SocketStream& s) {
    auto d = Descriptor(0x13EF, 0xDBC2);
    s.WriteAll(d.data(), d.size());
    uint8_t answer[68] = {};
    answer[4] = 0x90;  // 400 rpm
    answer[5] = 0x01;
    while (!clientDone && s.WriteAll(answer, sizeof(answer))) {
    }
  });
  auto transport = MakeWireTransport("127.0.0.1", server.port(), 300);
  uint8_t d[18];
  ASSERT_TRUE(transport->Open(d));

  std::promise<std::pair<uint32_t, long>> result;
  std::thread client([&] {
    uint8_t reply[64];
    uint32_t error = 0;
    long transfers = 0;
    while (error == 0 && transfers < 50000000) {
      error = transport->ControlIn(kRequestMotorPower, 0, reply);
      ++transfers;
    }
    clientDone = true;
    result.set_value({error, transfers});
  });
  auto future = result.get_future();
  if (future.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
    // The send is stuck for good; nothing can unblock the thread.
    std::fprintf(stderr, "the wire client hangs on a peer that stops reading\n");
    std::_Exit(1);
  }
  client.join();
  auto [error, transfers] = future.get();
  EXPECT_EQ(error, kErrorBadCommand);
  EXPECT_GT(transfers, 1);
  uint8_t reply[64];
  EXPECT_EQ(transport->ControlIn(kRequestMotorPower, 0, reply), kErrorBadCommand);
}

TEST(WireProtocol, AddressParsing) {
  std::string host;
  int port = 0;
  ASSERT_TRUE(ParseWireAddress("127.0.0.1:47300", host, port));
  EXPECT_EQ(host, "127.0.0.1");
  EXPECT_EQ(port, 47300);
  ASSERT_TRUE(ParseWireAddress("localhost:1\r\n", host, port));
  EXPECT_EQ(host, "localhost");
  EXPECT_EQ(port, 1);
  for (const char* bad :
       {"", "127.0.0.1", ":47300", "host:", "host:0", "host:65536", "host:47a00", "host:123456"}) {
    EXPECT_FALSE(ParseWireAddress(bad, host, port)) << bad;
  }
}

}  // namespace
}  // namespace balancer

#endif  // _WIN32
