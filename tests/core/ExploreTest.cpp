// Exploring the graph: the curve the pointer snaps to and the values under
// it, the trace point's moves and what is said of it, the exact value at a
// typed abscissa, the overlay's boxes and labelled ticks, against
// hand-worked points. The origin is at (300, 360), 20 pixels a unit; the
// tracing puts (x, y) at (300 + ⌈20x⌉, 360 − ⌈20y⌉).

#include <gtest/gtest.h>

#include "core/exact/ExactForms.h"
#include "core/explore/GraphReading.h"
#include "core/explore/OwnerImage.h"
#include "core/explore/Placement.h"
#include "core/explore/TracePoint.h"
#include "core/model/StoredCurves.h"
#include "core/number/NumberParse.h"
#include "core/plot/Graph.h"

namespace {

using explore::TraceMove;

plot::Coefficients curveOf(const plot::FieldTexts& fields)
{
    plot::Coefficients curve;
    double* coefficients[] = {&curve.a, &curve.b, &curve.c};
    for (std::size_t i = 0; i < 3; ++i)
        *coefficients[i] = fields[i].empty() ? 0.0 : *core::parseFloatField(fields[i], ".");
    return curve;
}

model::StoredCurves stored(const std::vector<plot::FieldTexts>& curves)
{
    model::StoredCurves stored(".");
    stored.setDrawingArea(651, 640);
    for (const plot::FieldTexts& fields : curves) stored.table().add(curveOf(fields), fields);
    return stored;
}

// What the pointer's box says at a pixel: the curve it snaps to with the
// point on it, or the coordinates alone.
std::string boxAt(model::StoredCurves& curves, int px, int py)
{
    explore::OwnerImage owners;
    owners.update(curves.table(), plot::kNormalStep, 651, 640, plot::graphReach(651, 640));
    const plot::PlotGeometry geometry;
    const std::optional<std::size_t> curve = owners.nearestCurve(px, py);
    if (!curve) return explore::pointText(explore::pointUnder(geometry, px, py), ".");
    const model::CurveFacts& facts = curves.facts(*curve, plot::kNormalStep);
    return std::to_string(*curve) + " " +
           explore::snappedText(facts.formula, explore::snappedPoint(geometry, facts.curve, px), ".");
}

TEST(Explore, ThePointerSnapsToTheNearestCurveTheLatestOnTies)
{
    const plot::FieldTexts parabola{"1", "-3", "1"}, line{"", "1", ""}, up{"", "", "0.25"}, down{"", "", "-0.25"};
    struct Case {
        std::vector<plot::FieldTexts> curves;
        int px, py;
        const char* box;
    };
    const Case cases[] = {
        // The vertex (3/2, −5/4) is drawn at (330, 385).
        {{parabola}, 330, 385, "0 y=x²-3x+1  (1.5,-1.25)"},
        // Six pixels off still snaps, to the value at the pointer's abscissa; seven do not.
        {{parabola}, 330, 391, "0 y=x²-3x+1  (1.5,-1.25)"},
        {{parabola}, 330, 392, "(1.5,-1.6)"},
        {{parabola}, 336, 389, "0 y=x²-3x+1  (1.8,-1.16)"},
        {{parabola}, 336, 391, "(1.8,-1.55)"},
        // Nothing near: the coordinates under the pointer alone.
        {{}, 300, 360, "(0,0)"},
        {{parabola}, 200, 200, "(-5,8)"},
        {{parabola}, 51, 609, "(-12.45,-12.45)"},
        // The same line twice: the latest drawn inks its pixels.
        {{line, parabola, line}, 340, 320, "2 y=x  (2,2)"},
        {{line, parabola, line}, 341, 320, "2 y=x  (2.05,2.05)"},
        // y = 1/4 is drawn on row 355, y = −1/4 on row 365: from row 360 both
        // are five pixels away, and the latest wins.
        {{up, down}, 400, 360, "1 y=-0.25  (5,-0.25)"},
        {{down, up}, 400, 360, "1 y=0.25  (5,0.25)"},
        {{down, up}, 400, 364, "0 y=-0.25  (5,-0.25)"},
    };
    for (const Case& c : cases) {
        model::StoredCurves curves = stored(c.curves);
        EXPECT_EQ(boxAt(curves, c.px, c.py), c.box) << c.px << "," << c.py;
    }
}

TEST(Explore, TheKeysMoveTheTracePointAlongColumnsAndPointsOfInterest)
{
    model::StoredCurves curves = stored({{"1", "-3", "1"}});
    const std::vector<model::PointOfInterest>& points = curves.facts(0, plot::kNormalStep).points;
    const double lowRoot = points[1].x, highRoot = points[3].x;  // (3 ∓ √5)/2
    struct Case {
        std::optional<double> from;
        TraceMove move;
        double to;
    };
    const Case cases[] = {
        // Not placed yet: the first step lands on the y axis.
        {std::nullopt, TraceMove::Right, 0},
        {std::nullopt, TraceMove::Left, 0},
        {std::nullopt, TraceMove::UnitRight, 0},
        {std::nullopt, TraceMove::NextPoint, 0},
        {std::nullopt, TraceMove::PreviousPoint, highRoot},
        // One column is 1/20; between columns the next one up or down.
        {0.0, TraceMove::Right, 0.05},
        {0.05, TraceMove::Left, 0.0},
        {1.45, TraceMove::Right, 1.5},
        {lowRoot, TraceMove::Right, 0.4},
        {lowRoot, TraceMove::Left, 0.35},
        {9.98, TraceMove::Right, 10},
        {10.0, TraceMove::Right, 10},
        {-10.0, TraceMove::Left, -10},
        // One unit, along the columns where it starts on one.
        {0.05, TraceMove::UnitRight, 1.05},
        {-9.5, TraceMove::UnitLeft, -10},
        {highRoot, TraceMove::UnitRight, highRoot + 1},
        {0.7, TraceMove::Home, -10},
        {0.7, TraceMove::End, 10},
        // The points of interest in x order: (0,1), the lower root, (3/2,-5/4), the upper root.
        {0.0, TraceMove::NextPoint, lowRoot},
        {lowRoot, TraceMove::NextPoint, 1.5},
        {1.5, TraceMove::PreviousPoint, lowRoot},
        {0.2, TraceMove::PreviousPoint, 0},
        {highRoot, TraceMove::NextPoint, highRoot},
        {-3.0, TraceMove::PreviousPoint, -3},
        // A typed abscissa far outside comes back in from its end.
        {100.0, TraceMove::Left, 10},
        {-1e300, TraceMove::Right, -10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(explore::movedAbscissa(c.from, c.move, plot::PlotGeometry{}, points), c.to)
            << (c.from ? std::to_string(*c.from) : "none") << " move " << int(c.move);
}

TEST(Explore, WhatIsSaidOfTheTracePointAndWhereItIsDrawn)
{
    model::StoredCurves curves = stored({{"1", "-3", "1"}, {"1", "", ""}});
    const core::PixelRect area{0, 89, 651, 640};
    const plot::PlotGeometry geometry;
    using Arrow = explore::TraceMarker::Arrow;
    struct Case {
        std::size_t curve;
        double x;
        const char* exactValue;
        const char* said;
        explore::TraceMarker marker;
    };
    const Case cases[] = {
        {0, 0, "", "与y轴交点 (0,1)", {300, 340, Arrow::None}},
        // The Double nearest 0.05 lies just above it: two columns right of the origin.
        {0, 0.05, "", "(0.05,0.8525)", {302, 342, Arrow::None}},
        {0, 1.5, "", "顶点 (3/2,-5/4)", {330, 385, Arrow::None}},
        {0, 0.5, "x=1/2 时 y=-1/4", "(0.5,-0.25)，x=1/2 时 y=-1/4", {310, 365, Arrow::None}},
        // 71 units up is far above the area: an arrow on its top edge.
        {0, 10, "", "(10,71)，在图像上方", {500, 89, Arrow::Up}},
        {0, -10, "", "(-10,131)，在图像上方", {100, 89, Arrow::Up}},
        // Beyond the x axis's end on the right, and off the 64-bit plane.
        {1, 20, "", "(20,400)，在图像上方", {650, 89, Arrow::Up}},
        {1, -1e10, "", "(-10000000000,1E20)，在图像上方", {0, 89, Arrow::Up}},
        // Every point of interest at the abscissa.
        {1, 0, "", "顶点 (0,0)，与x轴交点 (0,0)，与y轴交点 (0,0)", {300, 360, Arrow::None}},
    };
    for (const Case& c : cases) {
        const model::CurveFacts& facts = curves.facts(c.curve, plot::kNormalStep);
        EXPECT_EQ(explore::traceSpeech(facts, c.x, geometry, area, ".", c.exactValue), c.said);
        EXPECT_EQ(explore::traceMarker(facts.curve, c.x, geometry, area), c.marker) << c.said;
    }
    // Below the area, and right of it for a line flat enough to stay in it.
    model::StoredCurves more = stored({{"-1", "", ""}, {"", "", "1"}});
    EXPECT_EQ(explore::traceSpeech(more.facts(0, plot::kNormalStep), 10, geometry, area, "."), "(10,-100)，在图像下方");
    EXPECT_EQ(explore::traceMarker(more.facts(0, plot::kNormalStep).curve, 10, geometry, area),
              (explore::TraceMarker{500, 639, Arrow::Down}));
    EXPECT_EQ(explore::traceSpeech(more.facts(1, plot::kNormalStep), 20, geometry, area, "."), "(20,1)，在图像右侧");
}

TEST(Explore, TheExactValueAtATypedAbscissa)
{
    struct Case {
        exact::FieldTexts fields;
        const char* x;
        const char* separator;
        const char* value;
    };
    const Case cases[] = {
        {{"1", "-3", "1"}, "0.5", ".", "x=1/2 时 y=-1/4"},
        {{"1", "-3", "1"}, " -2 ", ".", "x=-2 时 y=11"},
        {{"1", "-3", "1"}, "2.5e-1", ".", "x=1/4 时 y=5/16"},
        {{"0,1", "", ""}, "0,5", ",", "x=1/2 时 y=1/40"},
        {{"", "", "7"}, "1E3", ".", "x=1000 时 y=7"},
        // Not an abscissa the fields accept, drawn as 0 though typed otherwise, or too long to say.
        {{"1", "-3", "1"}, "abc", ".", ""},
        {{"1", "-3", "1"}, "1E-400", ".", ""},
        {{"1", "-3", "1"}, "1E300", ".", ""},
        {{"1E-400", "", ""}, "1", ".", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(exact::exactValueAt(c.fields, c.x, c.separator), c.value) << c.x;
}

// A box beside the cursor stays inside the area and off the cursor, wherever
// the pointer is; it goes to the cursor's right where there is room.
TEST(Explore, ThePointersBoxNeverLeavesTheAreaNorCoversTheCursor)
{
    const core::PixelRect area{0, 89, 651, 640};
    for (int y = area.top; y < area.bottom; y += 7) {
        for (int x = area.left; x < area.right; x += 7) {
            const core::PixelRect cursor = explore::cursorBox(x, y);
            const core::PixelRect box = explore::placeBeside(area, cursor, 150, 20);
            ASSERT_TRUE(box.left >= area.left && box.right <= area.right && box.top >= area.top &&
                        box.bottom <= area.bottom)
                << x << "," << y;
            ASSERT_FALSE(box.left < cursor.right && cursor.left < box.right && box.top < cursor.bottom &&
                         cursor.top < box.bottom)
                << x << "," << y;
        }
    }
    EXPECT_EQ(explore::placeBeside(area, explore::cursorBox(300, 300), 150, 20), (core::PixelRect{318, 302, 468, 322}));
    // Clear of a control on the right (the info box), where there is room on the left.
    EXPECT_EQ(explore::placeBeside(area, explore::cursorBox(300, 300), 150, 20, {{433, 280, 577, 387}}),
              (core::PixelRect{146, 302, 296, 322}));
}

TEST(Explore, PointsOfInterestLabelledShortlyAndTicksEverySecondOne)
{
    EXPECT_EQ(explore::shortNumber(0.381966011250105, "."), "0.382");
    EXPECT_EQ(explore::shortNumber(-2.0, ","), "-2");
    EXPECT_EQ(explore::shortNumber(-0.0001, "."), "-1E-4");
    EXPECT_EQ(explore::shortNumber(12345678.9, ","), "1,23E7");
    EXPECT_EQ(explore::shortNumber(1.0006, "."), "1.001");
    EXPECT_EQ(explore::shortNumber(1.0005, "."), "1");  // the Double lies below 1.0005

    const std::vector<explore::TickLabel> ticks = explore::tickLabels(plot::PlotGeometry{});
    std::string xs, ys;
    for (const explore::TickLabel& tick : ticks) {
        std::string& texts = tick.axis == explore::TickLabel::Axis::Y ? ys : xs;
        texts += tick.text + "@" + std::to_string(tick.pixel) + " ";
    }
    EXPECT_EQ(xs, "0@300 -10@100 -8@140 -6@180 -4@220 -2@260 2@340 4@380 6@420 8@460 10@500 ");
    EXPECT_EQ(ys, "-10@560 -8@520 -6@480 -4@440 -2@400 2@320 4@280 6@240 8@200 10@160 ");
}

}  // namespace
