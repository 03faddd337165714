#include "platform/SharpGraph.h"

#include "core/plot/Axes.h"
#include "core/plot/Graph.h"
#include "core/raster/SharpComposite.h"
#include "core/raster/WidePen.h"

namespace platform {

void SharpGraph::updatePictures(const GraphSource& graph, int scale)
{
    plot::CurveTable& table = graph.table;
    const bool sameGraph = table.generation() == generation_ && step_ == graph.step && scale_ == scale &&
                           background_ == graph.background.rgb() && graph_.width() == graph.width &&
                           graph_.height() == graph.height && drawn_ >= 0 && drawn_ <= table.count();
    core::WidePen single(graph_, 1), scaled(scaledGraph_, scale);
    if (!sameGraph) {
        graph_.resize(0, 0, 0);
        scaledGraph_.resize(0, 0, 0);
        graph_.resize(graph.width, graph.height, graph.background.rgb());
        scaledGraph_.resize(graph.width * scale, graph.height * scale, graph.background.rgb());
        plot::drawAxes(table.geometry(), single);
        plot::drawAxes(table.geometry(), scaled);
        drawn_ = 0;
    }
    if (drawn_ < table.count()) {
        plot::drawCurves(table, graph.step, graph.width, graph.height, single, std::size_t(drawn_));
        plot::drawCurves(table, graph.step, graph.width, graph.height, scaled, std::size_t(drawn_));
    }
    generation_ = table.generation();
    drawn_ = table.count();
    step_ = graph.step;
    scale_ = scale;
    background_ = graph.background.rgb();
}

const QImage& SharpGraph::frame(const core::PixelSurface& retained, int scale, const QRect& area)
{
    updatePictures(source_(), scale);
    QRect composed = area;
    if (frame_.width() != retained.width() * scale || frame_.height() != retained.height() * scale) {
        composed = QRect(0, 0, retained.width(), retained.height());
        frame_.resize(retained.width() * scale, retained.height() * scale, 0);
        frameImage_ = QImage(reinterpret_cast<uchar*>(frame_.pixels()), frame_.width(), frame_.height(),
                             frame_.width() * int(sizeof(std::uint32_t)), QImage::Format_RGB32);
        frameImage_.setDevicePixelRatio(scale);
    }
    core::composeSharp(retained, graph_, scaledGraph_, scale,
                       {composed.left(), composed.top(), composed.right() + 1, composed.bottom() + 1}, frame_);
    return frameImage_;
}

}  // namespace platform
