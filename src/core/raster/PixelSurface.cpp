#include "core/raster/PixelSurface.h"

#include <algorithm>
#include <cstddef>
#include <utility>

// Line rasterization. For a segment (x0, y0) -> (x1, y1) with dx = x1 - x0 and
// dy = y1 - y0, when |dx| >= |dy| (x-major, diagonals included) the pixels are,
// for i = 0 ... |dx| - 1:
//     x = x0 + i * sign(dx)
//     y = y0 + sign(dy) * floor((i * |dy| + ceil(|dx| / 2) - 1) / |dx|)
// and when |dy| > |dx| the same with x and y swapped. That is round(i * dy / dx)
// with exact halves rounded toward the start; the end pixel is not drawn.
//
// Coordinates span the whole int64 range, so the lengths are unsigned 64-bit
// (up to 2^64 - 1) and their products unsigned 128-bit. Before walking, the
// range of i is cut exactly to the steps whose pixel lies inside the image:
// the work is proportional to the visible pixels however long the segment is.
// Segments with both ends inside skip that cut, and segments with both ends
// beyond one edge of the image are dropped at once.

namespace core {

namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;
using i128 = __int128;

struct AxisSpan {
    u64 length;  // |to - from|, exact for any int64 pair
    int sign;    // +1 or -1; +1 when from == to
};

AxisSpan axisSpan(std::int64_t from, std::int64_t to) {
    if (to >= from) return {u64(to) - u64(from), +1};
    return {u64(from) - u64(to), -1};
}

// The offsets t for which start + sign * t lies in [0, size - 1].
struct OffsetRange {
    i128 low, high;
};

OffsetRange offsetsInside(std::int64_t start, int sign, int size) {
    if (sign > 0) return {-i128(start), i128(size) - 1 - start};
    return {i128(start) - (size - 1), i128(start)};
}

u128 ceilDiv(u128 numerator, u64 denominator) {
    return numerator / denominator + (numerator % denominator != 0 ? 1 : 0);
}

}  // namespace

void PixelSurface::resize(int width, int height, std::uint32_t background) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const std::size_t count = std::size_t(width) * std::size_t(height);

    std::vector<std::uint32_t> resized(count, background);
    const int keptWidth = std::min(width, width_);
    const int keptHeight = std::min(height, height_);
    for (int y = 0; y < keptHeight; ++y) {
        const auto from = pixels_.begin() + std::ptrdiff_t(y) * width_;
        std::copy(from, from + keptWidth, resized.begin() + std::ptrdiff_t(y) * width);
    }
    pixels_.swap(resized);
    clip_.assign(count, 1);
    width_ = width;
    height_ = height;

    dirty_.right = std::min(dirty_.right, width_);
    dirty_.bottom = std::min(dirty_.bottom, height_);
    if (dirty_.empty()) dirty_ = {};
}

void PixelSurface::fillRect(const PixelRect& rect, std::uint32_t color) {
    const int left = std::max(rect.left, 0), right = std::min(rect.right, width_);
    const int top = std::max(rect.top, 0), bottom = std::min(rect.bottom, height_);
    if (left >= right || top >= bottom) return;
    for (int y = top; y < bottom; ++y) {
        const auto row = pixels_.begin() + std::ptrdiff_t(y) * width_;
        std::fill(row + left, row + right, color);
    }
}

PixelRect PixelSurface::takeDirtyRect() {
    return std::exchange(dirty_, PixelRect{});
}

void PixelSurface::growDirty(int left, int top, int right, int bottom) {
    if (dirty_.empty()) {
        dirty_ = {left, top, right, bottom};
        return;
    }
    dirty_.left = std::min(dirty_.left, left);
    dirty_.top = std::min(dirty_.top, top);
    dirty_.right = std::max(dirty_.right, right);
    dirty_.bottom = std::max(dirty_.bottom, bottom);
}

void PixelSurface::drawSegmentTo(std::int64_t x1, std::int64_t y1) {
    const std::int64_t x0 = penX_, y0 = penY_;
    penX_ = x1;
    penY_ = y1;
    if (width_ <= 0 || height_ <= 0 || clip_.size() != pixels_.size()) return;

    // Every pixel of the segment lies in the box its ends span.
    const auto inside = [this](std::int64_t x, std::int64_t y) {
        return x >= 0 && x < width_ && y >= 0 && y < height_;
    };
    if (inside(x0, y0) && inside(x1, y1)) {
        drawInsideSegment(int(x0), int(y0), int(x1), int(y1));
        return;
    }
    if ((x0 < 0 && x1 < 0) || (x0 >= width_ && x1 >= width_) || (y0 < 0 && y1 < 0) ||
        (y0 >= height_ && y1 >= height_)) {
        return;
    }
    drawClippedSegment(x0, y0, x1, y1);
}

// The common case, both ends in the image: nothing to clip, and every length
// fits an int.
void PixelSurface::drawInsideSegment(int x0, int y0, int x1, int y1) {
    const int dx = x1 - x0, dy = y1 - y0;
    const u64 lengthX = u64(dx < 0 ? -dx : dx), lengthY = u64(dy < 0 ? -dy : dy);
    if (lengthX == 0 && lengthY == 0) return;
    const bool xMajor = lengthX >= lengthY;
    const u64 n = xMajor ? lengthX : lengthY;
    const u64 m = xMajor ? lengthY : lengthX;
    const int signX = dx < 0 ? -1 : 1, signY = dy < 0 ? -1 : 1;
    walk({x0, y0, xMajor, xMajor ? signX : signY, xMajor ? signY : signX, n, n / 2 + (n & 1) - 1, m, n - m});
}

void PixelSurface::drawClippedSegment(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    const AxisSpan spanX = axisSpan(x0, x1), spanY = axisSpan(y0, y1);
    if (spanX.length == 0 && spanY.length == 0) return;

    // One pixel per step along the major axis; the minor axis lags by f(i).
    const bool xMajor = spanX.length >= spanY.length;
    const AxisSpan major = xMajor ? spanX : spanY;
    const AxisSpan minor = xMajor ? spanY : spanX;
    const std::int64_t majorStart = xMajor ? x0 : y0;
    const std::int64_t minorStart = xMajor ? y0 : x0;
    const int majorSize = xMajor ? width_ : height_;
    const int minorSize = xMajor ? height_ : width_;
    const u64 n = major.length;                // >= 1
    const u64 m = minor.length;                // <= n
    const u64 bias = n / 2 + (n & 1) - 1;      // ceil(n / 2) - 1, < n

    // Steps whose major coordinate is inside the image.
    const OffsetRange majorInside = offsetsInside(majorStart, major.sign, majorSize);
    i128 first = std::max<i128>(majorInside.low, 0);
    i128 last = std::min<i128>(majorInside.high, i128(n - 1));
    if (first > last) return;

    // Minor offsets f inside the image, then the steps where f(i) takes them.
    // f(i) = floor((i*m + bias) / n) never decreases and stays within [0, m].
    const OffsetRange minorInside = offsetsInside(minorStart, minor.sign, minorSize);
    const i128 fLow = std::max<i128>(minorInside.low, 0);
    const i128 fHigh = std::min<i128>(minorInside.high, i128(m));
    if (fLow > fHigh) return;
    if (fLow > 0) {  // here m >= fLow >= 1; f(i) >= fLow  <=>  i*m >= fLow*n - bias
        first = std::max<i128>(first, i128(ceilDiv(u128(fLow) * n - bias, m)));
    }
    if (fHigh < i128(m)) {  // f(i) <= fHigh  <=>  i*m <= (fHigh+1)*n - bias - 1
        last = std::min<i128>(last, i128((u128(fHigh + 1) * n - bias - 1) / m));
    }
    if (first > last) return;

    // Start at step `first`, with `remainder` = (first*m + bias) mod n.
    u64 offset = 0, remainder = bias;
    if (first > 0) {
        const u128 numerator = u128(first) * m + bias;
        offset = u64(numerator / n);
        remainder = u64(numerator % n);
    }
    const int majorPos = int(majorStart + major.sign * first);
    const int minorPos = int(minorStart + minor.sign * i128(offset));
    walk({xMajor ? majorPos : minorPos, xMajor ? minorPos : majorPos, xMajor, major.sign, minor.sign,
          u64(last - first) + 1, remainder, m, n - m});
}

void PixelSurface::walk(const Walk& w) {
    const std::ptrdiff_t rowStep = width_;
    const std::ptrdiff_t majorStep = w.xMajor ? w.majorSign : w.majorSign * rowStep;
    const std::ptrdiff_t minorStep = w.xMajor ? w.minorSign * rowStep : w.minorSign;

    std::uint32_t* const pixels = pixels_.data();
    const std::uint8_t* const clip = clip_.data();
    std::ptrdiff_t index = std::ptrdiff_t(w.startY) * rowStep + w.startX;
    u64 remainder = w.remainder;
    int minorMoves = 0;
    for (u64 k = 0; k < w.steps; ++k) {
        if (clip[index]) pixels[index] = penColor_;
        if (k + 1 == w.steps) break;
        if (remainder >= w.slack) {  // remainder + m >= n: the minor coordinate moves
            remainder -= w.slack;
            index += minorStep;
            ++minorMoves;
        } else {
            remainder += w.increment;
        }
        index += majorStep;
    }

    // The walked pixels run monotonically from the start to the end pixel.
    const int majorMoves = int(w.steps - 1);
    const int endX = w.startX + (w.xMajor ? w.majorSign * majorMoves : w.minorSign * minorMoves);
    const int endY = w.startY + (w.xMajor ? w.minorSign * minorMoves : w.majorSign * majorMoves);
    growDirty(std::min(w.startX, endX), std::min(w.startY, endY), std::max(w.startX, endX) + 1,
              std::max(w.startY, endY) + 1);
}

}  // namespace core
