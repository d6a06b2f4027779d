// The one reader of numbers that come from outside (files, the scale, typed
// entries, the command line); the formatter of numbers into text is in
// base/unit_text.h, included here. A
// number is plain decimal ("-12", "3.5", ".5", "2e3"); hex, "inf" and "nan"
// are not numbers, and a value too large for a double is refused rather than
// carried on as infinity.
#pragma once

#include <cstddef>
#include <string>

#include "base/unit_text.h"  // FormatText, FormatNumber

namespace balancer {

// The length of the plain decimal number starting exactly at text[pos] (sign,
// digits, point, exponent), 0 when none starts there. An exponent without
// digits ("5e") is not part of the number.
size_t DecimalNumberLength(const std::string& text, size_t pos);

// Skips white space from `pos` and reads one number. True only when a number
// is there and it is finite; `pos` then stands after it and `value` holds it.
// Otherwise neither `pos` nor `value` change.
bool ReadFiniteNumber(const std::string& text, size_t& pos, double& value);

// The whole of `text` is one finite number (no white space, nothing after).
bool ParseFiniteNumber(const std::string& text, double& value);

// True when `value` is finite and lies in [low, high].
inline bool NumberInRange(double value, double low, double high) {
  return value >= low && value <= high;  // false for NaN
}

// `value` rounded toward zero to an int; NaN gives 0 and anything outside
// int's range the nearest end, so no cast is ever undefined.
int TruncToInt(double value);

}  // namespace balancer
