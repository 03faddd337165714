#pragma once
// The pixels that the stored curves ink, kept as an image of their own: all
// curves are drawn with the same pen, so a repaint that replays them inks
// exactly the pixels inked here, whatever their order. Built from the curve
// table's kept traces and extended as curves are added.

#include <cstdint>

#include "core/plot/CurveTable.h"
#include "core/raster/PixelSurface.h"

namespace core {

class CurveStrokes {
public:
    // The strokes of the table's first count() curves at `step` on an image of
    // width × height, the traces taken for `reach` (which must cover the
    // image).
    const PixelSurface& update(plot::CurveTable& table, double step, int width, int height,
                               const plot::PixelBox& reach);

    // A box around every inked pixel (empty while none is).
    const PixelRect& inkedBounds() const { return inkedBounds_; }

private:
    PixelSurface strokes_;
    PixelRect inkedBounds_;
    double step_ = 0;
    std::uint64_t generation_ = 0;
    std::int32_t drawn_ = 0;
    bool valid_ = false;
};

}  // namespace core
