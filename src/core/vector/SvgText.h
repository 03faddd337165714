#pragma once
// The graph as an SVG document: the background, then one polyline per run of
// joined segments, 1 unit wide, with the segments' exact integer end points.
// The drawing is shifted by half a unit so that each line runs along the
// centres of the pixels it stands for.

#include <cstdint>
#include <string>
#include <vector>

#include "core/vector/Polylines.h"

namespace core {

// A document of width × height units shown at `scale` times that size.
std::string svgText(const std::vector<Polyline>& polylines, int width, int height, int scale,
                    std::uint32_t background);

}  // namespace core
