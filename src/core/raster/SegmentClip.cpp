#include "core/raster/SegmentClip.h"

#include <cmath>

namespace core {

namespace {

using i128 = __int128;

enum Side : unsigned { Left = 1, Right = 2, Above = 4, Below = 8 };

struct Point {
    i128 x, y;
};

unsigned sidesOf(const Point& p, const plot::PixelBox& box)
{
    return (p.x < box.left ? Left : 0u) | (p.x > box.right ? Right : 0u) | (p.y < box.top ? Above : 0u) |
           (p.y > box.bottom ? Below : 0u);
}

// from + (to − from)·along/across, rounded to nearest (halves away from zero):
// the coordinate of the segment's point where the other coordinate has moved
// by `along` out of its whole change `across` (never 0).
i128 interpolate(i128 from, i128 change, i128 along, i128 across)
{
    i128 product;
    if (!__builtin_mul_overflow(change, along, &product)) {
        if (across < 0) product = -product, across = -across;
        const i128 quotient = product / across, remainder = product % across;
        const i128 twice = remainder < 0 ? -2 * remainder : 2 * remainder;
        const i128 rounded = twice >= across ? quotient + (product < 0 ? -1 : 1) : quotient;
        return from + rounded;
    }
    const long double exact = static_cast<long double>(change) * (static_cast<long double>(along) / across);
    return from + static_cast<i128>(std::llround(exact));
}

// Moves `p` along the segment from `p` to `other` onto the box's edge on the
// given side.
void cutOnto(Point& p, const Point& other, unsigned side, const plot::PixelBox& box)
{
    if (side & (Left | Right)) {
        const i128 edge = side & Left ? box.left : box.right;
        p.y = interpolate(p.y, other.y - p.y, edge - p.x, other.x - p.x);
        p.x = edge;
    } else {
        const i128 edge = side & Above ? box.top : box.bottom;
        p.x = interpolate(p.x, other.x - p.x, edge - p.y, other.y - p.y);
        p.y = edge;
    }
}

unsigned firstSide(unsigned sides)
{
    for (unsigned side : {Left, Right, Above, Below})
        if (sides & side) return side;
    return 0;
}

}  // namespace

std::optional<ClippedSegment> clipSegment(const Segment& segment, const plot::PixelBox& box)
{
    Point start{segment.x0, segment.y0}, end{segment.x1, segment.y1};
    bool startCut = false;
    // Each cut puts one end on an edge; rounding may leave it just past
    // another edge, which the next round cuts. A handful of rounds suffice.
    for (int round = 0; round < 8; ++round) {
        const unsigned startSides = sidesOf(start, box), endSides = sidesOf(end, box);
        if ((startSides | endSides) == 0) {
            return ClippedSegment{std::int64_t(start.x), std::int64_t(start.y), std::int64_t(end.x),
                                  std::int64_t(end.y), startCut};
        }
        if (startSides & endSides) return std::nullopt;
        if (startSides) {
            cutOnto(start, end, firstSide(startSides), box);
            startCut = true;
        } else {
            cutOnto(end, start, firstSide(endSides), box);
        }
    }
    return std::nullopt;
}

}  // namespace core
