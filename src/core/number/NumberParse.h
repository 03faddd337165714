#pragma once
// The parser for the coefficient fields: spaces, sign, digits with the
// decimal separator, an optional exponent, spaces. Qt-free; the separator is
// passed in.

#include <string_view>

namespace core {

// Returns the field's value as a Double.
// Throws ConvertError("'<text>' is not a valid floating point value") when the
// text does not match or overflows the extended range, FloatOverflowError when
// the value is beyond the Double range. Values below the Double range become 0
// or a subnormal. An empty text is not handled here (the caller reads it as 0).
double parseFloatField(std::string_view text, std::string_view decimalSeparator);

}  // namespace core
