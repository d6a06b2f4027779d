#include "app/number_reader.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "app/field_table.h"

namespace balancer {

namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
  size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  size_t last = text.size();
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

}  // namespace

double LeadingNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return std::strtod(text.substr(start, i - start).c_str(), nullptr);
}

TypedNumber ReadTypedNumber(const std::string& typed, int actionCode) {
  TypedNumber result;
  if (typed.empty()) return result;

  // Thousands separators among the first 20 characters.
  std::string text;
  for (size_t i = 0; i < typed.size(); ++i) {
    if (i < 20 && typed[i] == ',') continue;
    text += typed[i];
  }

  double value = LeadingNumber(text);
  size_t slash = text.find('/');
  if (slash != std::string::npos && IsLengthField(actionCode)) {
    std::string fraction = Trim(text);
    slash = fraction.find('/');
    size_t blank = fraction.find_first_of(" \t");
    double whole = 0.0;
    bool negative = false;
    size_t numeratorStart = 0;
    if (blank != std::string::npos && blank < slash) {
      std::string wholeText = fraction.substr(0, blank);
      whole = LeadingNumber(wholeText);
      negative = !wholeText.empty() && wholeText[0] == '-';
      numeratorStart = blank + 1;
    }
    double numerator = LeadingNumber(fraction.substr(numeratorStart, slash - numeratorStart));
    double denominator = LeadingNumber(fraction.substr(slash + 1));
    if (denominator == 0.0) {
      result.status = TypedNumber::kRejected;
      return result;
    }
    value = negative ? whole - numerator / denominator : whole + numerator / denominator;
  }

  if (!std::isfinite(value) || (value < 0.0 && !AcceptsNegative(actionCode))) {
    result.status = TypedNumber::kRejected;
    return result;
  }
  result.status = TypedNumber::kValue;
  result.value = value;
  return result;
}

}  // namespace balancer
