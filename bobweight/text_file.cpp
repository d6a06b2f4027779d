#include "bobweight/text_file.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

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
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  // Copy what can belong to a number so strtod never runs past the text.
  std::string word;
  size_t j = i;
  if (j < text.size() && (text[j] == '+' || text[j] == '-')) word += text[j++];
  bool digits = false;
  while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
    word += text[j++];
    digits = true;
  }
  if (j < text.size() && text[j] == '.') {
    word += text[j++];
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
      word += text[j++];
      digits = true;
    }
  }
  if (!digits) return false;
  if (j < text.size() && (text[j] == 'e' || text[j] == 'E')) {
    size_t k = j + 1;
    std::string exponent = "e";
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) exponent += text[k++];
    if (k < text.size() && std::isdigit(static_cast<unsigned char>(text[k]))) {
      while (k < text.size() && std::isdigit(static_cast<unsigned char>(text[k]))) {
        exponent += text[k++];
      }
      word += exponent;
    }
  }
  // A number too large for a double (1e999) is no number: it would carry inf
  // into the card and its results.
  double read = std::strtod(word.c_str(), nullptr);
  if (!std::isfinite(read)) return false;
  value = read;
  return true;
}

bool TextScanner::ReadNumber(double& value) {
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

std::string TextScanner::ReadLine() {
  return ReadUntil('\n');
}

std::string TextScanner::ReadUntil(char stop) {
  size_t end = text_.find(stop, pos_);
  if (end == std::string::npos) end = text_.size();
  std::string part = text_.substr(pos_, end - pos_);
  pos_ = end < text_.size() ? end + 1 : end;
  return part;
}

}  // namespace balancer
