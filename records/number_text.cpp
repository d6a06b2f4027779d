#include "records/number_text.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace balancer {

namespace {

bool IsDigitAt(const std::string& text, size_t i) {
  return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0;
}

}  // namespace

size_t DecimalNumberLength(const std::string& text, size_t pos) {
  size_t i = pos;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (IsDigitAt(text, i)) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (IsDigitAt(text, i)) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (IsDigitAt(text, j)) {
      while (IsDigitAt(text, j)) ++j;
      i = j;
    }
  }
  return i - pos;
}

bool ReadFiniteNumber(const std::string& text, size_t& pos, double& value) {
  size_t start = pos;
  while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
  size_t length = DecimalNumberLength(text, start);
  if (length == 0) return false;
  // A copy of just the number, so strtod cannot read past it (hex, inf).
  double read = std::strtod(text.substr(start, length).c_str(), nullptr);
  if (!std::isfinite(read)) return false;
  value = read;
  pos = start + length;
  return true;
}

bool ParseFiniteNumber(const std::string& text, double& value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
  size_t pos = 0;
  double read = 0.0;
  if (!ReadFiniteNumber(text, pos, read) || pos != text.size()) return false;
  value = read;
  return true;
}

int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace balancer
