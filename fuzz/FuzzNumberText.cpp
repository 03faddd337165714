// Feeds arbitrary 80-bit extended bit patterns (10 bytes: significand, then
// sign and exponent) to the number text.
//
// Checked: the text has one of the allowed forms, with the notation the
// decimal exponent calls for; with "," it differs from the "." text only in
// the separator; read back in extended precision it lies within one unit of
// the 15th digit of the value (plus the spacing of the smallest subnormal);
// and for values in the Double's normal range the field parser reads it back
// to a Double that is written as the same text.

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <string>
#include <string_view>

#include "core/number/NumberParse.h"
#include "core/number/NumberText.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& text)
{
    std::fprintf(stderr, "property violated: %s: \"%s\"\n", what, text.c_str());
    std::abort();
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the form of a finite, non-zero value's text (sign already removed)
// and returns its decimal exponent E, value = 0.d1d2... * 10^E.
int checkFiniteForm(std::string_view s, const std::string& text)
{
    const std::size_t e = s.find('E');
    std::string_view mantissa = s.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const std::string_view integer = mantissa.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : mantissa.substr(point + 1);
    if (integer.empty() || (point != std::string_view::npos && fraction.empty()))
        fail("empty integer or fraction part", text);
    for (char c : integer)
        if (!isDigit(c))
            fail("non-digit in the integer part", text);
    for (char c : fraction)
        if (!isDigit(c))
            fail("non-digit in the fraction part", text);
    if (!fraction.empty() && fraction.back() == '0')
        fail("trailing zero in the fraction", text);

    if (e != std::string_view::npos) {
        std::string_view exponentText = s.substr(e + 1);
        const bool negative = !exponentText.empty() && exponentText.front() == '-';
        if (negative)
            exponentText.remove_prefix(1);
        if (exponentText.empty() || exponentText.front() == '0' || exponentText.size() > 4)
            fail("malformed exponent", text);
        for (char c : exponentText)
            if (!isDigit(c))
                fail("non-digit in the exponent", text);
        if (integer.size() != 1 || integer == "0" || fraction.size() > 14)
            fail("malformed scientific mantissa", text);
        const int exponent = (negative ? -1 : 1) * std::atoi(std::string(exponentText).c_str()) + 1;
        if (exponent >= -3 && exponent <= 15)
            fail("scientific notation for a fixed-notation exponent", text);
        return exponent;
    }

    int exponent;
    std::size_t significant;
    if (integer == "0") {
        const std::size_t zeros = fraction.find_first_not_of('0');
        if (zeros == std::string_view::npos || zeros > 3)
            fail("fixed notation with too many leading zeros", text);
        exponent = -static_cast<int>(zeros);
        significant = fraction.size() - zeros;
    } else {
        if (integer.front() == '0' || integer.size() > 15)
            fail("malformed integer part", text);
        exponent = static_cast<int>(integer.size());
        significant = fraction.empty() ? integer.find_last_not_of('0') + 1 : integer.size() + fraction.size();
    }
    if (significant > 15)
        fail("more than 15 significant digits", text);
    return exponent;
}

long double readBackExtended(const std::string& text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtold_l(text.c_str(), nullptr, cLocale);
}

std::string withSeparator(std::string text, std::string_view separator)
{
    const std::size_t point = text.find('.');
    if (point != std::string::npos)
        text.replace(point, 1, separator);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size != 10)
        return 0;
    long double value = 0;
    std::memcpy(&value, data, 10);

    const std::string text = core::formatGeneral15(value, ".");
    if (withSeparator(text, ",") != core::formatGeneral15(value, ","))
        fail("the comma text differs from the point text", text);

    if (std::isnan(value)) {
        if (text != "NAN")
            fail("NaN not written as NAN", text);
        return 0;
    }
    if (std::isinf(value)) {
        if (text != (value < 0 ? "-INF" : "INF"))
            fail("infinity written wrongly", text);
        return 0;
    }
    if (value == 0) {
        if (text != "0")
            fail("zero written wrongly", text);
        return 0;
    }

    const bool negative = text.front() == '-';
    if (negative != std::signbit(value))
        fail("sign does not match", text);
    checkFiniteForm(std::string_view(text).substr(negative ? 1 : 0), text);

    const long double magnitude = std::fabs(value);
    const long double readBack = readBackExtended(text);
    const long double tolerance = magnitude * 1e-14L + std::numeric_limits<long double>::denorm_min();
    if (!(std::fabs(readBack - value) <= tolerance))
        fail("text is not within one unit of the 15th digit", text);

    // Up from 1.797693134862315e308 the text rounds above the Double range.
    if (magnitude >= std::numeric_limits<double>::min() && magnitude < 1.797693134862315e308L) {
        const core::Expected<double> parsed = core::parseFloatField(text, ".");
        if (!parsed)
            fail("the parser refused the text", text);
        if (core::formatGeneral15(*parsed, ".") != text)
            fail("the Double read back is written differently", text);
    }
    return 0;
}
