#include "core/plot/Trace.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <stdexcept>

#include "TraceReference.h"
#include "core/plot/InfoBoxTexts.h"

namespace {

using plot::cl45;
using plot::PlotGeometry;
using tracereference::PenOp;
using tracereference::randomCoefficient;
using tracereference::recordTraceCurve;
using tracereference::TraceRecord;

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
const core::Extended kTwo63 = 0x1p63;

std::optional<std::int64_t> tryCl45(int mode, const core::Extended& value) {
    const core::Expected<std::int64_t> rounded = cl45(mode, value);
    if (!rounded) {
        EXPECT_EQ(rounded.error(), core::UserError::invalidFloatOp());
        return std::nullopt;
    }
    return *rounded;
}

// ---------------------------------------------------------------- cl45

TEST(Cl45, RoundsInAllFourModes) {
    using R = std::optional<std::int64_t>;
    const R bad = std::nullopt;
    struct Case {
        core::Extended value;
        R nearest, down, up, towardZero;
    };
    const core::Extended nan = std::numeric_limits<core::Extended>::quiet_NaN();
    const core::Extended inf = std::numeric_limits<core::Extended>::infinity();
    const core::Extended tiny = std::numeric_limits<core::Extended>::denorm_min();
    const Case cases[] = {
        {0.5L, 0, 0, 1, 0},
        {1.5L, 2, 1, 2, 1},
        {2.5L, 2, 2, 3, 2},
        {0.75L, 1, 0, 1, 0},
        {-0.5L, 0, -1, 0, 0},
        {-1.5L, -2, -2, -1, -1},
        {-2.5L, -2, -3, -2, -2},
        {-0.1L, 0, -1, 0, 0},
        {-0.0L, 0, 0, 0, 0},
        {tiny, 0, 0, 1, 0},
        {-tiny, 0, -1, 0, 0},
        {-7.0L, -7, -7, -7, -7},
        {0x1p52L + 1.5L, 4503599627370498, 4503599627370497, 4503599627370498, 4503599627370497},
        {0x1p62L + 0.5L, 0x1p62L, 0x1p62L, 0x1p62L + 1, 0x1p62L},
        // The largest double below 2^63.
        {kTwo63 - 1024, kMax - 1023, kMax - 1023, kMax - 1023, kMax - 1023},
        {kTwo63 - 1, kMax, kMax, kMax, kMax},
        // Halfway to 2^63: nearest picks the even 2^63, which does not fit.
        {kTwo63 - 0.5L, bad, kMax, bad, kMax},
        {kTwo63, bad, bad, bad, bad},
        {-kTwo63, kMin, kMin, kMin, kMin},
        {-kTwo63 + 0.5L, kMin, kMin, kMin + 1, kMin + 1},
        // Below -2^63 extended values are whole numbers (-2^63 - 0.5 rounds to
        // -2^63), so the next one down is -2^63 - 1: out of range in every mode.
        {-kTwo63 - 1, bad, bad, bad, bad},
        {1e30L, bad, bad, bad, bad},
        {nan, bad, bad, bad, bad},
        {inf, bad, bad, bad, bad},
        {-inf, bad, bad, bad, bad},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << static_cast<double>(c.value));
        EXPECT_EQ(tryCl45(core::RoundNearest, c.value), c.nearest);
        EXPECT_EQ(tryCl45(core::RoundDown, c.value), c.down);
        EXPECT_EQ(tryCl45(core::RoundUp, c.value), c.up);
        EXPECT_EQ(tryCl45(core::RoundTowardZero, c.value), c.towardZero);
    }
    EXPECT_THROW(cl45(4, 1.0L), std::invalid_argument);
    EXPECT_THROW(cl45(-1, 1.0L), std::invalid_argument);
}

TEST(Cl45, IgnoresAndKeepsTheFpuRoundingMode) {
    const int saved = std::fegetround();
    ASSERT_EQ(std::fesetround(FE_DOWNWARD), 0);
    EXPECT_EQ(tryCl45(core::RoundUp, 0.1L), 1);
    EXPECT_EQ(tryCl45(core::RoundNearest, 2.5L), 2);
    EXPECT_EQ(tryCl45(core::RoundUp, kTwo63), std::nullopt);
    EXPECT_EQ(std::fegetround(), FE_DOWNWARD);
    std::fesetround(saved);
}

TEST(Cl45, MatchesRoundingUnderTheFpuMode) {
    std::mt19937_64 random(45);
    std::uniform_int_distribution<int> exponents(-70, 66);
    for (int i = 0; i < 200000; ++i) {
        // Random significands at scales around the int64 range, and halves.
        long double scaled = std::ldexp(static_cast<long double>(random()), exponents(random) - 63);
        if (i % 4 == 1) scaled = std::floor(scaled) + 0.5L;
        if (i % 2 == 1) scaled = -scaled;
        const core::Extended value = scaled;  // one rounding, as the FPU's addition does
        for (int mode = 0; mode < 4; ++mode) {
            ASSERT_EQ(tryCl45(mode, value), tracereference::roundUnderFpuMode(mode, value))
                << "mode " << mode << " value " << static_cast<double>(value);
        }
    }
}

// ---------------------------------------------------------------- traceCurve

// With l1 = 2^23 and y = 2^36·x, the ordinate pixel offset is t·2^59, exact
// for |t| in [8, 16) and for the t near 0.05 checked below, so the traced
// abscissa can be read back from the pixel.
PlotGeometry abscissaRevealing() {
    PlotGeometry g;
    g.l1 = 1 << 23;
    return g;
}
double abscissaOf(const PenOp& op, const PlotGeometry& g, int scaleExponent = 59) {
    return std::ldexp(static_cast<double>(g.oy - op.y), -scaleExponent);
}
constexpr double kRevealSlope = 0x1p36;

TEST(TraceCurve, DefaultStepVisitsTwoThousandPointsPerPass) {
    const PlotGeometry g;
    const TraceRecord r = recordTraceCurve(0, 0, 1, 0.005, g);
    ASSERT_FALSE(r.failed);
    ASSERT_EQ(r.ops.size(), 1u + 2 * 2001);
    const std::size_t left = 1 + 2001;
    EXPECT_EQ(r.ops[0], (PenOp{PenOp::Move, 300, 360}));
    EXPECT_EQ(r.ops[1], (PenOp{PenOp::Move, 300, 340}));
    EXPECT_EQ(r.ops[2], (PenOp{PenOp::Line, 300, 340}));
    EXPECT_EQ(r.ops[3], (PenOp{PenOp::Line, 301, 340}));  // ceil(0.1…) = 1
    EXPECT_EQ(r.ops[left - 1], (PenOp{PenOp::Line, 500, 340}));
    EXPECT_EQ(r.ops[left], (PenOp{PenOp::Move, 300, 340}));
    EXPECT_EQ(r.ops[left + 1], (PenOp{PenOp::Line, 300, 340}));
    EXPECT_EQ(r.ops[left + 2], (PenOp{PenOp::Line, 300, 340}));  // ceil(-0.1…) = 0
    EXPECT_EQ(r.ops.back(), (PenOp{PenOp::Line, 101, 340}));
    for (std::size_t i = 2; i < r.ops.size(); ++i) {
        EXPECT_EQ(r.ops[i].kind, i == left ? PenOp::Move : PenOp::Line) << i;
    }
    EXPECT_EQ(r.yIntercepts, std::vector<double>{1.0});
}

TEST(TraceCurve, AbscissaeAccumulateTheStepInDoubles) {
    const PlotGeometry g = abscissaRevealing();
    const TraceRecord coarse = recordTraceCurve(0, kRevealSlope, 0, 0.005, g);
    ASSERT_EQ(coarse.ops.size(), 1u + 2 * 2001);
    EXPECT_EQ(abscissaOf(coarse.ops[2001], g), 9.995000000000163);
    EXPECT_EQ(abscissaOf(coarse.ops.back(), g), -9.995000000000163);
    // Ten steps fall just short of 0.05.
    EXPECT_EQ(abscissaOf(coarse.ops[2 + 10], g), 0.049999999999999996);

    const TraceRecord fine = recordTraceCurve(0, kRevealSlope, 0, 0.00015, g);
    ASSERT_EQ(fine.ops.size(), 1u + 2 * 66668);
    EXPECT_EQ(abscissaOf(fine.ops[66668], g), 9.999899999987832);
    EXPECT_EQ(abscissaOf(fine.ops.back(), g), -9.999899999987832);

    // Each sum is rounded to extended precision, then to double. With this step
    // the low bits of t + m in [1, 2) are 2^-53 + 2^-65: the first rounding
    // leaves a tie that goes to even, where one rounding would go up. The last
    // abscissa below 2 was worked out with exact rational arithmetic.
    PlotGeometry two = g;
    two.xn = 2;
    const TraceRecord doubleRounded = recordTraceCurve(0, 0x1p29, 0, 0x1p-13 + 0x1p-53 + 0x1p-65, two);
    ASSERT_EQ(doubleRounded.ops.size(), 1u + 2 * 16385);
    EXPECT_EQ(abscissaOf(doubleRounded.ops[16385], two, 52), 0x1.fff8000001000p+0);
}

TEST(TraceCurve, CeilingOfTheExactScaledValue) {
    const PlotGeometry g;
    // 20 × (the double nearest 0.05) is just above 1: ceiling 2.
    const TraceRecord r = recordTraceCurve(0, 0, 0.05, 0.005, g);
    EXPECT_EQ(r.ops[1], (PenOp{PenOp::Move, 300, 358}));
    // The abscissa after ten steps is just below 0.05: ceiling 1.
    EXPECT_EQ(r.ops[2 + 10].x, 301);
}

TEST(TraceCurve, OrdinateIsEvaluatedInExtendedPrecision) {
    const PlotGeometry g;
    // Each curve is 0 or 1 in exact arithmetic where noted, but a double
    // evaluation would round an intermediate and land one ulp (or a huge
    // amount) elsewhere; only the second point of the rightward pass matters.
    auto secondPoint = [](double a, double b, double c, double step, const PlotGeometry& geometry) {
        const TraceRecord r = recordTraceCurve(a, b, c, step, geometry);
        EXPECT_GE(r.ops.size(), 4u);
        return r.ops.size() >= 4 ? r.ops[3] : PenOp{};
    };
    // t = 1: 1 + 2^-53 + 2^-63 rounds once, up to 1 + 2^-52 (20 × that has
    // ceiling 21). Rounding 1 + 2^-53 to a double first would give 1.
    EXPECT_EQ(secondPoint(1, 0x1p-53, 0x1p-63, 1, g).y, 360 - 21);
    // t = 1 + 2^-30: t·t = 1 + 2^-29 + 2^-60 is exact, so y = 2^-60 > 0.
    EXPECT_EQ(secondPoint(1, 0, -(1 + 0x1p-29), 1 + 0x1p-30, g).y, 360 - 1);
    // Same for t·b.
    EXPECT_EQ(secondPoint(0, 1 + 0x1p-30, -(1 + 0x1p-29), 1 + 0x1p-30, g).y, 360 - 1);
    // t = 4 on y = 2^1020·t·(t − 4): both products overflow a double but not
    // an extended value, and cancel to 0.
    PlotGeometry narrow = g;
    narrow.xn = 4;
    EXPECT_EQ(secondPoint(0x1p1020, -0x1p1022, 0, 4, narrow), (PenOp{PenOp::Line, 380, 360}));
}

TEST(TraceCurve, FailsAtTheFirstPointForHugeConstantTerms) {
    const PlotGeometry g;
    for (double c : {4.62e17, -4.62e17, 1e300}) {
        SCOPED_TRACE(c);
        tracereference::RecordingPen pen;
        const plot::TraceResult result = plot::traceEveryPoint({0, 0, c}, 0.005, g, pen);
        EXPECT_EQ(result.status(), core::UserError::invalidFloatOp());
        EXPECT_EQ(result.pointsTraced, 0);
        EXPECT_EQ(pen.ops, std::vector<PenOp>{(PenOp{PenOp::Move, 300, 360})});
        EXPECT_TRUE(pen.yIntercepts.empty());
        EXPECT_FALSE(result.yIntercept);
    }
    const TraceRecord fits = recordTraceCurve(0, 0, 4.6e17, 0.005, g);
    EXPECT_FALSE(fits.failed);
    EXPECT_EQ(fits.ops[1].y, 360 - 9200000000000000000);
}

TEST(TraceCurve, StopsWhereTheCurveLeavesTheIntegerRange) {
    // y = 2^58·x² at step 0.5: 20·y is 0, 5·2^58, 5·2^60, then 45·2^58 > 2^63.
    const TraceRecord r = recordTraceCurve(0x1p58, 0, 0, 0.5, PlotGeometry{});
    const std::vector<PenOp> expected = {
        {PenOp::Move, 300, 360},
        {PenOp::Move, 300, 360},
        {PenOp::Line, 300, 360},
        {PenOp::Line, 310, 360 - 5 * (std::int64_t{1} << 58)},
        {PenOp::Line, 320, 360 - 5 * (std::int64_t{1} << 60)},
    };
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.ops, expected);
    EXPECT_EQ(r.yIntercepts, std::vector<double>{0.0});
}

TEST(TraceCurve, PixelsSaturateAtTheIntegerRange) {
    PlotGeometry g;
    g.l1 = 1;
    const TraceRecord low = recordTraceCurve(0, 0, -0x1p63, 0.005, g);
    ASSERT_FALSE(low.failed);
    EXPECT_EQ(low.ops[1], (PenOp{PenOp::Move, 300, kMax}));  // 360 + 2^63

    g.oy = -2000;
    const TraceRecord high = recordTraceCurve(0, 0, 0x1p63 - 1024, 0.005, g);
    ASSERT_FALSE(high.failed);
    EXPECT_EQ(high.ops[1], (PenOp{PenOp::Move, 300, kMin}));  // -2000 - 2^63 + 1024
}

TEST(TraceCurve, ReportsTheYInterceptBetweenMoveAndLine) {
    // Reported once, after the moveTo of x = 0 and before its lineTo.
    struct ReportingPen : tracereference::RecordingPen {
        std::vector<std::size_t> opsAtReport;
        void reachedYAxis(double ordinate) override {
            EXPECT_EQ(ordinate, -4.0);
            opsAtReport.push_back(ops.size());
        }
    } pen;
    const plot::TraceResult result = plot::traceEveryPoint({1, 2, -4}, 0.005, PlotGeometry{}, pen);
    EXPECT_EQ(pen.opsAtReport, std::vector<std::size_t>{2});
    EXPECT_EQ(result.yIntercept, -4.0);
    EXPECT_EQ(result.pointsTraced, 4000);
    EXPECT_FALSE(result.status());

    tracereference::RecordingPen untouched;
    EXPECT_THROW(plot::traceEveryPoint({1, 2, 3}, 0.0, PlotGeometry{}, untouched), std::invalid_argument);
    EXPECT_THROW(plot::traceEveryPoint({1, 2, 3}, std::nan(""), PlotGeometry{}, untouched), std::invalid_argument);
    EXPECT_TRUE(untouched.ops.empty());
}

TEST(TraceCurve, MatchesTheReferenceModel) {
    std::mt19937_64 random(2024);
    const std::int32_t scales[] = {20, 20, 20, 1, 7, 1000};
    int failures = 0;
    for (int i = 0; i < 300; ++i) {
        const double a = randomCoefficient(random), b = randomCoefficient(random), c = randomCoefficient(random);
        PlotGeometry g;
        g.l1 = scales[i % 6];
        if (i % 10 == 9) g.oy = -g.oy;
        const double step = i % 60 == 0 ? 0.00015 : 0.005;
        SCOPED_TRACE(testing::Message() << "a=" << a << " b=" << b << " c=" << c << " l1=" << g.l1);
        const TraceRecord actual = recordTraceCurve(a, b, c, step, g);
        ASSERT_EQ(actual, tracereference::referenceTrace(a, b, c, step, g));
        failures += actual.failed;
    }
    // The sample covers both outcomes.
    EXPECT_GT(failures, 20);
    EXPECT_LT(failures, 280);
}

// ---------------------------------------------------------------- texts

TEST(AxisTexts, WriteInterceptsAndRoots) {
    struct Case {
        double a, b, c;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {1, 0, -4, "(2,0)", "(-2,0)"},
        {1, -2, 1, "(1,0)", ""},
        {1, 0, 1, "无", ""},
        {0, 2, -1, "(0.5,0)", ""},
        {0, 0, 3, "无", ""},
        {0, 0, 0, "无数", ""},
        {1, 0, -2, "(1.4142135623731,0)", "(-1.4142135623731,0)"},
        {1, 0, 0, "(0,0)", ""},  // the root is -0 / 2
        {-1, 0, 4, "(-2,0)", "(2,0)"},  // the +√D root comes first
        {3, 0, -1, "(0.577350269189626,0)", "(-0.577350269189626,0)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " " << c.b << " " << c.c);
        const plot::XAxisTexts texts = plot::xAxisTexts(c.a, c.b, c.c, ".");
        EXPECT_EQ(texts.first, c.first);
        EXPECT_EQ(texts.second, c.second);
    }
    EXPECT_EQ(plot::xAxisTexts(0, 2, -1, ",").first, "(0,5,0)");
    EXPECT_EQ(plot::yAxisText(-4, "."), "(0,-4)");
    EXPECT_EQ(plot::yAxisText(0, "."), "(0,0)");
    EXPECT_EQ(plot::yAxisText(-1.25, ","), "(0,-1,25)");
}

}  // namespace
