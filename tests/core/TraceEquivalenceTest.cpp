// The compact tracing against the plain reference model: for many curves,
// failing and huge ones included, at both steps and over several geometries,
// the same pixels, the same pen position at the end, the same count of traced
// points (so the same failure position) and the same y-axis ordinate.

#include "core/plot/TraceCurve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "TraceReference.h"
#include "core/raster/PixelSurface.h"
#include "core/plot/AbscissaTable.h"
#include "core/plot/InfoBoxTexts.h"
#include "core/plot/MonotonePieces.h"
#include "core/number/ExtendedRounding.h"

namespace {

using plot::PixelBox;
using plot::PlotGeometry;
using plot::TraceResult;
using tracereference::PenOp;
using tracereference::randomCoefficient;
using tracereference::RecordingPen;
using tracereference::TraceRecord;

constexpr double kNormalStep = 0.005;
constexpr double kFineStep = 0.00015;
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

using Curve = plot::Coefficients;

// The program's tracer in its compact mode, one tracer a geometry, so that
// the abscissa tables are built once as in the program.
TraceResult traceCompact(const Curve& curve, double step, const PlotGeometry& g, const PixelBox& box,
                         plot::SegmentSink& sink) {
    static std::vector<plot::CurveTracer> tracers;
    auto found = std::find_if(tracers.begin(), tracers.end(),
                              [&](const plot::CurveTracer& tracer) { return tracer.geometry() == g; });
    if (found == tracers.end()) found = tracers.insert(tracers.end(), plot::CurveTracer(g));
    return found->trace(curve, step, sink, plot::TraceMode::compact(box));
}

// ---------------------------------------------------------------- ceiling

TEST(CeilOfExactProduct, MatchesRoundingUpUnderTheFpuMode) {
    std::vector<double> values = {0.0, -0.0, 0.05, -0.05, 0.5, -0.5, 1.0, -1.0, 2.5, 1e-320, -1e-320,
                                  std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                                  -std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(), std::nan(""), 0x1p63, -0x1p63,
                                  0x1p62, -0x1p62, 0x1p52, 0x1p52 + 1, 0x1p53 - 1, -(0x1p53 - 1), 0x1p-1074};
    // Around the ends of the int64 range for each scale, where the ceiling
    // stops fitting.
    const std::int64_t scales[] = {20, -20, 1, -1, 0, 7, 2047, -2047, 3, 1024};
    for (const std::int64_t scale : scales) {
        if (scale == 0) continue;
        for (const double end : {0x1p63, -0x1p63}) {
            const double near = end / static_cast<double>(scale);
            double below = near, above = near;
            for (int i = 0; i < 4; ++i) {
                values.push_back(below);
                values.push_back(above);
                below = std::nextafter(below, 0.0);
                above = std::nextafter(above, end * 2);
            }
        }
    }
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::uint64_t> anyBits;
    for (int i = 0; i < 4000; ++i) values.push_back(std::bit_cast<double>(anyBits(random)));
    std::uniform_real_distribution<double> small(-1e6, 1e6);
    for (int i = 0; i < 4000; ++i) values.push_back(small(random));

    for (const std::int64_t scale : scales) {
        for (const double value : values) {
            SCOPED_TRACE(testing::Message() << "scale=" << scale << " value=" << value);
            std::int64_t ceiling = 12345;
            const bool fits = core::ceilOfExactProduct(value, scale, ceiling);
            const auto expected =
                tracereference::roundUnderFpuMode(2, core::Extended(scale) * value);
            ASSERT_EQ(fits, expected.has_value());
            if (fits) {
                ASSERT_EQ(ceiling, *expected);
            }
        }
    }
}

// ---------------------------------------------------------------- segments

// The pen's rule spelled out: n = max(|dx|, |dy|) steps along the longer axis
// (x on a tie), the other coordinate at round(i·d/n), halves toward the start,
// end pixel excluded. Returns the box of the walked pixels.
core::PixelRect drawNaively(std::vector<std::uint32_t>& image, const std::vector<std::uint8_t>& clip, int width,
                                int x0, int y0, int x1, int y1) {
    const int dx = x1 - x0, dy = y1 - y0;
    const int n = std::max(std::abs(dx), std::abs(dy));
    core::PixelRect box{width, 1 << 20, -1, -1};
    for (int i = 0; i < n; ++i) {
        // round(i·d/n) with halves toward 0, i.e. toward the start.
        const auto lag = [&](int d) {
            const int twice = 2 * i * std::abs(d);
            const int rounded = (twice + n - 1) / (2 * n);
            return d < 0 ? -rounded : rounded;
        };
        const int x = std::abs(dx) >= std::abs(dy) ? x0 + (dx < 0 ? -i : i) : x0 + lag(dx);
        const int y = std::abs(dx) >= std::abs(dy) ? y0 + lag(dy) : y0 + (dy < 0 ? -i : i);
        const std::size_t index = std::size_t(y) * width + x;
        if (clip[index]) image[index] = 1;
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
    }
    return n == 0 ? core::PixelRect{} : box;
}

// Segments with both ends in the image take the surface's unclipped path.
TEST(PixelSurfaceInsideSegments, FollowThePensRule) {
    constexpr int kWidth = 40, kHeight = 30;
    std::mt19937_64 random(11);
    std::uniform_int_distribution<int> anyX(0, kWidth - 1), anyY(0, kHeight - 1), nearby(-3, 3);
    std::bernoulli_distribution drawable(0.8);
    core::PixelSurface surface;
    surface.resize(kWidth, kHeight, 0);
    surface.setPenColor(1);
    for (std::uint8_t& byte : surface.clipMask()) byte = drawable(random) ? 1 : 0;
    std::vector<std::uint32_t> expected(std::size_t(kWidth) * kHeight);

    for (int round = 0; round < 4000; ++round) {
        const int x0 = anyX(random), y0 = anyY(random);
        const bool shortOne = round % 2 == 0;
        const int x1 = shortOne ? std::clamp(x0 + nearby(random), 0, kWidth - 1) : anyX(random);
        const int y1 = shortOne ? std::clamp(y0 + nearby(random), 0, kHeight - 1) : anyY(random);
        std::fill(expected.begin(), expected.end(), 0u);
        const core::PixelRect box = drawNaively(expected, surface.clipMask(), kWidth, x0, y0, x1, y1);

        surface.fillRect({0, 0, kWidth, kHeight}, 0);
        surface.moveTo(x0, y0);
        surface.lineTo(x1, y1);
        const core::PixelRect dirty = surface.takeDirtyRect();
        SCOPED_TRACE(testing::Message() << "(" << x0 << "," << y0 << ")->(" << x1 << "," << y1 << ")");
        ASSERT_TRUE(std::equal(expected.begin(), expected.end(), surface.pixels()));
        ASSERT_EQ(dirty.left, box.left);
        ASSERT_EQ(dirty.top, box.top);
        ASSERT_EQ(dirty.right, box.right);
        ASSERT_EQ(dirty.bottom, box.bottom);
    }
}

// ---------------------------------------------------------------- tracing

// Two surfaces of one size, kept between checks: allocating window-sized
// images for every curve would cost more than the tracings.
struct SurfacePair {
    core::PixelSurface compact, plain;
};

// `scratch` asks for a pair that is resized for each use, not kept per size.
SurfacePair& surfacesOf(int width, int height, bool scratch = false) {
    static std::map<std::pair<int, int>, SurfacePair> surfaces;
    static SurfacePair scratchPair;
    SurfacePair& pair = scratch ? scratchPair : surfaces[{width, height}];
    for (core::PixelSurface* surface : {&pair.compact, &pair.plain}) {
        surface->resize(width, height, 0);
        surface->fillRect({0, 0, width, height}, 0);
        surface->setPenColor(1);
    }
    return pair;
}

void draw(const std::vector<PenOp>& ops, core::PixelSurface& surface) {
    for (const PenOp& op : ops) {
        if (op.kind == PenOp::Move) {
            surface.moveTo(op.x, op.y);
        } else {
            surface.lineTo(op.x, op.y);
        }
    }
}

bool samePixels(const core::PixelSurface& lhs, const core::PixelSurface& rhs) {
    const std::size_t count = std::size_t(lhs.width()) * std::size_t(lhs.height());
    return std::equal(lhs.pixels(), lhs.pixels() + count, rhs.pixels());
}

// A box around every point the reference visited, so that no point lies
// beyond an edge; empty when a point sits at the end of the int64 range.
std::optional<PixelBox> boxAround(const std::vector<PenOp>& ops) {
    PixelBox box{kMax, kMax, kMin, kMin};
    for (const PenOp& op : ops) {
        if (op.x == kMax || op.y == kMax) return std::nullopt;
        box = {std::min(box.left, op.x), std::min(box.top, op.y), std::max(box.right, op.x + 1),
               std::max(box.bottom, op.y + 1)};
    }
    return box;
}

struct Expected {
    TraceRecord record;
    std::int64_t pointsTraced;
};

Expected reference(const Curve& curve, double step, const PlotGeometry& g) {
    Expected expected{tracereference::referenceTrace(curve.a, curve.b, curve.c, step, g), 0};
    expected.pointsTraced = std::count_if(expected.record.ops.begin(), expected.record.ops.end(),
                                          [](const PenOp& op) { return op.kind == PenOp::Line; });
    return expected;
}

void expectSameOutcome(const TraceResult& outcome, const Expected& expected) {
    EXPECT_EQ(outcome.failed, expected.record.failed);
    EXPECT_EQ(outcome.pointsTraced, expected.pointsTraced);
    ASSERT_LE(expected.record.yIntercepts.size(), 1u);
    if (expected.record.yIntercepts.empty()) {
        EXPECT_FALSE(outcome.yIntercept.has_value());
    } else {
        ASSERT_TRUE(outcome.yIntercept.has_value());
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*outcome.yIntercept),
                  std::bit_cast<std::uint64_t>(expected.record.yIntercepts[0]));
    }
}

// Whether `part` is `whole` with some operations left out.
bool isSubsequence(const std::vector<PenOp>& part, const std::vector<PenOp>& whole) {
    auto next = whole.begin();
    for (const PenOp& op : part) {
        next = std::find(next, whole.end(), op);
        if (next == whole.end()) return false;
        ++next;
    }
    return true;
}

std::vector<PenOp> shifted(std::vector<PenOp> ops, std::int64_t dx, std::int64_t dy) {
    for (PenOp& op : ops) {
        op.x += dx;
        op.y += dy;
    }
    return ops;
}

// Checks one curve. With a box holding every point, the operations are some
// of the reference's, and where that box is of a drawable size they draw the
// same pixels in it. With the box of a surface, the pixels on that surface
// and the pen's final position are the reference's.
void expectEquivalent(const Curve& curve, double step, const PlotGeometry& g, int width, int height) {
    SCOPED_TRACE(testing::Message() << "a=" << curve.a << " b=" << curve.b << " c=" << curve.c << " step=" << step
                                    << " l1=" << g.l1 << " ox=" << g.ox << " oy=" << g.oy << " xn=" << g.xn);
    const Expected expected = reference(curve, step, g);

    if (const std::optional<PixelBox> everything = boxAround(expected.record.ops)) {
        RecordingPen pen;
        const TraceResult outcome = traceCompact(curve, step, g, *everything, pen);
        expectSameOutcome(outcome, expected);
        EXPECT_TRUE(isSubsequence(pen.ops, expected.record.ops));
        const __int128 width = __int128{everything->right} - everything->left;
        const __int128 height = __int128{everything->bottom} - everything->top;
        if (width <= 4096 && height <= 4096 && width * height <= (1 << 20)) {
            SurfacePair& surfaces = surfacesOf(int(width), int(height), true);
            draw(shifted(pen.ops, -everything->left, -everything->top), surfaces.compact);
            draw(shifted(expected.record.ops, -everything->left, -everything->top), surfaces.plain);
            EXPECT_TRUE(samePixels(surfaces.compact, surfaces.plain));
            surfaces.compact.takeDirtyRect();
            surfaces.plain.takeDirtyRect();
        }
    }

    RecordingPen pen;
    const PixelBox surfaceBox{0, 0, width, height};
    const TraceResult outcome = traceCompact(curve, step, g, surfaceBox, pen);
    expectSameOutcome(outcome, expected);
    EXPECT_LE(pen.ops.size(), expected.record.ops.size());
    SurfacePair& surfaces = surfacesOf(width, height);
    draw(pen.ops, surfaces.compact);
    draw(expected.record.ops, surfaces.plain);
    EXPECT_TRUE(samePixels(surfaces.compact, surfaces.plain));
    const core::PixelRect compactDirty = surfaces.compact.takeDirtyRect();
    const core::PixelRect plainDirty = surfaces.plain.takeDirtyRect();
    EXPECT_EQ(compactDirty.left, plainDirty.left);
    EXPECT_EQ(compactDirty.top, plainDirty.top);
    EXPECT_EQ(compactDirty.right, plainDirty.right);
    EXPECT_EQ(compactDirty.bottom, plainDirty.bottom);
    if (!pen.ops.empty()) {  // where the pen was left
        EXPECT_EQ(pen.ops.back().x, expected.record.ops.back().x);
        EXPECT_EQ(pen.ops.back().y, expected.record.ops.back().y);
    }
}

// Curves chosen for the paths they take: monotone and non-monotone passes,
// failures at the first point, part-way along a monotone pass (found by
// bisection) and along a non-monotone one, the leftward pass failing alone,
// lines, constants, and curves that stay off the plot. The last two dip below
// y = −1, into the next pixel row, for a handful of points around their
// vertex at x = ±1 only: a tracing that took the pass for monotone would skip
// the dip.
const std::vector<Curve> kChosenCurves = {
    {1, 0, -4},       {1, -2, 0.5},      {1, -2, 1},     {0, 2, -1},      {0, 0, 3},      {0, 0, 0},
    {-1, 0, 4},       {2, 3, -5},        {-2, -3, 5},    {0.5, -3, 2},    {1e17, 0, 0},   {1e17, -1, 0},
    {-1e16, 1e17, 0}, {1e16, -1e17, 0},  {0, 0, 1e18},   {0, 0, -1e18},   {0, 1e18, 0},   {1e-300, 0, 0},
    {0, 0, 1e3},      {0, 0, -1e3},      {1e6, 0, 0},    {-1e6, 1e6, 1},  {0, 5e16, 0},   {0, -5e16, 3},
    {0.001, 0, 0},    {-0.001, 0.01, 0}, {1e300, 0, 0},  {1e308, 1e308, 0}, {3, -0.0, -0.0}, {-0.0, 2, 0},
    {1, 2, -1e-6},    {1, -2, -1e-6},
};

// The curves of the refresh benchmarks.
std::vector<Curve> replayCurves() {
    std::vector<Curve> curves;
    for (int k = 0; k < 100; ++k) curves.push_back({(k - 50) / 25.0, double(k % 7 - 3), double(k % 11 - 5)});
    return curves;
}

PlotGeometry geometryWith(std::int32_t l1, std::int32_t ox, std::int32_t oy) {
    PlotGeometry g;
    g.l1 = l1;
    g.ox = ox;
    g.oy = oy;
    return g;
}

TEST(TraceCurveCompact, MatchesTheReferenceAtTheNormalStep) {
    const PlotGeometry window;  // the default geometry on a window-sized surface
    const PlotGeometry small = geometryWith(20, 48, 36);
    const PlotGeometry scales[] = {geometryWith(1, 48, 36), geometryWith(7, 10, 80), geometryWith(1000, 48, -36),
                                   geometryWith(3000, 48, 36), geometryWith(-20, 48, 36), geometryWith(0, 48, 36)};
    for (const Curve& curve : kChosenCurves) {
        expectEquivalent(curve, kNormalStep, window, 651, 640);
        expectEquivalent(curve, kNormalStep, small, 96, 72);
        for (const PlotGeometry& g : scales) expectEquivalent(curve, kNormalStep, g, 96, 72);
    }
    for (const Curve& curve : replayCurves()) expectEquivalent(curve, kNormalStep, window, 651, 640);

    std::mt19937_64 random(2025);
    for (int i = 0; i < 200; ++i) {
        const Curve curve{randomCoefficient(random), randomCoefficient(random), randomCoefficient(random)};
        expectEquivalent(curve, kNormalStep, window, 651, 640);
        expectEquivalent(curve, kNormalStep, i % 2 ? small : scales[i % 6], 96, 72);
    }
}

TEST(TraceCurveCompact, MatchesTheReferenceAtTheFineStep) {
    const PlotGeometry window;
    const PlotGeometry small = geometryWith(20, 48, 36);
    for (const Curve& curve : kChosenCurves) {
        expectEquivalent(curve, kFineStep, window, 651, 640);
        expectEquivalent(curve, kFineStep, small, 96, 72);
    }
    const std::vector<Curve> replay = replayCurves();
    for (std::size_t k = 0; k < replay.size(); k += 5) expectEquivalent(replay[k], kFineStep, window, 651, 640);

    std::mt19937_64 random(2026);
    for (int i = 0; i < 12; ++i) {
        const Curve curve{randomCoefficient(random), randomCoefficient(random), randomCoefficient(random)};
        expectEquivalent(curve, kFineStep, window, 651, 640);
    }
}

// Other ranges of x: none at all (xn < 0), one point per pass, and one too
// long for the cache, traced without a table.
TEST(TraceCurveCompact, MatchesTheReferenceForOtherRanges) {
    for (const std::int32_t xn : {-3, 0, 1, 40}) {
        PlotGeometry g;
        g.xn = xn;
        const double step = xn == 40 ? kFineStep : kNormalStep;
        for (const Curve& curve : {Curve{1, -2, 0.5}, Curve{1e17, 0, 0}, Curve{0, 0, 1e18}}) {
            expectEquivalent(curve, step, g, 651, 640);
        }
    }
}

// At 15 pixels a step, the first three points lie above and left of the
// surface, left of it, then above it: the middle point cannot be left out,
// since the segment after it crosses the surface. The doubles nearest 0.005
// and 0.01 lie just above them, so 3000·t is just above 15 and 30, and the
// columns are −20 + 16 and −20 + 31.
TEST(TraceCurveCompact, KeepsAPointWhereThePolylineTurnsAroundACorner) {
    const PlotGeometry steep = geometryWith(3000, -20, 36);
    const Curve turning{664, -6.64, 0.0153};
    RecordingPen pen;
    traceCompact(turning, kNormalStep, steep, PixelBox{0, 0, 96, 72}, pen);
    ASSERT_GE(pen.ops.size(), 4u);
    EXPECT_EQ(pen.ops[1], (PenOp{PenOp::Move, -20, -10}));
    EXPECT_EQ(pen.ops[2], (PenOp{PenOp::Line, -4, 39}));  // ceil(3000·(−0.0013)) = −3
    EXPECT_EQ(pen.ops[3], (PenOp{PenOp::Line, 11, -10}));  // ceil(3000·0.0153) = 46
    expectEquivalent(turning, kNormalStep, steep, 96, 72);
}

TEST(TraceCurveCompact, RejectsASteplessTracingBeforeDrawing) {
    RecordingPen pen;
    const PixelBox box{0, 0, 10, 10};
    EXPECT_THROW(traceCompact({1, 0, 0}, 0.0, PlotGeometry{}, box, pen), std::invalid_argument);
    EXPECT_THROW(traceCompact({1, 0, 0}, std::nan(""), PlotGeometry{}, box, pen), std::invalid_argument);
    EXPECT_TRUE(pen.ops.empty());
}

// A pair of neighbouring points whose slope q = a·(u + v) + b lies within the
// bound on its rounding errors may turn either way, so it is traced point by
// point. With a = 1 and b = −(the double after t1), the first pair of the
// rightward pass has q = t1 + b = −ulp(t1) ≈ −8.7·10^-19, while the bound is
// at least 2·8·2^-64·(|a|·10 + |b|) ≈ 8.7·10^-18: that pair belongs to
// neither monotone piece. The second pair, q ≈ 0.01, is clearly rising.
TEST(MonotonePieces, LeaveThePairsWithinTheRoundingBoundToPointByPointTracing) {
    plot::AbscissaTables tables;
    const plot::AbscissaTable* table = tables.find(kNormalStep, PlotGeometry{});
    ASSERT_NE(table, nullptr);
    const plot::AbscissaTable::Pass& pass = table->rightward();
    const double t1 = pass.t[1];
    const plot::MonotonePieces pieces = plot::monotonePieces(pass, {1, -std::nextafter(t1, 1.0), 0}, true);
    EXPECT_EQ(pieces.prefixEnd, 0u);
    EXPECT_EQ(pieces.suffixStart, 1u);
}

// The abscissae of both steps fit a tracer's budget together; a range too
// long for the budget gets no table, and the tables never grow beyond it.
TEST(AbscissaTable, StaysWithinItsMemoryBudget) {
    const PlotGeometry window;
    plot::AbscissaTables tables;
    const plot::AbscissaTable* fine = tables.find(kFineStep, window);
    const plot::AbscissaTable* normal = tables.find(kNormalStep, window);
    ASSERT_TRUE(fine && normal);
    EXPECT_EQ(fine->rightward().size(), 66667u);
    EXPECT_EQ(normal->leftward().size(), 2000u);
    EXPECT_EQ(fine->rightward().t.back(), 9.999899999987832);
    EXPECT_EQ(normal->rightward().t.back(), 9.995000000000163);
    EXPECT_EQ(normal->rightward().column[1], 301);  // x = 0.005 lies at ox + 1
    EXPECT_EQ(normal->leftward().column[1], 300);   // x = −0.005 at ox + 0
    EXPECT_EQ(tables.find(kFineStep, window), fine);  // built once

    PlotGeometry wide = window;
    wide.xn = 40;
    EXPECT_EQ(tables.find(kFineStep, wide), nullptr);
    for (std::int32_t ox = 0; ox < 10; ++ox) {
        PlotGeometry moved = window;
        moved.ox = ox;
        EXPECT_NE(tables.find(kFineStep, moved), nullptr);
        EXPECT_LE(tables.bytes(), plot::AbscissaTable::kBudgetBytes);
    }
}

}  // namespace
