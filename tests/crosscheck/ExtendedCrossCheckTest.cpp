// The portable extended type against the x87 hardware, in one binary: the
// same tracings, roundings, operations, number texts and field texts run
// through both builds of the arithmetic (ExtendedSides.h) must give
// identical results, down to the last operation, bit and character.

#include "ExtendedSides.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "../core/TraceReference.h"

namespace {

namespace native = crosscheck::native_extended;
namespace portable = crosscheck::portable_extended;
using crosscheck::Operation;
using crosscheck::TracedCurve;
using crosscheck::TracingRequest;
using plot::Coefficients;
using plot::PixelBox;
using plot::PlotGeometry;

constexpr double kNormalStep = 0.005;
constexpr double kFineStep = 0.00015;
constexpr PixelBox kWindow{0, 0, 651, 640};
constexpr PixelBox kSmall{0, 0, 96, 72};

PlotGeometry geometry(std::int32_t l1, std::int32_t ox = 300, std::int32_t oy = 360, std::int32_t xn = 10)
{
    PlotGeometry g;
    g.l1 = l1;
    g.ox = ox;
    g.oy = oy;
    g.xn = xn;
    return g;
}

// Traces the request point by point and compact on both sides.
void expectSameTracing(TracingRequest request, const PixelBox& reach = kWindow)
{
    const Coefficients& c = request.curve;
    SCOPED_TRACE(testing::Message() << std::hexfloat << "a=" << c.a << " b=" << c.b << " c=" << c.c << " step="
                                    << request.step << " l1=" << request.geometry.l1 << " oy=" << request.geometry.oy
                                    << " xn=" << request.geometry.xn);
    request.compactReach.reset();
    const TracedCurve everyPoint = native::trace(request);
    ASSERT_EQ(portable::trace(request), everyPoint);
    request.compactReach = reach;
    ASSERT_EQ(portable::trace(request), native::trace(request));
}

// The curves and settings of the core tracing tests: worked examples, the
// chosen curves of the compact tracing's paths, the refresh benchmark's
// curves and the random samples with their seeds.
TEST(ExtendedCrossCheck, TracesTheCurvesOfTheTracingTestsAlike)
{
    const PlotGeometry window;
    const PlotGeometry revealing = geometry(1 << 23);
    const PlotGeometry revealingTwo = geometry(1 << 23, 300, 360, 2);
    const struct {
        Coefficients curve;
        double step;
        PlotGeometry geometry;
    } worked[] = {
        {{0, 0, 1}, kNormalStep, window},
        {{0, 0x1p36, 0}, kNormalStep, revealing},
        {{0, 0x1p36, 0}, kFineStep, revealing},
        {{0, 0x1p29, 0}, 0x1p-13 + 0x1p-53 + 0x1p-65, revealingTwo},
        {{0, 0, 0.05}, kNormalStep, window},
        {{1, 0x1p-53, 0x1p-63}, 1, window},
        {{1, 0, -(1 + 0x1p-29)}, 1 + 0x1p-30, window},
        {{0, 1 + 0x1p-30, -(1 + 0x1p-29)}, 1 + 0x1p-30, window},
        {{0x1p1020, -0x1p1022, 0}, 4, geometry(20, 300, 360, 4)},
        {{0, 0, 4.62e17}, kNormalStep, window},
        {{0, 0, -4.62e17}, kNormalStep, window},
        {{0, 0, 1e300}, kNormalStep, window},
        {{0, 0, 4.6e17}, kNormalStep, window},
        {{0x1p58, 0, 0}, 0.5, window},
        {{0, 0, -0x1p63}, kNormalStep, geometry(1)},
        {{0, 0, 0x1p63 - 1024}, kNormalStep, geometry(1, 300, -2000)},
        {{1, 2, -4}, kNormalStep, window},
        {{664, -6.64, 0.0153}, kNormalStep, geometry(3000, -20, 36)},
        {{1, 0, -2}, kNormalStep, window},
        {{1, 0, 0}, kNormalStep, window},
        {{3, 0, -1}, kNormalStep, window},
        {{1, 0, 1}, kNormalStep, window},
        {{-1, 0, 4}, kNormalStep, window},
    };
    for (const auto& w : worked) expectSameTracing({w.curve, w.step, w.geometry, {}});

    const std::vector<Coefficients> chosen = {
        {1, 0, -4},       {1, -2, 0.5},      {1, -2, 1},     {0, 2, -1},        {0, 0, 3},       {0, 0, 0},
        {-1, 0, 4},       {2, 3, -5},        {-2, -3, 5},    {0.5, -3, 2},      {1e17, 0, 0},    {1e17, -1, 0},
        {-1e16, 1e17, 0}, {1e16, -1e17, 0},  {0, 0, 1e18},   {0, 0, -1e18},     {0, 1e18, 0},    {1e-300, 0, 0},
        {0, 0, 1e3},      {0, 0, -1e3},      {1e6, 0, 0},    {-1e6, 1e6, 1},    {0, 5e16, 0},    {0, -5e16, 3},
        {0.001, 0, 0},    {-0.001, 0.01, 0}, {1e300, 0, 0},  {1e308, 1e308, 0}, {3, -0.0, -0.0}, {-0.0, 2, 0},
        {1, 2, -1e-6},    {1, -2, -1e-6},
    };
    const PlotGeometry scales[] = {geometry(20, 48, 36), geometry(1, 48, 36),     geometry(7, 10, 80),
                                   geometry(1000, 48, -36), geometry(3000, 48, 36), geometry(-20, 48, 36),
                                   geometry(0, 48, 36)};
    for (const Coefficients& curve : chosen) {
        for (const double step : {kNormalStep, kFineStep}) expectSameTracing({curve, step, window, {}});
        for (const PlotGeometry& g : scales) expectSameTracing({curve, kNormalStep, g, {}}, kSmall);
    }
    for (const std::int32_t xn : {-3, 0, 1, 40}) {
        for (const Coefficients& curve : {Coefficients{1, -2, 0.5}, Coefficients{1e17, 0, 0}, Coefficients{0, 0, 1e18}}) {
            expectSameTracing({curve, xn == 40 ? kFineStep : kNormalStep, geometry(20, 300, 360, xn), {}});
        }
    }
    for (int k = 0; k < 100; ++k) {
        const Coefficients curve{(k - 50) / 25.0, double(k % 7 - 3), double(k % 11 - 5)};
        expectSameTracing({curve, k % 5 == 0 ? kFineStep : kNormalStep, window, {}});
    }

    std::mt19937_64 random2024(2024);
    const std::int32_t tracingScales[] = {20, 20, 20, 1, 7, 1000};
    for (int i = 0; i < 300; ++i) {
        const Coefficients curve{tracereference::randomCoefficient(random2024),
                                 tracereference::randomCoefficient(random2024),
                                 tracereference::randomCoefficient(random2024)};
        PlotGeometry g = geometry(tracingScales[i % 6]);
        if (i % 10 == 9) g.oy = -g.oy;
        expectSameTracing({curve, i % 60 == 0 ? kFineStep : kNormalStep, g, {}});
    }
    for (const auto& [seed, count, step] : {std::tuple{2025, 200, kNormalStep}, std::tuple{2026, 12, kFineStep}}) {
        std::mt19937_64 random(seed);
        for (int i = 0; i < count; ++i) {
            const Coefficients curve{tracereference::randomCoefficient(random),
                                     tracereference::randomCoefficient(random),
                                     tracereference::randomCoefficient(random)};
            expectSameTracing({curve, step, window, {}});
        }
    }
}

// Any Double a field can hold: every decade from the subnormals to the top
// of the range, zeros, and the extremes.
double anyCoefficient(std::mt19937_64& random)
{
    static const double extremes[] = {0.0, -0.0, 1e300, -1e300, std::numeric_limits<double>::max(),
                                      -std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
                                      std::numeric_limits<double>::min(), 1.0, -1.0};
    const int kind = std::uniform_int_distribution<int>(0, 9)(random);
    if (kind == 0) return extremes[std::uniform_int_distribution<int>(0, 9)(random)];
    if (kind < 5) return tracereference::randomCoefficient(random);
    const double mantissa = std::uniform_real_distribution<double>(1.0, 10.0)(random);
    const double magnitude = mantissa * std::pow(10.0, std::uniform_int_distribution<int>(-323, 307)(random));
    return kind < 7 ? -magnitude : magnitude;
}

TEST(ExtendedCrossCheck, TracesRandomCurvesAlike)
{
    std::mt19937_64 random(15);
    const PlotGeometry geometries[] = {PlotGeometry{}, geometry(1), geometry(7, 10, 80), geometry(1000, 48, -36),
                                       geometry(3000, 48, 36)};
    int failures = 0;
    for (int i = 0; i < 3000; ++i) {
        const Coefficients curve{anyCoefficient(random), anyCoefficient(random), anyCoefficient(random)};
        const bool fine = i % 30 == 0;
        const PlotGeometry& g = geometries[i % 5];
        expectSameTracing({curve, fine ? kFineStep : kNormalStep, g, {}}, i % 5 == 0 ? kWindow : kSmall);
        if (HasFatalFailure()) return;
        failures += native::trace({curve, kNormalStep, g, {}}).failed;
    }
    // Both outcomes are well represented.
    EXPECT_GT(failures, 500);
    EXPECT_LT(failures, 2500);
}

// ---------------------------------------------------------------- arithmetic

long double x87(bool negative, int biasedExponent, std::uint64_t significand)
{
    long double value = 0;
    const std::uint16_t signAndExponent = std::uint16_t((negative ? 0x8000 : 0) | biasedExponent);
    std::memcpy(&value, &significand, 8);
    std::memcpy(reinterpret_cast<unsigned char*>(&value) + 8, &signAndExponent, 2);
    return value;
}

// Values from every part of the format, subnormals, the edges of the
// exponent range and of the Double range included, with significands that
// end in long runs of zeros or ones so that results fall on and near ties.
long double anyOperand(std::mt19937_64& random)
{
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::uint64_t significand = random() | (std::uint64_t{1} << 63);
    switch (between(0, 3)) {
    case 0: significand &= ~((std::uint64_t{1} << between(0, 62)) - 1); break;
    case 1: significand |= (std::uint64_t{1} << between(0, 62)) - 1; break;
    default: break;
    }
    const bool negative = between(0, 1) == 1;
    switch (between(0, 9)) {
    case 0: {
        static const long double landmarks[] = {0.0L, -0.0L, std::numeric_limits<long double>::infinity(),
                                               -std::numeric_limits<long double>::infinity(),
                                               std::numeric_limits<long double>::quiet_NaN(), 1.0L, -1.0L, 2.0L};
        return landmarks[between(0, 7)];
    }
    case 1: return x87(negative, 0, significand >> between(1, 63));  // subnormal
    case 2: return x87(negative, between(1, 70), significand);
    case 3: return x87(negative, between(0x7ffe - 70, 0x7ffe), significand);
    case 4: return x87(negative, between(16383 - 1074 - 70, 16383 - 1020), significand);  // Double subnormals
    case 5: return x87(negative, between(16383 + 1020, 16383 + 1026), significand);       // Double overflow
    case 6: return x87(negative, between(1, 0x7ffe), significand);
    default: return x87(negative, between(16383 - 80, 16383 + 80), significand);
    }
}

bool sameBits(long double x, long double y)
{
    if (std::isnan(x) || std::isnan(y)) return std::isnan(x) && std::isnan(y);
    return std::memcmp(&x, &y, 10) == 0;
}

TEST(ExtendedCrossCheck, OperationsRoundingsAndTextsGiveTheSameBits)
{
    std::mt19937_64 random(16);
    for (int i = 0; i < 200000; ++i) {
        const long double x = anyOperand(random);
        // Half the partners lie close to x, for cancellations and exponent edges.
        long double y = anyOperand(random);
        if (i % 2 == 1) y = std::nextafter(x, y) * (i % 4 == 1 ? 1 : -1);
        SCOPED_TRACE(testing::Message() << std::hexfloat << "x=" << x << " y=" << y);
        for (const Operation operation : {Operation::Add, Operation::Subtract, Operation::Multiply, Operation::Divide,
                                          Operation::SquareRoot, Operation::ToDouble}) {
            const long double expected = native::operate(operation, x, y);
            const long double actual = portable::operate(operation, x, y);
            ASSERT_TRUE(sameBits(actual, expected)) << "operation " << int(operation) << std::hexfloat
                                                    << " portable " << actual << " native " << expected;
        }
        ASSERT_EQ(portable::roundings(x), native::roundings(x));
        if (i % 4 == 0) {
            ASSERT_EQ(portable::text(x, "."), native::text(x, "."));
        }
    }
    // Roundings around the ends of the int64 range and at halves.
    for (const long double x : {0x1p63L, -0x1p63L, 0x1p63L - 0.5L, -0x1p63L - 1, 0x1p62L + 0.5L, 2.5L, -2.5L, -0.5L}) {
        EXPECT_EQ(portable::roundings(x), native::roundings(x)) << static_cast<double>(x);
    }
}

// ---------------------------------------------------------------- field texts

// Field texts of every kind: plain and long digit strings, exponents from
// the extended subnormals to beyond the extended range, exact ties between
// extended values, separators, spaces and text that is not a number.
std::string anyFieldText(std::mt19937_64& random, const std::string& separator)
{
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const auto digits = [&](int count) {
        std::string s;
        for (int k = 0; k < count; ++k) s += char('0' + between(0, 9));
        return s;
    };
    std::string text;
    switch (between(0, 5)) {
    case 0: {
        // An odd 65-bit integer: halfway between two extended values.
        unsigned __int128 n = (static_cast<unsigned __int128>(1) << 64) | random() | 1;
        std::string s;
        while (n > 0) {
            s.insert(s.begin(), char('0' + int(n % 10)));
            n /= 10;
        }
        return s;
    }
    case 1: text = digits(between(1, 25)) + separator + digits(between(0, 25)); break;
    case 2: text = "0" + separator + std::string(between(0, 600), '0') + digits(between(1, 40)); break;
    case 3: text = digits(between(1, 3)) + separator + digits(between(0, 20)); break;
    case 4: text = digits(between(1, 700)); break;
    default: text = separator + digits(between(1, 30)); break;
    }
    static const int exponents[] = {0, 1, 300, 308, 309, 320, 330, 4931, 4932, 4933, 4950, 4951, 4960, 499, 5000};
    if (between(0, 2) > 0) {
        const int exponent = exponents[between(0, 14)] + between(-3, 3);
        // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about a chain of `+`.
        text += between(0, 1) ? 'E' : 'e';
        text += between(0, 1) ? '-' : '+';
        text += std::to_string(std::abs(exponent));
    }
    if (between(0, 4) == 0) text = "-" + text;
    if (between(0, 9) == 0) text = "  " + text + " ";
    if (between(0, 19) == 0) text[std::size_t(between(0, int(text.size()) - 1))] = 'x';
    return text;
}

TEST(ExtendedCrossCheck, ReadsFieldTextsAlike)
{
    std::mt19937_64 random(17);
    for (int i = 0; i < 40000; ++i) {
        const std::string separator = i % 3 == 0 ? "," : ".";
        const std::string text = anyFieldText(random, separator);
        SCOPED_TRACE(text);
        const core::Expected<double> expected = native::parse(text, separator);
        const core::Expected<double> actual = portable::parse(text, separator);
        ASSERT_EQ(actual.ok(), expected.ok());
        if (expected.ok()) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(*actual), std::bit_cast<std::uint64_t>(*expected));
        } else {
            ASSERT_EQ(actual.error(), expected.error());
        }
    }
}

}  // namespace
