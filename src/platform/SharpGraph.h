#pragma once
// The drawing area's frames for a screen with more than one device pixel to
// a client pixel: the retained image with the graph's lines drawn sharp at
// the next integer scale (see core/raster/SharpComposite.h). The graph's
// pictures are kept and extended curve by curve as curves are added.

#include <QImage>
#include <functional>

#include "core/raster/PixelSurface.h"
#include "platform/GraphOutput.h"

namespace platform {

class SharpGraph {
public:
    using Source = std::function<GraphSource()>;
    explicit SharpGraph(Source source) : source_(std::move(source)) {}

    // The frame at `scale` for the client pixels in `area` (the rest of the
    // frame as last composed); its device pixel ratio is the scale.
    const QImage& frame(const core::PixelSurface& retained, int scale, const QRect& area);

private:
    void updatePictures(const GraphSource& graph, int scale);

    Source source_;
    core::PixelSurface graph_, scaledGraph_, frame_;
    QImage frameImage_;
    // What the pictures show.
    std::uint64_t generation_ = 0;
    std::int32_t drawn_ = -1;
    double step_ = 0;
    int scale_ = 0;
    QRgb background_ = 0;
};

}  // namespace platform
