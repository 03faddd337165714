#pragma once
// The pen of pictures drawn at an integer scale N (1 to 8): every segment
// from p to q of the client area is drawn from N·p to N·q with an N-pixel-wide
// stroke, so a picture at scale 2 has the same exact geometry in finer steps.
//
// The raster rule. A client pixel p covers the N×N block of device pixels
// starting at N·p; its device pixel is c(p) = N·p + ⌊N/2⌋, the one nearest the
// block's centre. A lineTo from p to q
//   1. fills the N×N block at p (so strokes have no gap where segments meet),
//   2. walks the 1-pixel line from c(p) to c(q), end pixel excluded, by the
//      same rule as the client-area pen, and at each pixel fills a span of N
//      pixels across the line's longer axis, from ⌊N/2⌋ before it.
// A zero-length lineTo draws nothing. Horizontal and vertical strokes are
// exactly N pixels wide (the blocks of their client pixels), and every inked
// pixel lies within N/2 + 1 pixels of the segment joining the blocks' centres.
// At scale 1 the pen is the client-area pen itself, pixel for pixel.
//
// Segments reaching far outside the picture are cut at a box around it; the
// cut ends are rounded to the nearest device pixel. Above scale 1 the pen
// draws black and ignores the surface's clip mask: pictures have no clip.

#include <cstdint>

#include "core/plot/SegmentSink.h"
#include "core/raster/PixelSurface.h"

namespace core {

class WidePen : public plot::SegmentSink {
public:
    // Draws on `surface`, whose size is N times the client area's.
    WidePen(PixelSurface& surface, int scale);

    void moveTo(std::int64_t x, std::int64_t y) override;
    void lineTo(std::int64_t x, std::int64_t y) override;

private:
    void drawDeviceSegment(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, bool startBlock);
    void fill(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

    PixelSurface& surface_;
    int scale_;
    std::int64_t penX_ = 0, penY_ = 0;
};

}  // namespace core
