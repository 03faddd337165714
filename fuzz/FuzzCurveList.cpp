// Feeds arbitrary text to the curve list reader. The first byte picks the
// decimal separator ("," for a comma, any other byte for a point); the rest
// is the text.
//
// Checked: a refusal names a line (or the text's size); every curve read has
// texts that are not all empty and hold no tab nor line end, and the
// coefficients the fields read from them; the list written from the curves
// reads back as the same curves.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/io/CurveList.h"

namespace {

[[noreturn]] void fail(const char* what, std::size_t size)
{
    std::fprintf(stderr, "property violated: %s (text of %zu bytes)\n", what, size);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view separator = data[0] == ',' ? "," : ".";
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const core::Expected<std::vector<io::TypedCurve>> read = io::readCurveList(text, separator);
    if (!read) {
        const std::string& message = read.error().message;
        if (!message.starts_with("line ") && text.size() <= io::kMaxCurveListBytes)
            fail("a refusal that names no line", size);
        return 0;
    }
    if (read.value().size() > io::kMaxListedCurves)
        fail("more curves than allowed", size);
    std::vector<plot::FieldTexts> texts;
    for (const io::TypedCurve& curve : read.value()) {
        if (curve.texts[0].empty() && curve.texts[1].empty() && curve.texts[2].empty())
            fail("an all-empty curve", size);
        for (const std::string& field : curve.texts)
            if (field.find_first_of("\t\n") != std::string::npos)
                fail("a tab or line end in a field", size);
        const core::Expected<plot::Coefficients> coefficients = io::readCoefficients(curve.texts, separator);
        if (!coefficients || !(*coefficients == curve.coefficients))
            fail("coefficients other than the fields read", size);
        texts.push_back(curve.texts);
    }
    const core::Expected<std::vector<io::TypedCurve>> again = io::readCurveList(io::curveListText(texts), separator);
    if (!again || !(again.value() == read.value()))
        fail("the written list reads back otherwise", size);
    return 0;
}
