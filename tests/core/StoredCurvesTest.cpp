// The model of the stored curves: what the info box shows after curves are
// traced in a row, and each curve's points of interest, against hand-worked
// values.

#include "core/model/StoredCurves.h"

#include <gtest/gtest.h>

#include "core/exact/Explanation.h"
#include "core/explore/GraphReading.h"
#include "core/plot/Graph.h"

namespace {

using model::PointOfInterest;
using Curve = plot::Coefficients;

model::StoredCurves storedWith(const std::vector<std::pair<Curve, plot::FieldTexts>>& curves)
{
    model::StoredCurves stored(".");
    stored.setDrawingArea(651, 640);
    for (const auto& [curve, texts] : curves) stored.table().add(curve, texts);
    return stored;
}

// After tracings in a row the info box shows the x-axis texts of the last
// (empty if it failed) and the y-axis text of the last that reached x = 0.
TEST(StoredCurves, TheInfoBoxKeepsWhatTheLastRewriteOfEachLabelLeaves)
{
    const Curve twoRoots{1, 0, -4}, oneRoot{1, -2, 1};
    const Curve failsAtOnce{0, 0, 1e18}, failsLater{1e17, 0, 0};
    struct Case {
        std::vector<Curve> curves;
        const char* first;
        const char* second;
        const char* yAxis;  // null: the label keeps its caption
    };
    const Case cases[] = {
        {{twoRoots}, "(2,0)", "(-2,0)", "(0,-4)"},
        {{twoRoots, failsAtOnce}, "", "", "(0,-4)"},
        {{twoRoots, failsLater}, "", "", "(0,0)"},
        {{failsLater, oneRoot}, "(1,0)", "", "(0,1)"},
        {{oneRoot, twoRoots, oneRoot}, "(1,0)", "", "(0,1)"},
        {{failsAtOnce}, "", "", nullptr},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<Curve, plot::FieldTexts>> curves;
        for (const Curve& curve : c.curves) curves.push_back({curve, {}});
        model::StoredCurves stored = storedWith(curves);
        const std::optional<plot::InfoBoxTexts> texts = stored.infoBoxAfterAll(plot::kNormalStep);
        ASSERT_TRUE(texts.has_value());
        EXPECT_EQ(texts->xAxisFirst, c.first);
        EXPECT_EQ(texts->xAxisSecond, c.second);
        EXPECT_EQ(texts->yAxis.value_or("none"), c.yAxis ? c.yAxis : "none");
    }
    EXPECT_FALSE(storedWith({}).infoBoxAfterAll(plot::kNormalStep).has_value());  // no tracing, no change
}

std::string describe(const PointOfInterest& point)
{
    const std::string pixel = point.pixel ? std::to_string(point.pixel->x) + "," + std::to_string(point.pixel->y) : "-";
    return point.spoken() + " | " + point.exact + " | " + pixel + " | " + explore::markLabel(point, ".");
}

// The worked examples: l1 = 20 pixels a unit, the origin at (300, 360), a
// point (x, y) at (300 + ⌈20x⌉, 360 − ⌈20y⌉).
TEST(StoredCurves, PointsOfInterestInXOrder)
{
    struct Case {
        plot::FieldTexts fields;
        Curve curve;
        std::vector<std::string> points;
    };
    const Case cases[] = {
        {{"1", "-3", "1"},
         {1, -3, 1},
         {"与y轴交点 (0,1) | (0,1) | 300,340 | (0,1)", "与x轴交点 (0.381966011250105,0) | ((3-√5)/2,0) | 308,360 | (0.382,0)",
          "顶点 (3/2,-5/4) | (3/2,-5/4) | 330,385 | 顶点 (3/2,-5/4)", "与x轴交点 (2.61803398874989,0) | ((3+√5)/2,0) | 353,360 | (2.618,0)"}},
        {{"-2", "7", "-3"},
         {-2, 7, -3},
         {"与y轴交点 (0,-3) | (0,-3) | 300,420 | (0,-3)", "与x轴交点 (0.5,0) | (1/2,0) | 310,360 | (1/2,0)",
          "顶点 (7/4,25/8) | (7/4,25/8) | 335,297 | 顶点 (7/4,25/8)", "与x轴交点 (3,0) | (3,0) | 360,360 | (3,0)"}},
        // A line: one intersection; y = 3: none with the x axis, no vertex.
        {{"", "2", "-1"}, {0, 2, -1}, {"与y轴交点 (0,-1) | (0,-1) | 300,380 | (0,-1)", "与x轴交点 (0.5,0) | (1/2,0) | 310,360 | (1/2,0)"}},
        {{"", "", "3"}, {0, 0, 3}, {"与y轴交点 (0,3) | (0,3) | 300,300 | (0,3)"}},
        // Beyond any short exact form, and beyond the 64-bit plane.
        {{"1", "", "1E300"}, {1, 0, 1e300}, {"顶点 (0,1E300) |  | - | 顶点 (0,1E300)", "与y轴交点 (0,1E300) |  | - | (0,1E300)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fields[0] + " | " + c.fields[1] + " | " + c.fields[2]);
        model::StoredCurves stored = storedWith({{c.curve, c.fields}});
        std::vector<std::string> points;
        for (const PointOfInterest& point : stored.facts(0, plot::kNormalStep).points) points.push_back(describe(point));
        EXPECT_EQ(points, c.points);
    }
}

// A curve whose tracing fails says so, and shows only what its tracing left.
TEST(StoredCurves, AFailedTracingShowsWhatTheWindowShows)
{
    model::StoredCurves stored = storedWith({{{0, 0, 1e18}, {"", "", "1E18"}}, {{1e17, 0, 0}, {"1E17", "", ""}}});
    const std::vector<exact::CurveTexts> texts = stored.curveTexts(plot::kNormalStep);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].tracing, exact::Tracing::NotAtAll);
    EXPECT_EQ(texts[0].yAxis + texts[0].xAxisFirst, "");
    EXPECT_EQ(exact::curveSummary(texts[0], "."), "y=1E18，水平直线，数值过大，无法绘制此图象");
    EXPECT_EQ(texts[1].tracing, exact::Tracing::PartWay);
    EXPECT_EQ(exact::curveSummary(texts[1], "."),
              "y=1E17x²，顶点 (0,0)，对称轴 x=0，开口向上，数值过大，此图象只绘制了一部分，与y轴交点 (0,0)");
    EXPECT_EQ(stored.firstFailing(plot::kNormalStep), 0u);
}

}  // namespace
