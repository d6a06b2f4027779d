#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/control_sim_address.h"
#include "app/status_field.h"
#include "base/program_folder.h"

namespace balancer {
namespace {

TEST(StatusField, NoControlShowsNoHardwareInRedWhateverElseIsGoingOn) {
  for (bool spin : {false, true}) {
    for (bool freeRun : {false, true}) {
      StatusFieldView v = DecideStatusField(false, 123, spin, freeRun);
      EXPECT_TRUE(v.drawText);
      EXPECT_TRUE(v.red);
      EXPECT_EQ(v.text, "No Hardware");
    }
  }
}

TEST(StatusField, AngleWithDegreeSignRedOnlyAtQuarterPositions) {
  StatusFieldView v = DecideStatusField(true, 91, false, false);
  EXPECT_TRUE(v.drawText);
  EXPECT_FALSE(v.red);
  EXPECT_EQ(v.text, "91\xB0");
  for (int quarter : {0, 90, 180, 270})
    EXPECT_TRUE(DecideStatusField(true, quarter, false, false).red);
  for (int other : {1, 89, 179, 359})
    EXPECT_FALSE(DecideStatusField(true, other, false, false).red);
  EXPECT_EQ(DecideStatusField(true, 0, false, false).text, "0\xB0");
  EXPECT_EQ(DecideStatusField(true, 359, false, false).text, "359\xB0");
}

TEST(StatusField, NothingDrawnDuringSpinOrFreeRun) {
  EXPECT_FALSE(DecideStatusField(true, 45, true, false).drawText);
  EXPECT_FALSE(DecideStatusField(true, 45, false, true).drawText);
}

TEST(ProgramFolder, JoinsInTheFolderOwnStyle) {
  ProgramFolder windows;
  EXPECT_EQ(windows.File("balsetup.dta"), "C:\\balancer\\balsetup.dta");
  EXPECT_EQ(ProgramFolder{"/tmp/run"}.File("controlsim.txt"), "/tmp/run/controlsim.txt");
  EXPECT_EQ(ProgramFolder{"/tmp/run/"}.File("a.txt"), "/tmp/run/a.txt");
  EXPECT_EQ(ProgramFolder{"D:\\"}.File("a.txt"), "D:\\a.txt");
  EXPECT_EQ(ProgramFolder{"C:/mixed\\dir"}.File("a.txt"), "C:/mixed\\dir\\a.txt");
  EXPECT_EQ(ProgramFolder{""}.File("a.txt"), "a.txt");
#ifndef _WIN32
  // A relative folder without separators is a POSIX path on a native build.
  EXPECT_EQ(ProgramFolder{"."}.File("balsetup.dta"), "./balsetup.dta");
#endif
}

TEST(ControlSimAddress, ParsesHostAndPortWithLineNoise) {
  std::string host;
  int port = 0;
  ASSERT_TRUE(ParseControlSimAddress("127.0.0.1:47300", host, port));
  EXPECT_EQ(host, "127.0.0.1");
  EXPECT_EQ(port, 47300);
  ASSERT_TRUE(ParseControlSimAddress("  localhost:1\r\nignored:2\n", host, port));
  EXPECT_EQ(host, "localhost");
  EXPECT_EQ(port, 1);
  ASSERT_TRUE(ParseControlSimAddress("::1:65535", host, port));
  EXPECT_EQ(host, "::1");
  EXPECT_EQ(port, 65535);
}

TEST(ControlSimAddress, RejectsDamagedTextAndKeepsOutputs) {
  std::string host = "keep";
  int port = 7;
  for (const char* bad : {"", "\n", "127.0.0.1", ":47300", "host:", "host:0", "host:65536",
                          "host:99999999999", "host:12a", "host:-1", "my host:80", "host: 80"}) {
    EXPECT_FALSE(ParseControlSimAddress(bad, host, port)) << bad;
  }
  EXPECT_FALSE(ParseControlSimAddress(std::string(256, 'h') + ":80", host, port));
  EXPECT_TRUE(ParseControlSimAddress(std::string(255, 'h') + ":80", host, port));
  EXPECT_EQ(port, 80);
  host = "keep";
  port = 7;
  EXPECT_FALSE(ParseControlSimAddress("x:0", host, port));
  EXPECT_EQ(host, "keep");
  EXPECT_EQ(port, 7);
}

}  // namespace
}  // namespace balancer

namespace balancer {
namespace {

TEST(ControlSimAddress, ReadsTheFileWholeAndToleratesItsAbsence) {
  std::string path = ::testing::TempDir() + "controlsim_address_test.txt";
  std::string host;
  int port = 0;
  std::remove(path.c_str());
  EXPECT_FALSE(ReadControlSimAddress(path, host, port));
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("127.0.0.1:47301\n", f);
  std::fclose(f);
  ASSERT_TRUE(ReadControlSimAddress(path, host, port));
  EXPECT_EQ(host, "127.0.0.1");
  EXPECT_EQ(port, 47301);
  // A file of garbage far longer than an address is refused, not overrun.
  f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::string junk(5000, 'x');
  std::fputs(junk.c_str(), f);
  std::fclose(f);
  EXPECT_FALSE(ReadControlSimAddress(path, host, port));
  std::remove(path.c_str());
}

}  // namespace
}  // namespace balancer
