#include "core/number/NumberParse.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>


using core::parseFloatField;

namespace {

struct Accepted {
    std::string text;
    double expected;
};

void expectValues(std::initializer_list<Accepted> cases, std::string_view separator = ".")
{
    for (const Accepted& c : cases) {
        SCOPED_TRACE("text '" + c.text + "'");
        const core::Expected<double> parsed = parseFloatField(c.text, separator);
        if (parsed)
            EXPECT_EQ(*parsed, c.expected);
        else
            ADD_FAILURE() << "refused: " << parsed.error().message;
    }
}

void expectNotAFloat(std::initializer_list<std::string> texts, std::string_view separator = ".")
{
    for (const std::string& text : texts) {
        SCOPED_TRACE("text '" + text + "'");
        const core::Expected<double> parsed = parseFloatField(text, separator);
        ASSERT_FALSE(parsed) << "accepted";
        EXPECT_EQ(parsed.error().message, "'" + text + "' is not a valid floating point value");
    }
}

TEST(NumberParse, AcceptsSpacesSignsDigitsSeparatorAndExponent)
{
    expectValues({
        {"2", 2.0},
        {" 2 ", 2.0},
        {"   -1.5  ", -1.5},
        {"+3", 3.0},
        {".5", 0.5},
        {"5.", 5.0},
        {".", 0.0},
        {"-.", 0.0},
        {"007", 7.0},
        {"1.5e3", 1500.0},
        {"1.5E-3", 0.0015},
        {"2e+2 ", 200.0},
        {"1e", 1.0},
        {"1E+", 1.0},
        {"1e-", 1.0},
        {".e7", 0.0},
    });
}

TEST(NumberParse, RejectsEverythingElseQuotingTheText)
{
    expectNotAFloat({"", "   ", "\t2", "2\t", "abc", "+", "-", "e5", "+e5", "--1", "1-", "1 e5", "1e5e", "1e+-3",
                     "1.5.2", "0x10", "inf", "nan", "1e5 0", "\u00A02", "\u03C0"});
    // The error text stops at a NUL character; the text is still refused.
    EXPECT_EQ(parseFloatField(std::string("1\0", 2), ".").status(),
              core::UserError::notAFloat(std::string("1\0", 2)));
}

TEST(NumberParse, SeparatorIsTheGivenCharacter)
{
    expectValues({{"1,5", 1.5}, {" -,25 ", -0.25}, {",", 0.0}}, ",");
    expectNotAFloat({"1.5"}, ",");
    expectNotAFloat({"1,5"}, ".");
    expectValues({{"1\u066B5", 1.5}}, "\u066B");
    expectNotAFloat({"1.5", "1\xD9"}, "\u066B");
}

TEST(NumberParse, ExponentDigitsAreReadUntilTheExponentReachesFiveHundred)
{
    // Leading zeros leave the exponent at 0, so reading goes on.
    expectValues({{"1e0000000000000000000001", 10.0}, {"1e-500", 0.0}, {"0e4999", 0.0}, {"1e-4999", 0.0}});
    // "5000" stops after "500"; "49990" stops after "4999".
    expectNotAFloat({"1e5000", "1e49990", "1e-5000", "0e5000"});
    // "4999" is read whole and overflows the extended range.
    expectNotAFloat({"1e4999"});
}

TEST(NumberParse, RangeOfExtendedAndOfDouble)
{
    const double maxDouble = std::numeric_limits<double>::max();
    const double minSubnormal = std::numeric_limits<double>::denorm_min();
    expectValues({
        {"1.7976931348623157e308", maxDouble},
        {"4.9406564584124654e-324", minSubnormal},
        {"3e-324", minSubnormal},
        {"2e-324", 0.0},
    });
    for (const char* text : {"1e500", "-1e500", "1.8e308", "1.1e4932", "0.0001e4932"})
        EXPECT_EQ(parseFloatField(text, ".").status(), core::UserError::floatOverflow()) << text;
    // Beyond 1.18973149535723e4932 the extended range itself overflows.
    expectNotAFloat({"1.2e4932", "-1.2e4932"});
}

TEST(NumberParse, RoundsToExtendedFirstThenToDouble)
{
    // 1 + 2^-53 + 1e-60: to extended it rounds to 1 + 2^-53, exactly half-way
    // between two Doubles, so the tie then goes to the even 1.
    expectValues({{"1.000000000000000111022302462515654042363166809082031250001", 1.0}});
}

TEST(NumberParse, LongDigitStrings)
{
    expectValues({
        {"0." + std::string(100000, '3'), 1.0 / 3.0},
        {"0." + std::string(399, '0') + "1e400", 1.0},
        {"0." + std::string(4000, '0') + "15e4001", 1.5},
        {"1" + std::string(4999, '0') + "e-4999", 1.0},
        {std::string(1000, '0') + "1" + std::string(1000, '0') + "e-999", 10.0},
    });
    expectNotAFloat({"1" + std::string(20000, '0')});
}

TEST(NumberParse, IgnoresTheFpuRoundingMode)
{
    // 1 + 1e-20 rounds to 1 to nearest; rounded upward it would become 1 + 2^-52.
    ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
    const double value = parseFloatField("1.00000000000000000001", ".").value();
    const int modeAfter = std::fegetround();
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(value, 1.0);
    EXPECT_EQ(modeAfter, FE_UPWARD);
}

TEST(NumberParse, IgnoresTheProcessLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    const core::Expected<double> value = parseFloatField("1.5", ".");
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_TRUE(value);
    EXPECT_EQ(*value, 1.5);
}

}  // namespace
