#include "core/raster/SharpComposite.h"

#include <algorithm>

namespace core {

void composeSharp(const PixelSurface& retained, const PixelSurface& graph, const PixelSurface& scaledGraph, int scale,
                  const PixelRect& area, PixelSurface& out)
{
    const int right = std::min({area.right, retained.width(), graph.width()});
    const int bottom = std::min({area.bottom, retained.height(), graph.height()});
    const std::size_t outWidth = std::size_t(out.width());
    std::uint32_t* outPixels = out.pixels();
    const std::uint32_t* sharp = scaledGraph.pixels();
    const std::size_t sharpWidth = std::size_t(scaledGraph.width());
    for (int y = std::max(area.top, 0); y < bottom; ++y) {
        for (int x = std::max(area.left, 0); x < right; ++x) {
            const std::uint32_t shown = retained.pixel(x, y);
            const bool asGraph = shown == graph.pixel(x, y);
            for (int v = 0; v < scale; ++v) {
                const std::size_t row = std::size_t(y * scale + v);
                std::uint32_t* target = outPixels + row * outWidth + std::size_t(x) * scale;
                if (asGraph)
                    std::copy_n(sharp + row * sharpWidth + std::size_t(x) * scale, scale, target);
                else
                    std::fill_n(target, scale, shown);
            }
        }
    }
}

}  // namespace core
