// Feeds arbitrary coefficient texts to the exact forms and the texts written
// from them. The first byte picks the separator as in FuzzNumberParse; the
// rest is split at newlines into the texts of a, b and c.
//
// Checked: no crash and no exception; every form is at most kLongestForm
// characters; exact forms exist only for texts the fields accept; the worked
// solution begins with the formula.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/exact/Explanation.h"
#include "core/number/NumberParse.h"

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

std::size_t codePoints(std::string_view text)
{
    std::size_t count = 0;
    for (char byte : text) count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const char selector = static_cast<char>(data[0]);
    const std::string_view separator = selector == ',' ? "," : selector == 'a' ? "\u066B" : ".";
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);

    exact::CurveTexts curve;
    for (std::string& field : curve.fields) {
        const std::size_t newline = rest.find('\n');
        field = rest.substr(0, newline);
        rest = newline == std::string_view::npos ? std::string_view() : rest.substr(newline + 1);
    }
    curve.xAxisFirst = "(1,0)";
    curve.yAxis = "(0,1)";

    const std::optional<exact::ExactForms> forms = exact::exactForms(curve.fields, separator);
    if (forms) {
        for (const std::string& field : curve.fields)
            if (!core::parseFloatField(field, separator) && !field.empty())
                fail("exact forms for a text the fields refuse");
        for (const std::string* form : {&forms->discriminant, &forms->roots, &forms->vertex, &forms->axis})
            if (codePoints(*form) > exact::kLongestForm) fail("a form longer than the limit");
    }
    const std::string worked = exact::workedSolution(curve, separator);
    if (worked.rfind(exact::formulaText(curve, separator), 0) != 0) fail("worked solution without its formula");
    exact::graphSummary({curve, curve}, separator);
    return 0;
}
