#pragma once
// Cuts a segment to a box, for outputs that cannot take coordinates in the
// whole 64-bit range (a wide pen, vector files). Ends inside the box stay
// exactly as they are; a cut end is the point where the segment leaves the
// box, rounded to the nearest integer. Exact wherever the products fit in 128
// bits, which covers every segment a tracing issues (their x spans are short);
// other segments are cut in extended precision.

#include <cstdint>
#include <optional>

#include "core/plot/SegmentSink.h"

namespace core {

struct Segment {
    __int128 x0, y0, x1, y1;
};

struct ClippedSegment {
    std::int64_t x0, y0, x1, y1;
    bool startCut = false;  // the start was moved onto the box
};

// Empty when no part of the segment lies in `box` (right and bottom
// inclusive here: the box's edges are points the segment may keep).
std::optional<ClippedSegment> clipSegment(const Segment& segment, const plot::PixelBox& box);

}  // namespace core
