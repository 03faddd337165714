#include "core/raster/PixelSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace {

using core::PixelRect;
using core::PixelSurface;
using Pixels = std::vector<std::pair<int, int>>;

constexpr std::uint32_t kBackground = 0;
constexpr std::uint32_t kInk = 1;
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

PixelSurface blankSurface(int width, int height) {
    PixelSurface surface;
    surface.resize(width, height, kBackground);
    surface.setPenColor(kInk);
    return surface;
}

// Inked pixels in row-major order.
Pixels inked(const PixelSurface& surface) {
    Pixels result;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (surface.pixel(x, y) == kInk) result.emplace_back(x, y);
    return result;
}

Pixels drawOn(int width, int height, std::int64_t x0, std::int64_t y0, std::int64_t x1,
              std::int64_t y1) {
    PixelSurface surface = blankSurface(width, height);
    surface.moveTo(x0, y0);
    surface.lineTo(x1, y1);
    return inked(surface);
}

Pixels column(int x, int fromY, int toY) {
    Pixels result;
    for (int y = fromY; y <= toY; ++y) result.emplace_back(x, y);
    return result;
}

Pixels row(int y, int fromX, int toX) {
    Pixels result;
    for (int x = fromX; x <= toX; ++x) result.emplace_back(x, y);
    return result;
}

TEST(PixelSurfaceLine, SmallSegmentsFollowTheRoundingRule) {
    // Horizontal, vertical and diagonal: end pixel excluded.
    EXPECT_EQ(drawOn(8, 8, 1, 2, 5, 2), row(2, 1, 4));
    EXPECT_EQ(drawOn(8, 8, 3, 6, 3, 1), column(3, 2, 6));
    EXPECT_EQ(drawOn(8, 8, 0, 0, 3, 3), (Pixels{{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_EQ(drawOn(8, 8, 3, 0, 0, 3), (Pixels{{3, 0}, {2, 1}, {1, 2}}));
    // One step: only the start pixel.
    EXPECT_EQ(drawOn(8, 8, 4, 4, 5, 5), (Pixels{{4, 4}}));

    // (0,0)->(4,1): y = round(i/4) = 0, 0, 0 (half down), 1.
    EXPECT_EQ(drawOn(8, 8, 0, 0, 4, 1), (Pixels{{0, 0}, {1, 0}, {2, 0}, {3, 1}}));
    // (0,0)->(4,2): y = round(i/2) = 0, 0 (half down), 1, 1.
    EXPECT_EQ(drawOn(8, 8, 0, 0, 4, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    // (0,0)->(5,2): y = round(2i/5) = 0, 0, 1, 1, 2; no tie.
    EXPECT_EQ(drawOn(8, 8, 0, 0, 5, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    // Steep (0,0)->(1,4): x = round(i/4) = 0, 0, 0, 1.
    EXPECT_EQ(drawOn(8, 8, 0, 0, 1, 4), (Pixels{{0, 0}, {0, 1}, {0, 2}, {1, 3}}));
}

TEST(PixelSurfaceLine, TiesRoundTowardTheStartInBothDirections) {
    // (4,2)->(0,0): x = 4 - i, y = 2 - round(i/2) = 2, 2 (half toward 2), 1, 1.
    EXPECT_EQ(drawOn(8, 8, 4, 2, 0, 0), (Pixels{{1, 1}, {2, 1}, {3, 2}, {4, 2}}));
    // (1,4)->(0,0): y = 4 - i, x = 1 - round(i/4) = 1, 1, 1 (half toward 1), 0.
    EXPECT_EQ(drawOn(8, 8, 1, 4, 0, 0), (Pixels{{0, 1}, {1, 2}, {1, 3}, {1, 4}}));
    // (6,5)->(1,3): x-major, n = 5, y = 5 - round(2i/5) = 5, 5, 4, 4, 3.
    EXPECT_EQ(drawOn(8, 8, 6, 5, 1, 3), (Pixels{{2, 3}, {3, 4}, {4, 4}, {5, 5}, {6, 5}}));
}

TEST(PixelSurfaceLine, ZeroLengthDrawsNothingAndPenFollowsLineTo) {
    PixelSurface surface = blankSurface(8, 8);
    surface.moveTo(3, 3);
    surface.lineTo(3, 3);
    EXPECT_TRUE(inked(surface).empty());
    EXPECT_TRUE(surface.takeDirtyRect().empty());

    // A polyline: each segment starts where the previous ended; moveTo breaks it.
    surface.lineTo(5, 3);
    surface.lineTo(5, 5);
    surface.moveTo(0, 7);
    surface.lineTo(2, 7);
    EXPECT_EQ(inked(surface), (Pixels{{3, 3}, {4, 3}, {5, 3}, {5, 4}, {0, 7}, {1, 7}}));
}

TEST(PixelSurfaceLine, ClipMaskProtectsPixels) {
    PixelSurface surface = blankSurface(6, 3);
    surface.clipMask()[1 * 6 + 2] = 0;  // (2,1)
    surface.clipMask()[1 * 6 + 4] = 0;  // (4,1)
    surface.pixels()[1 * 6 + 4] = 7;
    surface.moveTo(0, 1);
    surface.lineTo(6, 1);
    EXPECT_EQ(inked(surface), (Pixels{{0, 1}, {1, 1}, {3, 1}, {5, 1}}));
    EXPECT_EQ(surface.pixel(4, 1), 7u);
}

TEST(PixelSurfaceLine, SegmentsOutsideTheImageDrawNothing) {
    EXPECT_TRUE(drawOn(10, 10, -5, -1, 20, -1).empty());   // above
    EXPECT_TRUE(drawOn(10, 10, 10, 0, 10, 9).empty());     // right of the last column
    EXPECT_TRUE(drawOn(10, 10, -8, 3, 3, -8).empty());     // passes the corner outside
    EXPECT_TRUE(drawOn(10, 10, 4, 12, 4, 10).empty());     // stops below the image
    // The end pixel is excluded, so a segment ending on the image touches nothing.
    EXPECT_TRUE(drawOn(10, 10, 4, -3, 4, 0).empty());
    // Anti-diagonal through the whole range: x + y = -1 all along, never visible.
    EXPECT_TRUE(drawOn(10, 10, kMax, kMin, kMin, kMax).empty());
    // An empty image.
    EXPECT_TRUE(drawOn(0, 0, 0, 0, 5, 5).empty());
}

TEST(PixelSurfaceLine, HugeSteepSegmentDrawsTheExactColumn) {
    // (300, -3e18) -> (301, 4e18): n = 7e18, x = 300 + floor((i + 3.5e18 - 1) / 7e18),
    // so x = 301 only from i = 3.5e18 + 1, i.e. y > 5e17: every visible pixel is at x = 300.
    EXPECT_EQ(drawOn(651, 640, 300, -3'000'000'000'000'000'000, 301, 4'000'000'000'000'000'000),
              column(300, 0, 639));

    // Shift it so the switch falls inside: K = 3.5e18, (300, 100 - K) -> (301, 100 + K).
    // The tie i = K is at y = 100 and stays at x = 300; x = 301 from y = 101 on.
    constexpr std::int64_t k = 3'500'000'000'000'000'000;
    Pixels expected = column(300, 0, 100);
    Pixels lower = column(301, 101, 639);
    expected.insert(expected.end(), lower.begin(), lower.end());
    Pixels forward = drawOn(651, 640, 300, 100 - k, 301, 100 + k);
    std::sort(forward.begin(), forward.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(forward, expected);

    // Reversed, the tie at y = 100 goes to the new start, x = 301.
    expected = column(300, 0, 99);
    lower = column(301, 100, 639);
    expected.insert(expected.end(), lower.begin(), lower.end());
    Pixels backward = drawOn(651, 640, 301, 100 + k, 300, 100 - k);
    std::sort(backward.begin(), backward.end());
    EXPECT_EQ(backward, expected);
}

TEST(PixelSurfaceLine, FullRangeEndpoints) {
    // Diagonal from corner to corner of the int64 plane: x = y = INT64_MIN + i.
    Pixels diagonal;
    for (int i = 0; i < 7; ++i) diagonal.emplace_back(i, i);
    EXPECT_EQ(drawOn(7, 9, kMin, kMin, kMax, kMax), diagonal);
    EXPECT_EQ(drawOn(7, 9, kMax, kMax, kMin, kMin), diagonal);

    EXPECT_EQ(drawOn(5, 4, kMin, 2, kMax, 2), row(2, 0, 4));
    EXPECT_EQ(drawOn(5, 4, 3, kMax, 3, kMin), column(3, 0, 3));

    // (INT64_MIN, 0) -> (INT64_MAX, 1): n = 2^64 - 1, y = floor((i + 2^63 - 1) / n)
    // becomes 1 at i = 2^63, which is x = 0: the whole row 1 is visible.
    EXPECT_EQ(drawOn(5, 4, kMin, 0, kMax, 1), row(1, 0, 4));
    // (INT64_MIN, 1) -> (INT64_MAX, 0): likewise y = 0 from x = 0 on.
    EXPECT_EQ(drawOn(5, 4, kMin, 1, kMax, 0), row(0, 0, 4));
    // Steep through the whole range, from (2, INT64_MAX) to (3, INT64_MIN):
    // n = 2^64 - 1, x = 3 from i = 2^63, that is from y = INT64_MAX - 2^63 = -1 down.
    EXPECT_EQ(drawOn(5, 4, 2, kMax, 3, kMin), column(2, 0, 3));
}

TEST(PixelSurfaceDirty, TracksTheReachedBoxAndResets) {
    PixelSurface surface = blankSurface(10, 10);
    EXPECT_TRUE(surface.takeDirtyRect().empty());
    surface.moveTo(1, 2);
    surface.lineTo(5, 4);  // pixels from (1,2) to (4,3)
    surface.moveTo(-100, 8);
    surface.lineTo(3, 8);  // visible from (0,8) to (2,8)
    const PixelRect dirty = surface.takeDirtyRect();
    EXPECT_EQ(dirty.left, 0);
    EXPECT_EQ(dirty.top, 2);
    EXPECT_EQ(dirty.right, 5);
    EXPECT_EQ(dirty.bottom, 9);
    EXPECT_TRUE(surface.takeDirtyRect().empty());

    surface.moveTo(-5, -5);
    surface.lineTo(-1, -9);
    EXPECT_TRUE(surface.takeDirtyRect().empty());
}

TEST(PixelSurfaceImage, ResizeKeepsOverlapAndResetsClip) {
    PixelSurface surface;
    surface.resize(3, 2, 5);
    surface.pixels()[0] = 1;      // (0,0)
    surface.pixels()[3 + 2] = 2;  // (2,1)
    surface.clipMask().assign(6, 0);

    surface.resize(4, 3, 9);
    ASSERT_EQ(surface.width(), 4);
    ASSERT_EQ(surface.height(), 3);
    EXPECT_EQ(surface.pixel(0, 0), 1u);
    EXPECT_EQ(surface.pixel(2, 1), 2u);
    EXPECT_EQ(surface.pixel(1, 1), 5u);  // old content keeps its colour
    EXPECT_EQ(surface.pixel(3, 0), 9u);  // new column
    EXPECT_EQ(surface.pixel(1, 2), 9u);  // new row
    EXPECT_EQ(surface.clipMask(), std::vector<std::uint8_t>(12, 1));

    surface.resize(2, 1, 9);
    EXPECT_EQ(surface.pixel(0, 0), 1u);
    EXPECT_EQ(surface.pixel(1, 0), 5u);
    EXPECT_EQ(surface.clipMask().size(), 2u);

    surface.resize(-3, 4, 0);
    EXPECT_EQ(surface.width(), 0);
    EXPECT_TRUE(surface.clipMask().empty());
}

TEST(PixelSurfaceImage, FillRectClampsAndIgnoresClip) {
    PixelSurface surface = blankSurface(4, 3);
    surface.clipMask().assign(12, 0);
    surface.fillRect({2, -5, 100, 2}, kInk);
    EXPECT_EQ(inked(surface), (Pixels{{2, 0}, {3, 0}, {2, 1}, {3, 1}}));
    surface.fillRect({-9, -9, -1, 5}, 3);  // entirely left of the image
    surface.fillRect({3, 1, 1, 2}, 3);     // inverted
    EXPECT_EQ(inked(surface).size(), 4u);
}

// The definition of the line, walked pixel by pixel without any clipping.
void drawNaively(std::vector<std::uint32_t>& image, const std::vector<std::uint8_t>& clip,
                 int width, int height, std::int64_t x0, std::int64_t y0, std::int64_t x1,
                 std::int64_t y1) {
    const std::int64_t dx = x1 - x0, dy = y1 - y0;
    const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const std::int64_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const bool xMajor = adx >= ady;
    const std::int64_t n = xMajor ? adx : ady, m = xMajor ? ady : adx;
    const std::int64_t bias = (n + 1) / 2 - 1;
    for (std::int64_t i = 0; i < n; ++i) {
        const std::int64_t lag = (i * m + bias) / n;
        const std::int64_t x = xMajor ? x0 + sx * i : x0 + sx * lag;
        const std::int64_t y = xMajor ? y0 + sy * lag : y0 + sy * i;
        if (x < 0 || y < 0 || x >= width || y >= height) continue;
        const std::size_t index = std::size_t(y) * width + std::size_t(x);
        if (clip[index]) image[index] = kInk;
    }
}

TEST(PixelSurfaceLine, MatchesTheUnclippedDefinitionOnRandomSegments) {
    constexpr int kWidth = 23, kHeight = 17;
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<std::int64_t> far(-5000, 5000);
    std::uniform_int_distribution<std::int64_t> near(-30, 50);
    std::bernoulli_distribution drawable(0.8);

    PixelSurface surface = blankSurface(kWidth, kHeight);
    for (std::uint8_t& byte : surface.clipMask()) byte = drawable(random) ? 1 : 0;
    const std::vector<std::uint8_t> clip = surface.clipMask();
    std::vector<std::uint32_t> expected(std::size_t(kWidth) * kHeight, kBackground);

    for (int round = 0; round < 4000; ++round) {
        // Long segments, short ones near the image, and long ones from near it.
        const bool farStart = round % 3 == 0, farEnd = round % 3 != 1;
        const std::int64_t x0 = farStart ? far(random) : near(random);
        const std::int64_t y0 = farStart ? far(random) : near(random);
        const std::int64_t x1 = farEnd ? far(random) : near(random);
        const std::int64_t y1 = farEnd ? far(random) : near(random);
        std::fill(expected.begin(), expected.end(), kBackground);
        drawNaively(expected, clip, kWidth, kHeight, x0, y0, x1, y1);

        surface.fillRect({0, 0, kWidth, kHeight}, kBackground);
        surface.moveTo(x0, y0);
        surface.lineTo(x1, y1);
        const PixelRect dirty = surface.takeDirtyRect();

        const std::vector<std::uint32_t> actual(surface.pixels(),
                                                surface.pixels() + expected.size());
        ASSERT_EQ(actual, expected) << "(" << x0 << "," << y0 << ")->(" << x1 << "," << y1 << ")";
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (surface.pixel(x, y) == kInk) {
                    ASSERT_TRUE(x >= dirty.left && x < dirty.right && y >= dirty.top &&
                                y < dirty.bottom);
                }
    }
}

}  // namespace
