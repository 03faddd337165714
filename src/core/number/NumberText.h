#pragma once
// Number text: the general format with 15 significant digits that the info
// box uses for intersections. Qt-free and locale-independent except for the
// decimal separator, which the caller passes in.

#include <string>
#include <string_view>

#include "core/number/Extended.h"

namespace core {
inline namespace VELTRANO_EXTENDED_NAMESPACE {

// `decimalSeparator` is one character, UTF-8 encoded ("." or "," usually).
// Examples with ".": 123.5, 0.0001, 1.5E-5, -2E16, 1.4142135623731; zero of
// either sign is "0", NaN is "NAN", infinities are "INF" and "-INF".
std::string formatGeneral15(const Extended& value, std::string_view decimalSeparator);

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace core
