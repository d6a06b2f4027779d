#include "records/text_scanner.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "records/number_text.h"

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
  return ReadFiniteNumber(text_, pos_, value);
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

bool TextScanner::ReadField(size_t maxLength, std::string& field) {
  field.clear();
  if (pos_ >= text_.size()) return false;
  size_t end = text_.find('\n', pos_);
  size_t next = end == std::string::npos ? text_.size() : end + 1;
  if (end == std::string::npos) end = text_.size();
  if (end > pos_ && text_[end - 1] == '\r') --end;
  // The whole line goes, whatever its length: what does not fit the field is
  // dropped, never handed to the next field.
  field = text_.substr(pos_, std::min(end - pos_, maxLength));
  pos_ = next;
  return true;
}

void TextScanner::SkipRestOfLine() {
  while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
  if (pos_ < text_.size()) ++pos_;
}

}  // namespace balancer
