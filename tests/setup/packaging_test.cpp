// What the installation medium ships: a list that setup reads, naming only
// files the medium has, and sample files the program loads without a word.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "bobweight/engine_list.h"
#include "measure/sensor_map.h"
#include "records/side_files.h"
#include "setup/setup_list.h"

namespace balancer {
namespace {

std::string Packaging(const std::string& name) {
  return std::string(BALANCER_SOURCE_DIR) + "/packaging/" + name;
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(Packaging, TheListReadsAndNamesWhatTheMediumHolds) {
  std::ifstream in(Packaging("setuplist.txt"), std::ios::binary);
  SetupList list;
  ASSERT_EQ(ReadSetupList(in, list), SetupListStatus::kOk);
  EXPECT_EQ(list.folders.size(), 4u);
  // The programs and the manual come from the build; everything else from packaging/.
  const std::set<std::string> built = {"balancer.exe", "balancer.chm",
                                       "drivers\\amd64\\usbprep64.exe",
                                       "drivers\\x86\\usbprep32.exe"};
  bool desktop = false;
  for (const SetupListEntry& file : list.files) {
    EXPECT_TRUE(EntryApplies(file, 1, 5) || EntryApplies(file, 1, 6)) << file.path;
    desktop = desktop || file.type == kEntryDesktop;
    if (built.count(file.path) != 0) continue;
    std::string path = file.path;
    for (char& c : path) c = c == '\\' ? '/' : c;
    const bool inSamples = std::ifstream(Packaging("samples/" + path)).good();
    EXPECT_TRUE(inSamples || std::ifstream(Packaging(path)).good()) << file.path;
  }
  EXPECT_TRUE(desktop);
}

TEST(Packaging, ThePreInstallersAreCopiedForVistaAndLaterOnly) {
  std::ifstream in(Packaging("setuplist.txt"), std::ios::binary);
  SetupList list;
  ASSERT_EQ(ReadSetupList(in, list), SetupListStatus::kOk);
  for (const SetupListEntry& file : list.files) {
    if (file.path.find("usbprep") == std::string::npos) continue;
    EXPECT_FALSE(EntryApplies(file, 1, 5)) << file.path;
    EXPECT_TRUE(EntryApplies(file, 2, 10)) << file.path;
  }
}

TEST(Packaging, TheSampleFilesLoad) {
  EngineList engines = ParseEngineList(Contents(Packaging("samples/bwinfo.txt")));
  ASSERT_GT(engines.rows.size(), 5u);
  EXPECT_TRUE(engines.rows[0].heading);
  EXPECT_EQ(engines.rows[1].name, "V-8 cross plane");

  SensorMap map;
  double sum = 0.0, checksum = 0.0;
  EXPECT_EQ(ParseSensorMap(Contents(Packaging("samples/sensormap.dta")), map, sum, checksum),
            SensorMapParse::kOk);
  EXPECT_EQ(sum, checksum);

  EXPECT_TRUE(ParsePreload(Contents(Packaging("samples/preload.txt")), 0).has_value());
}

TEST(Packaging, TheDriverPackageNamesTheControl) {
  const std::string inf = Contents(Packaging("drivers/ZerOziZur.inf"));
  EXPECT_NE(inf.find("USB\\VID_13EF&PID_DBC2"), std::string::npos);
  EXPECT_NE(inf.find("Include = winusb.inf"), std::string::npos);
  EXPECT_NE(inf.find("DeviceInterfaceGUIDs"), std::string::npos);
}

}  // namespace
}  // namespace balancer
