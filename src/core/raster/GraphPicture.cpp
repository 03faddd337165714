#include "core/raster/GraphPicture.h"

#include "core/raster/WidePen.h"

namespace core {

GraphPicture renderGraph(plot::CurveTable& table, double step, int width, int height, int scale,
                         std::uint32_t background)
{
    GraphPicture picture;
    picture.pixels.resize(width * scale, height * scale, background);
    WidePen pen(picture.pixels, scale);
    picture.failure = plot::drawGraph(table, step, width, height, pen);
    return picture;
}

}  // namespace core
