#include "sim/sim_config.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace balancer::sim {
namespace {

std::string Trim(const std::string& s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool ParseDouble(const std::string& text, double& out) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  errno = 0;
  char* end = nullptr;
  double v = std::strtod(t.c_str(), &end);
  if (errno != 0 || end != t.c_str() + t.size() || !std::isfinite(v)) return false;
  out = v;
  return true;
}

// Integers in decimal or 0x hex.
bool ParseLong(const std::string& text, long& out) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(t.c_str(), &end, 0);
  if (errno != 0 || end != t.c_str() + t.size()) return false;
  out = v;
  return true;
}

bool ParseDoubleList(const std::string& text, std::vector<double>& out) {
  out.clear();
  std::string item;
  std::stringstream ss(text);
  while (std::getline(ss, item, ',')) {
    double v = 0;
    if (!ParseDouble(item, v)) return false;
    out.push_back(v);
  }
  return !out.empty();
}

bool ParseIntList(const std::string& text, std::vector<int>& out) {
  out.clear();
  std::string item;
  std::stringstream ss(text);
  while (std::getline(ss, item, ',')) {
    long v = 0;
    if (!ParseLong(item, v) || v < 0 || v > 255) return false;
    out.push_back(static_cast<int>(v));
  }
  return !out.empty();
}

// Each handler returns "" on success or what was wrong with the value.
using Handler = std::function<std::string(SimConfig&, const std::string&)>;

Handler Real(double SimConfig::*field, double lo, double hi) {
  return [=](SimConfig& c, const std::string& v) -> std::string {
    double d = 0;
    if (!ParseDouble(v, d)) return "not a number";
    if (d < lo || d > hi) return "out of range";
    c.*field = d;
    return "";
  };
}

Handler Integer(int SimConfig::*field, long lo, long hi) {
  return [=](SimConfig& c, const std::string& v) -> std::string {
    long n = 0;
    if (!ParseLong(v, n)) return "not an integer";
    if (n < lo || n > hi) return "out of range";
    c.*field = static_cast<int>(n);
    return "";
  };
}

Handler Flag(bool SimConfig::*field) {
  return [=](SimConfig& c, const std::string& v) -> std::string {
    long n = 0;
    if (!ParseLong(v, n) || (n != 0 && n != 1)) return "must be 0 or 1";
    c.*field = n == 1;
    return "";
  };
}

Handler OptionalReal(std::optional<double> SimConfig::*field, double lo, double hi) {
  return [=](SimConfig& c, const std::string& v) -> std::string {
    if (Lower(Trim(v)) == "none") {
      (c.*field).reset();
      return "";
    }
    double d = 0;
    if (!ParseDouble(v, d)) return "not a number";
    if (d < lo || d > hi) return "out of range";
    c.*field = d;
    return "";
  };
}

const std::map<std::string, Handler>& Handlers() {
  static const std::map<std::string, Handler> handlers = {
      {"firmware",
       [](SimConfig& c, const std::string& v) -> std::string {
         long n = 0;
         if (!ParseLong(v, n)) return "not an integer";
         if (n < 0 || n > 0xFFFF) return "out of range";
         c.firmware = static_cast<uint16_t>(n);
         return "";
       }},
      {"eeprom_blank", Flag(&SimConfig::eepromBlank)},
      {"eeprom_flags", Integer(&SimConfig::eepromFlags, 0, 255)},
      {"eeprom_text",
       [](SimConfig& c, const std::string& v) -> std::string {
         std::string t = Trim(v);
         if (t.size() > 62) return "longer than 62 characters";
         c.eepromText = t;
         return "";
       }},
      {"option_port_type", Integer(&SimConfig::optionPortType, 0, 255)},
      {"max_rpm", Real(&SimConfig::maxRpm, 1.0, 30000.0)},
      {"motor_time_constant", Real(&SimConfig::motorTimeConstant, 0.001, 100.0)},
      {"breakaway_power", Integer(&SimConfig::breakawayPower, 0, 255)},
      {"hold_power", Integer(&SimConfig::holdPower, 0, 254)},
      {"coast_time_constant", Real(&SimConfig::coastTimeConstant, 0.01, 100000.0)},
      {"coast_friction", Real(&SimConfig::coastFriction, 0.0, 100000.0)},
      {"brake_decel", Real(&SimConfig::brakeDecel, 0.0, 1000000.0)},
      {"reverse", Flag(&SimConfig::reverse)},
      {"manual_drive_rpm", OptionalReal(&SimConfig::manualDriveRpm, -30000.0, 30000.0)},
      {"speed_noise_rpm", Real(&SimConfig::speedNoiseRpm, 0.0, 1000.0)},
      {"max_group_rate", Real(&SimConfig::maxGroupRate, 10.0, 1000000.0)},
      {"min_sample_rpm", Real(&SimConfig::minSampleRpm, 0.0, 10000.0)},
      {"transfer_us", Integer(&SimConfig::transferUs, 0, 10000000)},
      {"upright_spacing", Real(&SimConfig::uprightSpacing, 0.01, 10000.0)},
      {"left_plane", Real(&SimConfig::leftPlane, -10000.0, 10000.0)},
      {"right_plane",
       [](SimConfig& c, const std::string& v) -> std::string {
         double d = 0;
         if (!ParseDouble(v, d)) return "not a number";
         if (d < -10000.0 || d > 10000.0) return "out of range";
         c.rightPlane = d;
         return "";
       }},
      {"left_unbalance", Real(&SimConfig::leftUnbalance, 0.0, 1.0e6)},
      {"left_angle", Real(&SimConfig::leftAngle, -1.0e6, 1.0e6)},
      {"right_unbalance", Real(&SimConfig::rightUnbalance, 0.0, 1.0e6)},
      {"right_angle", Real(&SimConfig::rightAngle, -1.0e6, 1.0e6)},
      {"mass",
       [](SimConfig& c, const std::string& v) -> std::string {
         std::vector<double> parts;
         if (!ParseDoubleList(v, parts) || parts.size() != 4)
           return "needs grams, radius, angle, axial";
         if (parts[1] < 0) return "radius below 0";
         c.masses.push_back(PointMass{parts[0], parts[1], parts[2], parts[3]});
         return "";
       }},
      {"suspension",
       [](SimConfig& c, const std::string& v) -> std::string {
         std::string t = Lower(Trim(v));
         if (t == "hard" || t == "0") {
           c.suspension = Suspension::kHard;
         } else if (t == "soft" || t == "1") {
           c.suspension = Suspension::kSoft;
         } else {
           return "must be hard or soft";
         }
         return "";
       }},
      {"sensor_type",
       [](SimConfig& c, const std::string& v) -> std::string {
         std::string t = Lower(Trim(v));
         if (t == "lvdt" || t == "0") {
           c.sensorType = SensorType::kLvdt;
         } else if (t == "piezo" || t == "1") {
           c.sensorType = SensorType::kPiezo;
         } else if (t == "magnet-coil" || t == "2") {
           c.sensorType = SensorType::kMagnetCoil;
         } else if (t == "accelerometer" || t == "3") {
           c.sensorType = SensorType::kAccelerometer;
         } else {
           return "must be LVDT, Piezo, Magnet-Coil or Accelerometer";
         }
         return "";
       }},
      {"gain_left", Real(&SimConfig::gainLeft, 0.0, 1.0e6)},
      {"gain_right", Real(&SimConfig::gainRight, 0.0, 1.0e6)},
      {"electronics_delay_ms", Real(&SimConfig::electronicsDelayMs, 0.0, 1000.0)},
      {"phase_offset_left", Real(&SimConfig::phaseOffsetLeft, -360.0, 360.0)},
      {"phase_offset_right", Real(&SimConfig::phaseOffsetRight, -360.0, 360.0)},
      {"offset_left", Real(&SimConfig::offsetLeft, -4096.0, 4096.0)},
      {"offset_right", Real(&SimConfig::offsetRight, -4096.0, 4096.0)},
      {"noise", Real(&SimConfig::noise, 0.0, 4096.0)},
      {"noise_seed",
       [](SimConfig& c, const std::string& v) -> std::string {
         long n = 0;
         if (!ParseLong(v, n) || n < 0 || n > 0x7FFFFFFFL) return "not a seed";
         c.noiseSeed = static_cast<uint32_t>(n);
         return "";
       }},
      {"harmonic2", Real(&SimConfig::harmonic2, 0.0, 4096.0)},
      {"harmonic2_angle", Real(&SimConfig::harmonic2Angle, -1.0e6, 1.0e6)},
      {"harmonic3", Real(&SimConfig::harmonic3, 0.0, 4096.0)},
      {"harmonic3_angle", Real(&SimConfig::harmonic3Angle, -1.0e6, 1.0e6)},
      {"crosstalk", Real(&SimConfig::crosstalk, 0.0, 1.0)},
      {"option_encoder", Flag(&SimConfig::optionEncoder)},
      {"option_encoder_counts_per_inch",
       Real(&SimConfig::optionEncoderCountsPerInch, 0.001, 1.0e6)},
      {"option_encoder_position", Real(&SimConfig::optionEncoderPosition, -1.0e4, 1.0e4)},
      {"photo_eye_mark", Real(&SimConfig::photoEyeMark, -1.0e6, 1.0e6)},
      {"remote_start_at_ms", OptionalReal(&SimConfig::remoteStartAtMs, 0.0, 1.0e12)},
      {"remote_start_hold_ms", Real(&SimConfig::remoteStartHoldMs, 0.0, 1.0e9)},
      {"unplug_after_requests",
       [](SimConfig& c, const std::string& v) -> std::string {
         if (Lower(Trim(v)) == "none") {
           c.unplugAfterRequests.reset();
           return "";
         }
         long n = 0;
         if (!ParseLong(v, n) || n < 0) return "not a count";
         c.unplugAfterRequests = n;
         return "";
       }},
      {"unplug_at_ms", OptionalReal(&SimConfig::unplugAtMs, 0.0, 1.0e12)},
      {"replug_after_ms", OptionalReal(&SimConfig::replugAfterMs, 0.0, 1.0e12)},
      {"fail_requests",
       [](SimConfig& c, const std::string& v) -> std::string {
         if (Lower(Trim(v)) == "none") {
           c.failRequests.clear();
           return "";
         }
         if (!ParseIntList(v, c.failRequests)) return "needs request codes 0..255";
         return "";
       }},
      {"fail_every",
       [](SimConfig& c, const std::string& v) -> std::string {
         long n = 0;
         if (!ParseLong(v, n) || n < 0) return "not a count";
         c.failEvery = n;
         return "";
       }},
      {"fail_error",
       [](SimConfig& c, const std::string& v) -> std::string {
         long n = 0;
         if (!ParseLong(v, n) || n < 1 || n > 0x7FFFFFFFL) return "not an error code";
         c.failError = static_cast<uint32_t>(n);
         return "";
       }},
      {"stall_requests",
       [](SimConfig& c, const std::string& v) -> std::string {
         if (Lower(Trim(v)) == "none") {
           c.stallRequests.clear();
           return "";
         }
         if (!ParseIntList(v, c.stallRequests)) return "needs request codes 0..255";
         return "";
       }},
      {"stall_every",
       [](SimConfig& c, const std::string& v) -> std::
                                                  string {
                                                    long n = 0;
                                                    if (!ParseLong(v, n) || n < 0)
                                                      return "not a count";
                                                    c.stallEvery = n;
                                                    return "";
                                                  }},
      {"stall_ms", Real(&SimConfig::stallMs, 0.0, 1.0e7)},
      {"transfer_timeout_ms", Real(&SimConfig::transferTimeoutMs, 1.0, 1.0e7)},
      {"workshop_seed",
       [](SimConfig& c, const std::string& v) -> std::string {
         if (Lower(Trim(v)) == "none") {
           c.workshopSeed.reset();
           return "";
         }
         long n = 0;
         if (!ParseLong(v, n) || n < 0 || n > 0x7FFFFFFFL) return "not a seed";
         c.workshopSeed = static_cast<uint32_t>(n);
         return "";
       }},
      {"workshop_angle_error", Real(&SimConfig::workshopAngleError, 0.0, 45.0)},
      {"workshop_amount_error", Real(&SimConfig::workshopAmountError, 0.0, 50.0)},
  };
  return handlers;
}

}  // namespace

bool ApplySimConfigLine(SimConfig& config, const std::string& rawLine, std::string& error) {
  std::string line = rawLine;
  size_t hash = line.find('#');
  if (hash != std::string::npos) line.erase(hash);
  line = Trim(line);
  if (line.empty()) return true;
  size_t eq = line.find('=');
  if (eq == std::string::npos) {
    error = "expected key = value: " + line;
    return false;
  }
  std::string key = Lower(Trim(line.substr(0, eq)));
  std::string value = Trim(line.substr(eq + 1));
  auto it = Handlers().find(key);
  if (it == Handlers().end()) {
    error = "unknown key '" + key + "'";
    return false;
  }
  std::string problem = it->second(config, value);
  if (!problem.empty()) {
    error = key + ": " + problem + " ('" + value + "')";
    return false;
  }
  return true;
}

bool ValidateSimConfig(const SimConfig& c, std::string& error) {
  if (c.holdPower >= c.breakawayPower && c.breakawayPower > 0) {
    error = "hold_power must be below breakaway_power";
    return false;
  }
  if (c.holdPower >= 255) {
    error = "hold_power must be below 255";
    return false;
  }
  return true;
}

bool ParseSimConfig(SimConfig& config, const std::string& text, std::string& error) {
  std::stringstream ss(text);
  std::string line;
  int number = 0;
  while (std::getline(ss, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string problem;
    if (!ApplySimConfigLine(config, line, problem)) {
      char prefix[32];
      std::snprintf(prefix, sizeof(prefix), "line %d: ", number);
      error = prefix + problem;
      return false;
    }
  }
  return ValidateSimConfig(config, error);
}

bool LoadSimConfigFile(SimConfig& config, const std::string& path, std::string& error) {
  if (path.empty()) return true;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open machine file " + path;
    return false;
  }
  std::stringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) {
    error = "cannot read machine file " + path;
    return false;
  }
  std::string problem;
  if (!ParseSimConfig(config, buffer.str(), problem)) {
    error = path + ": " + problem;
    return false;
  }
  return true;
}

}  // namespace balancer::sim
