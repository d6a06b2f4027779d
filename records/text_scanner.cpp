#include "records/text_scanner.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace balancer {

void TextScanner::SkipWhite() {
  while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
}

bool TextScanner::Int(int& value) {
  SkipWhite();
  if (pos_ >= text_.size()) return false;
  const char* start = text_.c_str() + pos_;
  char* end = nullptr;
  long long parsed = std::strtoll(start, &end, 10);
  if (end == start) return false;
  pos_ += static_cast<size_t>(end - start);
  if (parsed > INT_MAX) parsed = INT_MAX;
  if (parsed < INT_MIN) parsed = INT_MIN;
  value = static_cast<int>(parsed);
  return true;
}

bool TextScanner::Double(double& value) {
  SkipWhite();
  if (pos_ >= text_.size()) return false;
  const char* start = text_.c_str() + pos_;
  // Plain decimal numbers only: no hex, inf or nan.
  const char* p = start;
  if (*p == '+' || *p == '-') ++p;
  if (!std::isdigit(static_cast<unsigned char>(*p)) &&
      !(*p == '.' && std::isdigit(static_cast<unsigned char>(p[1])))) {
    return false;
  }
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    // strtod would read a hex float; a scanf of an old file reads the 0.
    value = 0.0;
    pos_ += static_cast<size_t>(p + 1 - start);
    return true;
  }
  char* end = nullptr;
  double parsed = std::strtod(start, &end);
  if (end == start || !std::isfinite(parsed)) return false;
  pos_ += static_cast<size_t>(end - start);
  value = parsed;
  return true;
}

bool TextScanner::ReadLine(size_t bufferSize, std::string& line) {
  line.clear();
  if (pos_ >= text_.size() || bufferSize < 2) return false;
  while (pos_ < text_.size() && line.size() < bufferSize - 1) {
    char c = text_[pos_++];
    line += c;
    if (c == '\n') break;
  }
  return true;
}

void TextScanner::SkipRestOfLine() {
  while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
  if (pos_ < text_.size()) ++pos_;
}

}  // namespace balancer
