#include "sim/rotor_state.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "records/atomic_file.h"

namespace balancer::sim {

namespace {

constexpr const char* kHeader = "# simulated shaft";

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

bool Numbers(const std::string& text, size_t count, std::vector<double>& out) {
  out.clear();
  std::stringstream ss(text);
  std::string item;
  while (std::getline(ss, item, ',')) {
    std::string t = Trim(item);
    if (t.empty()) return false;
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(t.c_str(), &end);
    if (errno != 0 || end != t.c_str() + t.size() || !std::isfinite(v)) return false;
    out.push_back(v);
  }
  return out.size() == count;
}

bool Count(const std::string& text, long max, long& out) {
  std::string t = Trim(text);
  if (t.empty() || t.size() > 10) return false;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
  }
  out = std::strtol(t.c_str(), nullptr, 10);
  return out <= max;
}

// Round-trips a double exactly.
std::string Exact(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

}  // namespace

std::string RotorStatePath(const std::string& machineFile) {
  return machineFile + ".rotor";
}

std::string RotorStateText(const RotorState& state) {
  std::string text = std::string(kHeader) + "\n";
  if (state.seed) text += "seed = " + std::to_string(*state.seed) + "\n";
  text += "corrections = " + std::to_string(state.corrections) + "\n";
  if (state.haveLastSpin) {
    text += "last_spin = " + Exact(state.lastLeft.amount) + ", " + Exact(state.lastLeft.angle) +
            ", " + Exact(state.lastRight.amount) + ", " + Exact(state.lastRight.angle) + "\n";
  }
  for (const PointMass& m : state.added) {
    text += "mass = " + Exact(m.grams) + ", " + Exact(m.radius) + ", " + Exact(m.angle) + ", " +
            Exact(m.axial) + "\n";
  }
  text += "end = " + std::to_string(state.added.size()) + "\n";
  return text;
}

bool ParseRotorState(const std::string& text, RotorState& out, std::string& error) {
  RotorState state;
  std::stringstream ss(text);
  std::string line;
  int number = 0;
  bool ended = false;
  auto fail = [&](const std::string& what) {
    error = "line " + std::to_string(number) + ": " + what;
    return false;
  };
  while (std::getline(ss, line)) {
    ++number;
    line = Trim(line);
    if (number == 1) {
      if (line != kHeader) return fail("not a simulated shaft file");
      continue;
    }
    if (line.empty()) continue;
    if (ended) return fail("text after the end line");
    size_t eq = line.find('=');
    if (eq == std::string::npos) return fail("expected key = value");
    std::string key = Trim(line.substr(0, eq));
    std::string value = Trim(line.substr(eq + 1));
    std::vector<double> v;
    long n = 0;
    if (key == "seed") {
      if (!Count(value, 0x7FFFFFFFL, n)) return fail("seed: not a seed");
      state.seed = static_cast<uint32_t>(n);
    } else if (key == "corrections") {
      if (!Count(value, 1000000L, n)) return fail("corrections: not a count");
      state.corrections = static_cast<uint32_t>(n);
    } else if (key == "last_spin") {
      if (!Numbers(value, 4, v) || v[0] < 0.0 || v[2] < 0.0) {
        return fail("last_spin: needs two amounts and angles");
      }
      state.haveLastSpin = true;
      state.lastLeft = {v[0], v[1]};
      state.lastRight = {v[2], v[3]};
    } else if (key == "mass") {
      if (!Numbers(value, 4, v) || v[1] < 0.0) {
        return fail("mass: needs grams, radius, angle, axial");
      }
      state.added.push_back({v[0], v[1], v[2], v[3]});
    } else if (key == "end") {
      if (!Count(value, 1000000L, n) || static_cast<size_t>(n) != state.added.size()) {
        return fail("the number of masses does not match");
      }
      ended = true;
    } else {
      return fail("unknown key '" + key + "'");
    }
  }
  if (number == 0) return fail("empty file");
  if (!ended) return fail("the file is cut off (no end line)");
  out = state;
  return true;
}

bool LoadRotorState(const std::string& path, RotorState& state, std::string& error) {
  std::FILE* probe = std::fopen(path.c_str(), "rb");
  if (probe == nullptr) {
    if (errno == ENOENT) {
      state = RotorState();
      return true;
    }
    error = "cannot open the simulated shaft file " + path;
    return false;
  }
  std::fclose(probe);
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) {
    error = "cannot read the simulated shaft file " + path;
    return false;
  }
  std::string problem;
  if (!ParseRotorState(*text, state, problem)) {
    error = "the simulated shaft file " + path + " is damaged, " + problem +
            "; delete it to start again from the machine file";
    return false;
  }
  return true;
}

bool SaveRotorState(const std::string& path, const RotorState& state, std::string& error) {
  if (!WriteFileAtomically(path, RotorStateText(state))) {
    error = "cannot write the simulated shaft file " + path;
    return false;
  }
  return true;
}

}  // namespace balancer::sim
