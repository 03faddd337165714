#pragma once
// The parser for the coefficient fields: spaces, sign, digits with the
// decimal separator, an optional exponent, spaces. Qt-free; the separator is
// passed in.

#include <string_view>

#include "core/number/Extended.h"
#include "core/number/UserError.h"

namespace core {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

// The field's value as a Double, or the error to show:
// UserError::notAFloat(text) when the text does not match or overflows the
// extended range, UserError::floatOverflow() when the value is beyond the
// Double range. Values below the Double range become 0 or a subnormal. An
// empty text is not handled here (the caller reads it as 0).
Expected<double> parseFloatField(std::string_view text, std::string_view decimalSeparator);

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace core
