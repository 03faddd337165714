#pragma once
// The graph as a picture: the drawing area's background, the axes and every
// stored curve, at an integer scale, with nothing cut away under the
// window's controls. At scale 1 its pixels are those a refresh-mode repaint
// draws where no control covers the drawing area.

#include <cstdint>

#include "core/plot/Graph.h"
#include "core/raster/PixelSurface.h"

namespace core {

struct GraphPicture {
    PixelSurface pixels;  // (width·scale) × (height·scale)
    Status failure;       // of the first curve whose tracing failed
};

// The client area the graph is drawn for, whatever window shows it.
inline constexpr int kGraphWidth = 651, kGraphHeight = 640;

GraphPicture renderGraph(plot::CurveTable& table, double step, int width, int height, int scale,
                         std::uint32_t background);

}  // namespace core
