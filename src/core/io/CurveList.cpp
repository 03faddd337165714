#include "core/io/CurveList.h"

#include <algorithm>

#include "core/number/Concat.h"
#include "core/number/NumberParse.h"

namespace io {

using core::concat;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kCopiedColumns = 6;  // a, b, c and the info box's three texts
static_assert(kMaxCurveListBytes == 1'048'576 && kMaxListedCurves == 10'000, "the messages name the limits");

// Well-formed UTF-8: no stray continuation byte, no overlong form, no
// surrogate, nothing past U+10FFFF.
bool isUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The length, and the range of the second byte, by the first.
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (text.size() - i < length) return false;
        const unsigned char second = static_cast<unsigned char>(text[i + 1]);
        if (second < low || second > high) return false;
        for (std::size_t k = 2; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

// The first three of a line's tab-separated columns.
plot::FieldTexts firstThreeColumns(std::string_view line)
{
    plot::FieldTexts texts;
    for (std::string& text : texts) {
        const std::size_t tab = line.find('\t');
        text = line.substr(0, tab);
        line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
    }
    return texts;
}

core::UserError lineError(std::size_t line, std::string_view separator, std::string_view reason)
{
    return {concat({"line ", std::to_string(line), separator, reason})};
}

}  // namespace

std::string curveListText(const std::vector<plot::FieldTexts>& curves)
{
    std::string text;
    for (const plot::FieldTexts& texts : curves) text += concat({texts[0], "\t", texts[1], "\t", texts[2], "\n"});
    return text;
}

std::string curveListText(const plot::CurveTable& table)
{
    std::vector<plot::FieldTexts> curves;
    for (std::size_t i = 0; i < std::size_t(table.count()); ++i) curves.push_back(table.fieldTexts(i));
    return curveListText(curves);
}

core::Expected<plot::Coefficients> readCoefficients(const plot::FieldTexts& texts, std::string_view decimalSeparator)
{
    static const char* const names[] = {"a", "b", "c"};
    plot::Coefficients curve;
    double* coefficients[] = {&curve.a, &curve.b, &curve.c};
    for (std::size_t i = 0; i < 3; ++i) {
        if (texts[i].empty()) continue;
        const core::Expected<double> value = core::parseFloatField(texts[i], decimalSeparator);
        if (!value) return core::UserError{concat({"coefficient ", names[i], ": ", value.error().message})};
        *coefficients[i] = *value;
    }
    return curve;
}

core::Expected<std::vector<TypedCurve>> readCurveList(std::string_view text, std::string_view decimalSeparator)
{
    if (text.size() > kMaxCurveListBytes) return core::UserError{"more than 1 MB (1,048,576 bytes)"};
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

    enum class Kind { Unknown, List, CopiedText } kind = Kind::Unknown;
    std::vector<TypedCurve> curves;
    for (std::size_t number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!isUtf8(line)) return lineError(number, ": ", "not UTF-8 text");
        if (std::all_of(line.begin(), line.end(), [](char ch) { return ch == ' '; })) continue;

        const std::size_t columns = std::size_t(std::count(line.begin(), line.end(), '\t')) + 1;
        if (kind == Kind::Unknown) kind = columns == kCopiedColumns ? Kind::CopiedText : Kind::List;
        if (kind == Kind::CopiedText && columns == 1) continue;  // a line of the worked solution
        if (kind == Kind::List && columns != 3)
            return lineError(number, ": ", "not three fields separated by tabs (a, b and c)");
        if (kind == Kind::CopiedText && columns != kCopiedColumns)
            return lineError(number, ": ", "not a curve's line of copied text (six columns separated by tabs)");

        TypedCurve curve{firstThreeColumns(line), {}};
        const core::Expected<plot::Coefficients> coefficients = readCoefficients(curve.texts, decimalSeparator);
        if (!coefficients) return lineError(number, ", ", coefficients.error().message);
        if (curve.texts[0].empty() && curve.texts[1].empty() && curve.texts[2].empty()) continue;
        if (curves.size() == kMaxListedCurves) return lineError(number, ": ", "more than 10,000 curves");
        curve.coefficients = *coefficients;
        curves.push_back(std::move(curve));
    }
    return curves;
}

}  // namespace io
