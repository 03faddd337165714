#pragma once
// The drawing area on a screen with N device pixels to a client pixel. The
// retained image (client pixels) is what the window shows; the graph's
// picture at scale 1 and at scale N are what the axes and stored curves draw
// when nothing is cut away. Where the retained image shows exactly the
// graph's scale-1 pixel, the N×N block comes from the scale-N picture, so the
// lines are sharp; elsewhere (areas erased and not drawn again, a curve still
// growing, under the controls) the block is the retained pixel enlarged, so
// the screen never shows more than the window holds.

#include "core/raster/PixelSurface.h"

namespace core {

// Writes the blocks of the client pixels in `area` into `out`, which is N
// times the retained image's size.
void composeSharp(const PixelSurface& retained, const PixelSurface& graph, const PixelSurface& scaledGraph, int scale,
                  const PixelRect& area, PixelSurface& out);

}  // namespace core
