#include <gtest/gtest.h>

#include <vector>

#include "TraceReference.h"
#include "core/plot/Axes.h"

namespace {

using Op = tracereference::PenOp;
using tracereference::RecordingPen;
constexpr Op::Kind M = Op::Move, L = Op::Line;

}  // namespace

TEST(Axes, DefaultGeometryIssuesAxesArrowheadsThenTicks)
{
    RecordingPen pen;
    plot::drawAxes(plot::PlotGeometry{}, pen);
    ASSERT_EQ(pen.ops.size(), 12u + 40u + 40u);
    const std::vector<Op> axes = {
        {M, 50, 360}, {L, 550, 360}, {M, 300, 110}, {L, 300, 610},
        {M, 540, 357}, {L, 550, 360}, {M, 540, 363}, {L, 550, 360},
        {M, 297, 120}, {L, 300, 110}, {M, 303, 120}, {L, 300, 110},
    };
    EXPECT_EQ(std::vector<Op>(pen.ops.begin(), pen.ops.begin() + 12), axes);
    for (int i = 1; i <= 10; ++i) {
        const std::size_t x = 12 + 4 * std::size_t(i - 1);
        EXPECT_EQ(pen.ops[x], (Op{M, 300 + 20 * i, 357}));
        EXPECT_EQ(pen.ops[x + 1], (Op{L, 300 + 20 * i, 360}));
        EXPECT_EQ(pen.ops[x + 2], (Op{M, 300 - 20 * i, 357}));
        EXPECT_EQ(pen.ops[x + 3], (Op{L, 300 - 20 * i, 360}));
        const std::size_t y = 52 + 4 * std::size_t(i - 1);
        EXPECT_EQ(pen.ops[y], (Op{M, 303, 360 - 20 * i}));
        EXPECT_EQ(pen.ops[y + 1], (Op{L, 300, 360 - 20 * i}));
        EXPECT_EQ(pen.ops[y + 2], (Op{M, 303, 360 + 20 * i}));
        EXPECT_EQ(pen.ops[y + 3], (Op{L, 300, 360 + 20 * i}));
    }
}

TEST(Axes, NoTicksWithoutTickCounts)
{
    for (const int n : {0, -5}) {
        plot::PlotGeometry g;
        g.xn = n;
        g.yn = n;
        RecordingPen pen;
        plot::drawAxes(g, pen);
        EXPECT_EQ(pen.ops.size(), 12u);
    }
}
