// fuzz_seeds DIR: writes the seed inputs of every fuzz target into
// DIR/<target>/, made by the program's own writers and the simulated control
// and scale, so that no binary seed has to be kept in the repository.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/proving_test.h"
#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "bobweight/bobweight_card.h"
#include "bobweight/bobweight_files.h"
#include "device/clock.h"
#include "device/control_commands.h"
#include "device/control_config.h"
#include "measure/sensor_map.h"
#include "records/history.h"
#include "records/presets.h"
#include "records/settings_file.h"
#include "sim/sim_config.h"
#include "sim/sim_scale.h"
#include "sim/simulated_control.h"

using namespace balancer;

namespace {

std::string gRoot;

void Write(const std::string& target, const std::string& name, const std::string& bytes) {
  std::string dir = gRoot + "/" + target;
  mkdir(dir.c_str(), 0755);
  std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
}

std::string Bytes(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

void SettingsSeeds() {
  MachineSettings s;
  Write("settings_fuzz", "defaults.dta", FormatSettings(s));
  s.twoPlaneMode = 0;
  s.weightUnit = 1;
  s.lengthUnit = 1;
  s.speedControl = 1;
  s.shaftRpm = 800;
  s.calibrationFactorLeft = 3.25;
  Write("settings_fuzz", "changed.dta", FormatSettings(s));
  Write("presets_fuzz", "defaults.jsi", FormatPreset(MachineSettings{}));
  Write("presets_fuzz", "changed.jsi", FormatPreset(s));
}

void HistorySeeds() {
  History h;
  MachineSettings s;
  RecordingOperatorUi ui;
  CurrentResult r{12.5, 30.0, 3.5, 40.0, 200.0, 3.5};
  SaveInitial(h, s, r, ui);
  for (int i = 0; i < 5; ++i) {
    r.leftMoment /= 3.0;
    r.rightMoment /= 4.0;
    r.leftAngle += 17.0;
    AppendSpin(h, r, 1);
  }
  Write("history_fuzz", "job.hst", FormatHistory(h));
  Write("history_fuzz", "empty.hst", FormatHistory(History{}));
}

void BobweightSeeds() {
  BobweightCard card;
  card.jobName = "JOB 1";
  card.jobNotes = "first line\r\nsecond line";
  card.rodTotalWeight = 612.4;
  card.pistonWeight = 480.0;
  card.pinWeight = 120.5;
  Write("bobweight_files_fuzz", "card.bwi", std::string(1, '\0') + FormatBwi(card));
  RodPistonSet set;
  for (int i = 0; i < 8; ++i) {
    set.rodTotals[i] = 600.0 + i;
    set.pistons[i] = 480.0 - i;
    set.pinNumbers[i] = i + 1;
  }
  Write("bobweight_files_fuzz", "card.bme", std::string(1, '\1') + FormatBme(set));
  Write("engine_list_fuzz", "bwinfo.txt",
        "ENGINE LIST\nline 2\nline 3\nline 4\nline 5\n"
        "^V-8^\n"
        "SBC 350^50^100^2^i^small block\n"
        "BBC 454^50^100^2^e^\n"
        "V-6 90^46^100^1^^odd fire\n");
}

void SideFileSeeds() {
  Write("side_files_fuzz", "preload.txt",
        "\x01"
        "12.5 30.0 8.0 200.0 10 350 20 340\n");
  Write("side_files_fuzz", "company.txt",
        std::string("\x00", 1) + "Crank Shop\r\nMain Street 1\r\n");
  SensorMap map;
  SensorMapDefaults(map);
  std::string text = "speed left-gain left-phase right-gain right-phase spare spare\n";
  double sum = 0.0;
  for (int row = 0; row < map.rowCount; ++row) {
    double rowSum = map.column[0][row];
    char line[256];
    int n = std::snprintf(line, sizeof line, "%g", map.column[0][row]);
    for (int c = 1; c < kSensorMapColumns; ++c) {
      n += std::snprintf(line + n, sizeof line - n, " %g", map.column[c][row]);
      rowSum += map.column[c][row];
    }
    sum += rowSum;
    text += std::string(line) + "\n";
  }
  char checksum[64];
  std::snprintf(checksum, sizeof checksum, "%.17g\n", sum);
  Write("sensor_map_fuzz", "sensormap.dta", text + checksum);
}

void ScaleSeeds() {
  for (int model = 1; model <= kScaleModelCount; ++model) {
    for (double grams : {0.0, 612.4, -3.5}) {
      std::string name =
          "model" + std::to_string(model) + "_" + std::to_string(static_cast<int>(grams * 10));
      Write("scale_reply_fuzz", name, SimScaleCore::ReplyText(model, grams, true));
    }
  }
  Write("scale_reply_fuzz", "error", SimScaleCore::ErrorReplyText());
}

void ControlSeeds() {
  // EEPROM records of the configuration as the program prints them.
  for (int variant = 0; variant < 2; ++variant) {
    ControlConfig c;
    if (variant == 1) {
      c.lagCompensationLeft = -2.5;
      c.calibrationFactorRight = 1.8765;
      c.sensorType = 2;
      c.suspension = 1;
    }
    uint8_t block[kReplySize] = {};
    char text[kReplySize] = {};
    PrintConfigText(c, text, sizeof text);
    std::memcpy(block, text, sizeof text);
    block[0] = BuildConfigFlagsByte(c);
    Write("control_config_fuzz", "record" + std::to_string(variant), Bytes(block, sizeof block));
  }

  // A spin's worth of the simulated control's replies, in the replay format:
  // firmware byte, settings byte, then per transfer a control byte and the
  // reply (64 bytes for samples, 4 for the rest). Requests alternate speed
  // and samples as the acquisition asks for them.
  for (double rpm : {500.0, 230.0}) {
    sim::SimConfig config;
    config.manualDriveRpm = rpm;
    VirtualClock clock;
    sim::SimulatedControl control(clock, config);
    std::string replay;
    replay += static_cast<char>(2);      // firmware 3.04
    replay += static_cast<char>(1 * 3);  // manual, quality 2
    uint8_t reply[kReplySize];
    for (int i = 0; i < 6; ++i) {
      control.Transfer(kRequestMotorPower, 0, reply);
      replay += '\0';
      replay += Bytes(reply, 4);
    }
    for (int i = 0; i < 400; ++i) {
      clock.AdvanceMicros(1500);
      control.Transfer(kRequestAngleAndSamples, 0, reply);
      replay += '\0';
      replay += Bytes(reply, kReplySize);
      if (i == 0)
        Write("sample_packet_fuzz", "packet" + std::to_string(static_cast<int>(rpm)),
              std::string(4, '\0') + Bytes(reply, kReplySize));
    }
    Write("spin_replay_fuzz", "sim" + std::to_string(static_cast<int>(rpm)), replay);
  }

  // The wire: the simulated control's descriptor and answers.
  {
    sim::SimConfig config;
    config.manualDriveRpm = 400.0;
    VirtualClock clock;
    sim::SimulatedControl control(clock, config);
    uint8_t descriptor[kDeviceDescriptorSize];
    control.ReadDescriptor(descriptor);
    std::string wire = Bytes(descriptor, sizeof descriptor);
    for (int i = 0; i < 4; ++i) {
      uint8_t answer[4 + kReplySize] = {};
      clock.AdvanceMicros(2000);
      uint32_t status = control.Transfer(kRequestAngleAndSamples, 0, answer + 4);
      answer[0] = static_cast<uint8_t>(status);
      wire += Bytes(answer, sizeof answer);
    }
    Write("wire_client_fuzz", "session", wire);
  }

  // The simulator's own machine files are plain text: the defaults
  // spelled out.
  Write("sim_config_fuzz", "plain.sim",
        "firmware = 0x0304\nmanual_drive_rpm = 500\nleft_unbalance = 40\nleft_angle = 30\n"
        "mass = 10, 3.5, 90, 5\nsuspension = soft\nsensor_type = Piezo\nnoise = 0.5\n");
}

void NumberEntrySeeds() {
  const char* texts[] = {"12.5", "1/2", "3 1/4", "-7", "0", "1e3", "  42  "};
  int codes[] = {1, 2, 10, 20, 40, 100, 127, 150, 248, 270};
  int n = 0;
  for (int code : codes) {
    for (const char* text : texts) {
      std::string seed;
      seed += static_cast<char>(code & 0xFF);
      seed += static_cast<char>(code >> 8);
      seed += text;
      Write("number_entry_fuzz", "entry" + std::to_string(n++), seed);
    }
  }
}

void ProvingSeeds() {
  ProvingSetup setup;
  setup.massGrams = 20.0;
  setup.radiusInches = 2.0;
  ProvingTest test(setup);
  test.Record({40.0, 30.0}, {25.0, 210.0});
  for (int i = 0; i < kProvingPositions; ++i) {
    // The shaft's own unbalance gone, the test mass seen a little off.
    test.Record({40.0 + 0.1 * i, 30.0 * i + 0.3}, {0.2, 90.0});
  }
  test.Record({41.0, 5.0}, {20.0, 200.0});
  test.Advance();
  test.Record({0.4, 100.0}, {0.3, 20.0});
  std::tm when{};
  when.tm_year = 126;
  when.tm_mday = 9;
  Write("proving_report_fuzz", "grams.txt",
        ProvingReportText(setup, test.Result(), when, 0, 0x304));
  Write("proving_report_fuzz", "ounces.txt", ProvingReportText(setup, test.Result(), when, 1));
  setup.urr = false;
  setup.plane = ProvingPlane::kRight;
  ProvingTest part(setup);
  part.Record({1.0, 0.0}, {1.0, 0.0});
  part.Record({1.0, 0.0}, {30.0, 10.0});
  Write("proving_report_fuzz", "partial.txt", ProvingReportText(setup, part.Result(), when, 0));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
    return 2;
  }
  gRoot = argv[1];
  mkdir(gRoot.c_str(), 0755);
  SettingsSeeds();
  HistorySeeds();
  BobweightSeeds();
  SideFileSeeds();
  ScaleSeeds();
  ControlSeeds();
  NumberEntrySeeds();
  ProvingSeeds();
  return 0;
}
