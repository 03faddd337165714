#pragma once
// Where traced and drawn segments go: the window's canvas, a picture, a
// vector file, a recording. Coordinates are client-area pixels, x rightward,
// y downward, anywhere in the signed 64-bit range.

#include <cstdint>
#include <limits>

namespace plot {

class SegmentSink {
public:
    virtual ~SegmentSink() = default;
    virtual void moveTo(std::int64_t x, std::int64_t y) = 0;
    virtual void lineTo(std::int64_t x, std::int64_t y) = 0;
    // A tracing has reached x = 0 on its rightward pass, whose ordinate is
    // `ordinate`; called after that point's moveTo and before its lineTo.
    virtual void reachedYAxis(double ordinate) { (void)ordinate; }
};

// A pixel on the 64-bit plane.
struct PixelPoint {
    std::int64_t x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// A box of pixels on the 64-bit plane that segments live on; right and
// bottom exclusive (core::PixelRect is its counterpart inside an image).
struct PixelBox {
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;

    bool operator==(const PixelBox&) const = default;
    static constexpr PixelBox everywhere()
    {
        constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
        constexpr std::int64_t highest = std::numeric_limits<std::int64_t>::max();
        return {lowest, lowest, highest, highest};
    }
    PixelBox grownBy(std::int64_t margin) const { return {left - margin, top - margin, right + margin, bottom + margin}; }
    bool contains(const PixelBox& other) const
    {
        return left <= other.left && top <= other.top && right >= other.right && bottom >= other.bottom;
    }
};

}  // namespace plot
