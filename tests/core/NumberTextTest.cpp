#include "core/number/NumberText.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

using core::formatGeneral15;

namespace {

struct Case {
    core::Extended value;
    const char* expected;
};

void expectAll(std::initializer_list<Case> cases, std::string_view separator = ".")
{
    for (const Case& c : cases)
        EXPECT_EQ(formatGeneral15(c.value, separator), c.expected) << "value " << static_cast<double>(c.value);
}

TEST(NumberText, WritesFixedAndScientificForms)
{
    expectAll({
        {1e20L, "1E20"},
        {1.5e-5L, "1.5E-5"},
        {-2e16L, "-2E16"},
        {1e-4L, "0.0001"},
        {0.5L, "0.5"},
        {123.5L, "123.5"},
        {100.0L, "100"},
        {-1.0L, "-1"},
        {-4.0L / 3.0L, "-1.33333333333333"},
        {std::sqrt(2.0L), "1.4142135623731"},  // ...3095|05: the 16th digit rounds up, the zero is dropped
    });
}

TEST(NumberText, ZeroOfEitherSignHasNoSign)
{
    expectAll({{0.0L, "0"}, {-0.0L, "0"}});
}

TEST(NumberText, SwitchesToScientificOutsideFifteenIntegerDigitsAndThreeLeadingZeros)
{
    expectAll({
        {123456789012345.0L, "123456789012345"},
        {100000000000000.0L, "100000000000000"},
        {1e15L, "1E15"},
        {1234567890123456.0L, "1.23456789012346E15"},
        {0.001L, "0.001"},
        {0.000123L, "0.000123"},
        {0.0000123L, "1.23E-5"},
        {-0.00001L, "-1E-5"},
    });
}

TEST(NumberText, SixteenthDigitRoundsUpWithCarry)
{
    expectAll({
        {999999999999999.5L, "1E15"},
        {-999999999999999.5L, "-1E15"},
        {0.99999999999999995L, "1"},
        {9.9999999999999995e-5L, "0.0001"},  // the carry moves it back into fixed notation
        {9.99999999999999499L, "9.99999999999999"},
        // Eighteen digits first: ...345499|99 becomes ...345500, whose 16th digit then rounds up.
        {0.12345678901234549999L, "0.123456789012346"},
    });
}

TEST(NumberText, CoversTheWholeExtendedRange)
{
    expectAll({
        {1e4000L, "1E4000"},
        {-1e-4000L, "-1E-4000"},
        {std::numeric_limits<core::Extended>::max(), "1.18973149535723E4932"},
        {std::numeric_limits<core::Extended>::min(), "3.36210314311209E-4932"},
        {std::numeric_limits<core::Extended>::denorm_min(), "3.64519953188247E-4951"},
        {std::numeric_limits<double>::max(), "1.79769313486232E308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
    });
}

// The x87 encodings themselves exist only where long double is that format.
constexpr bool kLongDoubleIsX87 = std::numeric_limits<long double>::digits == 64;

long double fromBits(std::uint64_t significand, std::uint16_t signAndExponent)
{
    long double value = 0;
    std::memcpy(&value, &significand, 8);
    std::memcpy(reinterpret_cast<unsigned char*>(&value) + 8, &signAndExponent, 2);
    return value;
}

TEST(NumberText, PseudoDenormalsAreWrittenAsTheValueTheArithmeticSees)
{
    if (!kLongDoubleIsX87)
        GTEST_SKIP() << "long double is not the x87 format";
    // Exponent field 0 with the integer bit set means the same as exponent field 1.
    expectAll({
        {fromBits(0x8000000000000000, 0), "3.36210314311209E-4932"},
        // (2^63 + 0x61000000) * 2^-16445 = 3.36210314370530962e-4932
        {fromBits(0x8000000061000000, 0), "3.36210314370531E-4932"},
        {fromBits(0x8000000000000000, 0x8000), "-3.36210314311209E-4932"},
    });
}

TEST(NumberText, NonFiniteValues)
{
    const core::Extended inf = std::numeric_limits<core::Extended>::infinity();
    const core::Extended nan = std::numeric_limits<core::Extended>::quiet_NaN();
    expectAll({{nan, "NAN"}, {-nan, "NAN"}, {inf, "INF"}, {-inf, "-INF"}});
    if (!kLongDoubleIsX87)
        return;
    // Encodings the unit refuses as operands behave as NaN: an unnormal, a
    // pseudo-infinity and a pseudo-NaN.
    expectAll({{fromBits(1, 1), "NAN"}, {fromBits(0, 0x7FFF), "NAN"}, {fromBits(0x4000000000000000, 0x7FFF), "NAN"}});
}

TEST(NumberText, UsesTheGivenSeparator)
{
    expectAll({{123.5L, "123,5"}, {1.5e-5L, "1,5E-5"}, {-4.0L / 3.0L, "-1,33333333333333"}, {1e-4L, "0,0001"}, {100.0L, "100"}}, ",");
    expectAll({{0.5L, "0\u066B5"}}, "\u066B");
}

TEST(NumberText, IgnoresTheFpuRoundingMode)
{
    // Eighteen digits rounded to nearest end in ...499; rounded upward they would end
    // in ...500 and the 16th digit would round the 15 digits up.
    const core::Extended value = 0.123456789012345499012L;
    ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
    const std::string text = formatGeneral15(value, ".");
    const int modeAfter = std::fegetround();
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(text, "0.123456789012345");
    EXPECT_EQ(modeAfter, FE_UPWARD);
}

TEST(NumberText, IgnoresTheProcessLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::string text = formatGeneral15(123.5L, ".");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(text, "123.5");
}

}  // namespace
