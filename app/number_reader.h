// Reading a typed number from an entry window: commas, inch fractions in
// length fields ("5/8", "1 3/16", "-1 1/2") and the negative-value rule.
#pragma once

#include <string>

namespace balancer {

struct TypedNumber {
  enum Status {
    kEmpty,     // nothing typed: close without storing
    kRejected,  // not storable (negative where not accepted, bad fraction):
                // close without change
    kValue,     // `value` goes to the field store
  };
  Status status = kEmpty;
  double value = 0.0;
};

// The number `text` stands for in the field `actionCode`. Text that does not
// start with a number reads as 0.
TypedNumber ReadTypedNumber(const std::string& text, int actionCode);

// The leading decimal number of `text` (white space skipped), 0 when there is
// none, NaN when it is too large for a double. Only plain decimal notation
// counts: no hex, inf or nan.
double LeadingNumber(const std::string& text);

}  // namespace balancer
