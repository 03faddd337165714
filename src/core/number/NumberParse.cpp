#include "core/number/NumberParse.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/number/CNumericScope.h"
#include "core/number/UserError.h"

namespace core {
inline namespace VELTRANO_EXTENDED_NAMESPACE {
namespace {

// Exponent digits are taken only while the exponent read so far is below
// this; a digit left over after that makes the text invalid.
constexpr int kExponentReadLimit = 500;

// The parts of a field that matched the grammar, as views into the text.
struct NumberParts {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    bool negativeExponent = false;
    int exponent = 0;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

class FieldScanner {
public:
    explicit FieldScanner(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }

    void skipSpaces()
    {
        while (!atEnd() && text_[pos_] == ' ')
            ++pos_;
    }

    bool takeChar(char c)
    {
        if (atEnd() || text_[pos_] != c)
            return false;
        ++pos_;
        return true;
    }

    bool takeText(std::string_view s)
    {
        if (s.empty() || text_.substr(pos_).substr(0, s.size()) != s)
            return false;
        pos_ += s.size();
        return true;
    }

    std::string_view takeDigits()
    {
        const std::size_t begin = pos_;
        while (!atEnd() && isDigit(text_[pos_]))
            ++pos_;
        return text_.substr(begin, pos_ - begin);
    }

    int takeExponentDigits()
    {
        int value = 0;
        while (!atEnd() && isDigit(text_[pos_]) && value < kExponentReadLimit)
            value = value * 10 + (text_[pos_++] - '0');
        return value;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

std::optional<NumberParts> matchField(std::string_view text, std::string_view decimalSeparator)
{
    FieldScanner scanner(text);
    NumberParts parts;
    scanner.skipSpaces();
    if (scanner.takeChar('-'))
        parts.negative = true;
    else
        scanner.takeChar('+');
    parts.integerDigits = scanner.takeDigits();
    const bool hasSeparator = scanner.takeText(decimalSeparator);
    if (hasSeparator)
        parts.fractionDigits = scanner.takeDigits();
    if (parts.integerDigits.empty() && !hasSeparator)
        return std::nullopt;
    if (scanner.takeChar('E') || scanner.takeChar('e')) {
        if (scanner.takeChar('-'))
            parts.negativeExponent = true;
        else
            scanner.takeChar('+');
        parts.exponent = scanner.takeExponentDigits();
    }
    scanner.skipSpaces();
    if (!scanner.atEnd())
        return std::nullopt;
    return parts;
}

// The matched number in the "C" syntax, "-0123.456e-78": always valid for
// strtold, whatever the field's separator and however many digits it has.
std::string cNumberText(const NumberParts& parts)
{
    std::string s;
    s.reserve(parts.integerDigits.size() + parts.fractionDigits.size() + 16);
    if (parts.negative)
        s += '-';
    s += '0';
    s += parts.integerDigits;
    s += '.';
    s += parts.fractionDigits;
    s += 'e';
    if (parts.negativeExponent)
        s += '-';
    s += std::to_string(parts.exponent);
    return s;
}

#if defined(VELTRANO_PORTABLE_EXTENDED)
// The decimal value rounded once to extended precision (MPFR depends on
// neither the locale nor the FPU rounding mode).
Extended toExtended(const std::string& cText) { return Extended::fromDecimal(cText.c_str()); }
#else
// The decimal value rounded once to extended precision, in the "C" locale
// and rounding to nearest.
Extended toExtended(const std::string& cText)
{
    CNumericScope scope;
    return strtold_l(cText.c_str(), nullptr, CNumericScope::cLocale());
}
#endif

}  // namespace

Expected<double> parseFloatField(std::string_view text, std::string_view decimalSeparator)
{
    const std::optional<NumberParts> parts = matchField(text, decimalSeparator);
    if (!parts)
        return UserError::notAFloat(text);

    // The decimal value rounded once to extended precision, then once more
    // when it is stored as a Double.
    const Extended extended = toExtended(cNumberText(*parts));
    if (core::isinf(extended))
        return UserError::notAFloat(text);
    const double stored = static_cast<double>(extended);
    if (std::isinf(stored))
        return UserError::floatOverflow();
    return stored;
}

}  // namespace VELTRANO_EXTENDED_NAMESPACE
}  // namespace core
