#pragma once
// Number text: the general format with 15 significant digits that the info
// box uses for intersections. Qt-free and locale-independent except for the
// decimal separator, which the caller passes in.

#include <string>
#include <string_view>

namespace platform {

// `decimalSeparator` is one character, UTF-8 encoded ("." or "," usually).
std::string formatGeneral15(long double value, std::string_view decimalSeparator);

}  // namespace platform
