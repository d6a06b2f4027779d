#include "app/number_reader.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "base/field_table.h"
#include "records/number_text.h"

namespace balancer {

namespace {

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
  size_t start = 0;
  while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
  if (DecimalNumberLength(text, start) == 0) return 0.0;
  size_t pos = start;
  double value = 0.0;
  // Too large for a double: NaN, which the entry refuses.
  if (!ReadFiniteNumber(text, pos, value)) return std::nan("");
  return value;
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
