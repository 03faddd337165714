#include "core/number/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "core/number/CNumericScope.h"

namespace core {
inline namespace VELTRANO_EXTENDED_NAMESPACE {
namespace {

constexpr int kPrintedDigits = 18;
constexpr int kKeptDigits = 15;
// Fixed notation is used for decimal exponents E (value = 0.d1d2... * 10^E)
// in this range, scientific notation outside it.
constexpr int kMinFixedExponent = -3;
constexpr int kMaxFixedExponent = 15;

// The significant digits of a magnitude, most significant first, and its
// decimal exponent E with value = 0.d1d2...dk * 10^E.
struct DecimalDigits {
    std::array<char, kPrintedDigits> digits{};
    int count = 0;
    int exponent = 0;
};

#if defined(VELTRANO_PORTABLE_EXTENDED)
// The value's magnitude rounded once to 18 significant digits.
DecimalDigits printedDigits(const Extended& value)
{
    DecimalDigits result;
    value.decimalDigits(kPrintedDigits, result.digits.data(), result.exponent);
    result.count = kPrintedDigits;
    return result;
}
#else
// A pseudo-denormal (exponent field 0 with the integer bit set) is read by
// the x87 unit as the same significand with exponent field 1, but printf
// drops its integer bit. Rewriting it as that normal number keeps the text
// equal to the value the arithmetic sees. Arithmetic never produces one; only
// bit patterns from memory do.
long double canonicalEncoding(long double value)
{
    static_assert(std::numeric_limits<long double>::digits == 64, "x87 extended format expected");
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof value);
    const bool integerBit = (bytes[7] & 0x80) != 0;
    const bool exponentZero = bytes[8] == 0 && (bytes[9] & 0x7F) == 0;
    if (integerBit && exponentZero) {
        bytes[8] = 1;
        std::memcpy(&value, bytes, sizeof value);
    }
    return value;
}

// Prints the value with 18 significant digits ("d.ddd...e+x", sign dropped).
DecimalDigits printedDigits(long double value)
{
    char buffer[64];
    {
        CNumericScope scope;
        std::snprintf(buffer, sizeof buffer, "%.*Le", kPrintedDigits - 1, canonicalEncoding(value));
    }
    DecimalDigits result;
    const char* p = buffer;
    while (*p != '\0' && *p != 'e') {
        if (*p >= '0' && *p <= '9' && result.count < kPrintedDigits)
            result.digits[result.count++] = *p;
        ++p;
    }
    // The exponent follows as "e+x" or "e-x".
    const bool negativeExponent = p[0] == 'e' && p[1] == '-';
    int printedExponent = 0;
    if (p[0] == 'e')
        std::from_chars(p + 2, buffer + sizeof buffer, printedExponent);
    result.exponent = (negativeExponent ? -printedExponent : printedExponent) + 1;
    return result;
}

#endif

// Keeps 15 digits: a 16th digit of 5 or more rounds the magnitude up, with
// the carry running into a new leading digit if all 15 are nines.
void roundToKeptDigits(DecimalDigits& d)
{
    const bool roundUp = d.digits[kKeptDigits] >= '5';
    d.count = kKeptDigits;
    if (roundUp) {
        int i = kKeptDigits - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits[0] = '1';
            ++d.exponent;
        }
    }
    while (d.count > 1 && d.digits[d.count - 1] == '0')
        --d.count;
}

void appendScientific(std::string& out, const DecimalDigits& d, std::string_view separator)
{
    out += d.digits[0];
    if (d.count > 1) {
        out += separator;
        out.append(d.digits.data() + 1, d.count - 1);
    }
    out += 'E';
    out += std::to_string(d.exponent - 1);
}

void appendFixed(std::string& out, const DecimalDigits& d, std::string_view separator)
{
    if (d.exponent <= 0) {
        out += '0';
        out += separator;
        out.append(-d.exponent, '0');
        out.append(d.digits.data(), d.count);
        return;
    }
    const int integerDigits = d.exponent;
    if (d.count <= integerDigits) {
        out.append(d.digits.data(), d.count);
        out.append(integerDigits - d.count, '0');
        return;
    }
    out.append(d.digits.data(), integerDigits);
    out += separator;
    out.append(d.digits.data() + integerDigits, d.count - integerDigits);
}

}  // namespace

std::string formatGeneral15(const Extended& value, std::string_view decimalSeparator)
{
    // Encodings the x87 unit refuses as operands (unnormals, pseudo-NaNs and
    // pseudo-infinities) compare unordered, so they are written as NAN too.
    if (core::isnan(value))
        return "NAN";
    if (core::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    DecimalDigits digits = printedDigits(value);
    roundToKeptDigits(digits);

    std::string out;
    if (core::signbit(value))
        out += '-';
    if (digits.exponent > kMaxFixedExponent || digits.exponent < kMinFixedExponent)
        appendScientific(out, digits, decimalSeparator);
    else
        appendFixed(out, digits, decimalSeparator);
    return out;
}

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace core
