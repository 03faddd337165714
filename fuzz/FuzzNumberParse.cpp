// Feeds arbitrary field texts to the coefficient parser. The first byte picks
// the separator ("," or "a" for a comma or the Arabic decimal separator, any
// other byte for a point); the rest is the text.
//
// Checked: the parser returns a finite Double, or exactly the error that the
// text is not a number (with the text quoted) or the overflow error; a space added on either side
// changes neither the value nor the kind of failure.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/number/NumberParse.h"

namespace {

enum class Outcome { Value, NotAFloat, Overflow };

struct Result {
    Outcome outcome = Outcome::Value;
    double value = 0;
};

[[noreturn]] void fail(const char* what, const std::string& text)
{
    std::fprintf(stderr, "property violated: %s (text of %zu bytes)\n", what, text.size());
    std::abort();
}

Result parse(const std::string& text, std::string_view separator)
{
    Result result;
    const core::Expected<double> parsed = core::parseFloatField(text, separator);
    if (parsed) {
        result.value = *parsed;
        if (!std::isfinite(result.value))
            fail("non-finite value returned", text);
    } else if (parsed.error() == core::UserError::floatOverflow()) {
        result.outcome = Outcome::Overflow;
    } else {
        if (parsed.error().message != "'" + text + "' is not a valid floating point value")
            fail("wrong conversion error text", text);
        result.outcome = Outcome::NotAFloat;
    }
    return result;
}

bool sameResult(const Result& a, const Result& b)
{
    if (a.outcome != b.outcome)
        return false;
    return a.outcome != Outcome::Value || std::memcmp(&a.value, &b.value, sizeof a.value) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char selector = static_cast<char>(data[0]);
    const std::string_view separator = selector == ',' ? "," : selector == 'a' ? "\u066B" : ".";
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const Result plain = parse(text, separator);
    if (!sameResult(plain, parse(" " + text, separator)))
        fail("a leading space changed the result", text);
    if (!sameResult(plain, parse(text + " ", separator)))
        fail("a trailing space changed the result", text);
    return 0;
}
