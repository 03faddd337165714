// Pictures of the graph at scales 2 to 8 against the geometry they promise:
// each inked pixel near the scaled segment, axes exactly N pixels wide, no
// gap along any stroke, and finer steps than an enlargement of scale 1.

#include "core/raster/GraphPicture.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/plot/Graph.h"
#include "core/vector/Polylines.h"

namespace {

constexpr std::uint32_t kBackground = 0xffefefefu, kInk = 0xff000000u;
constexpr int kWidth = core::kGraphWidth, kHeight = core::kGraphHeight;

struct Point {
    double x, y;
};

// The scaled segments of the graph: client pixel p stands for the block
// centre N·p + N/2.
std::vector<std::pair<Point, Point>> idealSegments(plot::CurveTable& table, double step, int scale)
{
    core::PolylineCollector collector(plot::PixelBox{0, 0, kWidth, kHeight}.grownBy(4));
    plot::drawGraph(table, step, kWidth, kHeight, collector);
    std::vector<std::pair<Point, Point>> segments;
    const auto device = [scale](const core::VectorPoint& p) {
        return Point{double(p.x) * scale + scale / 2.0, double(p.y) * scale + scale / 2.0};
    };
    for (const core::Polyline& polyline : collector.polylines())
        for (std::size_t i = 1; i < polyline.size(); ++i)
            segments.push_back({device(polyline[i - 1]), device(polyline[i])});
    return segments;
}

double distance(Point p, Point a, Point b)
{
    const double dx = b.x - a.x, dy = b.y - a.y, length = dx * dx + dy * dy;
    const double t = length == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool inked(const core::PixelSurface& pixels, long x, long y)
{
    return x >= 0 && y >= 0 && x < pixels.width() && y < pixels.height() && pixels.pixel(int(x), int(y)) == kInk;
}

plot::CurveTable tableOf(std::initializer_list<plot::Coefficients> curves)
{
    plot::CurveTable table;
    for (const plot::Coefficients& curve : curves) table.add(curve);
    return table;
}

TEST(GraphPicture, InkLiesNearTheScaledSegmentsAndLeavesNoGap)
{
    for (const double step : {0.005, 0.00015}) {
        for (const int scale : {2, 3, 8}) {
            SCOPED_TRACE(testing::Message() << "scale " << scale << ", step " << step);
            plot::CurveTable table = tableOf({{1, -3, 1}, {-0.5, 0, 3}, {0, 1, 0}, {1000, 0, -1}, {1E300, 0, 0}});
            const core::GraphPicture picture = core::renderGraph(table, step, kWidth, kHeight, scale, kBackground);
            ASSERT_TRUE(picture.failure.has_value());  // the astronomic curve's, drawn as far as it goes
            const auto segments = idealSegments(table, step, scale);

            // Mark every pixel whose centre lies within N/2 + 1 of a segment.
            const double reach = scale / 2.0 + 1;
            const core::PixelSurface& pixels = picture.pixels;
            std::vector<std::uint8_t> allowed(std::size_t(pixels.width()) * pixels.height());
            for (const auto& [a, b] : segments) {
                const long left = std::max(0L, long(std::floor(std::min(a.x, b.x) - reach)));
                const long right = std::min(long(pixels.width()) - 1, long(std::ceil(std::max(a.x, b.x) + reach)));
                const long top = std::max(0L, long(std::floor(std::min(a.y, b.y) - reach)));
                const long bottom = std::min(long(pixels.height()) - 1, long(std::ceil(std::max(a.y, b.y) + reach)));
                for (long y = top; y <= bottom; ++y)
                    for (long x = left; x <= right; ++x)
                        if (distance({x + 0.5, y + 0.5}, a, b) <= reach) allowed[std::size_t(y) * pixels.width() + x] = 1;
                // No gap: near every point along the segment some pixel is inked.
                const double length = std::hypot(b.x - a.x, b.y - a.y);
                for (double s = 0; s <= length; s += 0.25) {
                    const double x = a.x + (b.x - a.x) * s / length, y = a.y + (b.y - a.y) * s / length;
                    if (x < 0 || y < 0 || x >= pixels.width() || y >= pixels.height()) continue;
                    bool near = false;
                    for (long v = long(y) - 1; v <= long(y) + 1 && !near; ++v)
                        for (long u = long(x) - 1; u <= long(x) + 1 && !near; ++u) near = inked(pixels, u, v);
                    ASSERT_TRUE(near) << "gap at " << x << "," << y;
                }
            }
            for (int y = 0; y < pixels.height(); ++y) {
                for (int x = 0; x < pixels.width(); ++x) {
                    if (pixels.pixel(x, y) == kInk) {
                        ASSERT_TRUE(allowed[std::size_t(y) * pixels.width() + x]) << "stray ink at " << x << "," << y;
                    }
                }
            }
        }
    }
}

TEST(GraphPicture, AxesAreExactlyNPixelsWideAndCurvesAreNoEnlargement)
{
    const plot::PlotGeometry g;
    for (const int scale : {1, 2, 3, 4, 8}) {
        SCOPED_TRACE(testing::Message() << "scale " << scale);
        plot::CurveTable axesOnly;
        const core::PixelSurface pixels = core::renderGraph(axesOnly, 0.005, kWidth, kHeight, scale, kBackground).pixels;
        // Across the x axis at a column between ticks, and across the y axis
        // at a row between ticks: exactly the N rows (columns) of its pixels.
        const int column = (g.ox - g.lx + 5) * scale + scale / 2, row = (g.oy - g.ly + 15) * scale + scale / 2;
        for (int offset = -3 * scale; offset < 4 * scale; ++offset) {
            const bool onAxis = offset >= 0 && offset < scale;
            EXPECT_EQ(inked(pixels, column, g.oy * scale + offset), onAxis) << offset;
            EXPECT_EQ(inked(pixels, g.ox * scale + offset, row), onAxis) << offset;
        }
    }

    // At scale 2 a curve is drawn in finer steps than the 2 × 2 blocks of the
    // scale-1 picture.
    plot::CurveTable table = tableOf({{1, -3, 1}});
    const core::PixelSurface single = core::renderGraph(table, 0.005, kWidth, kHeight, 1, kBackground).pixels;
    const core::PixelSurface doubled = core::renderGraph(table, 0.005, kWidth, kHeight, 2, kBackground).pixels;
    int differences = 0;
    for (int y = 0; y < doubled.height(); ++y)
        for (int x = 0; x < doubled.width(); ++x)
            differences += (doubled.pixel(x, y) == kInk) != (single.pixel(x / 2, y / 2) == kInk);
    EXPECT_GT(differences, 100);
}

}  // namespace
