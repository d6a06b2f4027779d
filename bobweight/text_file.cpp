#include "bobweight/text_file.h"

#include <cctype>

#include "records/number_text.h"

namespace balancer {

std::string ToFileLineEnds(const std::string& text) {
#ifdef _WIN32
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
#else
  return text;
#endif
}

std::string FromFileLineEnds(const std::string& bytes) {
  size_t firstEnd = bytes.find('\n');
  if (firstEnd == std::string::npos || firstEnd == 0 || bytes[firstEnd - 1] != '\r') return bytes;
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    out += bytes[i];
  }
  return out;
}

bool LeadingNumber(const std::string& text, double& value) {
  size_t pos = 0;
  return ReadFiniteNumber(text, pos, value);
}

bool CardScanner::ReadNumber(double& value) {
  while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  size_t end = pos_;
  while (end < text_.size() && !std::isspace(static_cast<unsigned char>(text_[end]))) ++end;
  std::string word = text_.substr(pos_, end - pos_);
  double read = 0;
  bool ok = LeadingNumber(word, read);
  pos_ = end;
  if (ok) value = read;
  return ok;
}

bool CardScanner::ReadNumber(double& value, double low, double high) {
  double read = value;
  if (!ReadNumber(read) || !NumberInRange(read, low, high)) return false;
  value = read;
  return true;
}

std::string CardScanner::ReadWord() {
  while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  size_t end = pos_;
  while (end < text_.size() && !std::isspace(static_cast<unsigned char>(text_[end]))) ++end;
  std::string word = text_.substr(pos_, end - pos_);
  pos_ = end;
  return word;
}

std::string CardScanner::ReadLine() {
  return ReadUntil('\n');
}

std::string CardScanner::ReadUntil(char stop) {
  size_t end = text_.find(stop, pos_);
  if (end == std::string::npos) end = text_.size();
  std::string part = text_.substr(pos_, end - pos_);
  pos_ = end < text_.size() ? end + 1 : end;
  return part;
}

}  // namespace balancer
