// Helpers shared by the fuzz targets: a failed check aborts, so that the
// fuzzer keeps the input that caused it.
#pragma once

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace balancer::fuzz {

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, file, line);
  std::abort();
}

#define FUZZ_REQUIRE(condition) \
  ((condition) ? (void)0 : ::balancer::fuzz::Fail(#condition, __FILE__, __LINE__))

inline bool Finite(double v) {
  return std::isfinite(v);
}
inline bool InRange(double v, double lo, double hi) {
  return std::isfinite(v) && v >= lo && v <= hi;
}

inline std::string Lower(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// True when a writer's text prints no number as nan or inf. A word that the
// input itself carries (a name that happens to read "nan") does not count.
inline bool PrintsOnlyFiniteNumbers(const std::string& written, const std::string& input) {
  const std::string in = Lower(input);
  size_t i = 0;
  while (i < written.size()) {
    while (i < written.size() && std::isspace(static_cast<unsigned char>(written[i]))) ++i;
    size_t start = i;
    while (i < written.size() && !std::isspace(static_cast<unsigned char>(written[i]))) ++i;
    std::string word = Lower(written.substr(start, i - start));
    std::string bare = word;
    if (!bare.empty() && (bare[0] == '-' || bare[0] == '+')) bare.erase(0, 1);
    if (bare == "nan" || bare == "inf" || bare == "infinity" || bare.rfind("nan(", 0) == 0) {
      if (in.find(bare) == std::string::npos) return false;
    }
  }
  return true;
}

// Two writes with the same number of lines: no field moved to another line.
inline bool SameLineCount(const std::string& a, const std::string& b) {
  return std::count(a.begin(), a.end(), '\n') == std::count(b.begin(), b.end(), '\n');
}

inline std::string Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace balancer::fuzz
