#include "platform/GraphOutput.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <QSaveFile>

#include "core/plot/Graph.h"
#include "core/raster/GraphPicture.h"
#include "core/vector/Polylines.h"
#include "core/vector/SvgText.h"

namespace platform {

namespace {

// Vector outputs keep what lies within this many client pixels of the drawing
// area: far enough that every cut line still leaves it in its own direction.
constexpr std::int64_t kVectorMargin = 4096;

std::vector<core::Polyline> graphPolylines(const GraphSource& graph)
{
    core::PolylineCollector collector(plot::PixelBox{0, 0, graph.width, graph.height}.grownBy(kVectorMargin));
    plot::drawGraph(graph.table, graph.step, graph.width, graph.height, collector);
    return collector.polylines();
}

// The polylines in client coordinates, along the centres of their pixels.
void drawPolylines(QPainter& painter, const std::vector<core::Polyline>& polylines)
{
    QPolygonF polygon;
    for (const core::Polyline& polyline : polylines) {
        polygon.clear();
        for (const core::VectorPoint& point : polyline) polygon << QPointF(point.x + 0.5, point.y + 0.5);
        painter.drawPolyline(polygon);
    }
}

QPen graphPen()
{
    QPen pen(Qt::black, 1.0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QByteArray pdfBytes(const GraphSource& graph, int scale)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Veltrano"));
    // One point per client pixel at scale 1.
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(QSizeF(graph.width * scale, graph.height * scale), QPageSize::Point),
                                     QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&writer);
    painter.scale(scale, scale);
    painter.fillRect(QRectF(0, 0, graph.width, graph.height), graph.background);
    painter.setPen(graphPen());
    drawPolylines(painter, graphPolylines(graph));
    painter.end();
    return bytes;
}

QByteArray fileBytes(const GraphSource& graph, core::PictureFormat format, int scale)
{
    switch (format) {
    case core::PictureFormat::Png:
        return pngBytes(graphImage(graph, scale));
    case core::PictureFormat::Svg:
        return QByteArray::fromStdString(
            core::svgText(graphPolylines(graph), graph.width, graph.height, scale, graph.background.rgb()));
    case core::PictureFormat::Pdf:
        return pdfBytes(graph, scale);
    }
    return {};
}

}  // namespace

QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage graphImage(const GraphSource& graph, int scale)
{
    // The image takes over the picture's pixels instead of copying them.
    auto* pixels = new core::PixelSurface(std::move(
        core::renderGraph(graph.table, graph.step, graph.width, graph.height, scale, graph.background.rgb()).pixels));
    QImage image(
        reinterpret_cast<uchar*>(pixels->pixels()), pixels->width(), pixels->height(),
        pixels->width() * int(sizeof(std::uint32_t)), QImage::Format_RGB32,
        [](void* surface) { delete static_cast<core::PixelSurface*>(surface); }, pixels);
    image.setDevicePixelRatio(scale);
    return image;
}

std::optional<QString> writeGraphFile(const GraphSource& graph, const QString& path, core::PictureFormat format,
                                      int scale)
{
    const QByteArray bytes = fileBytes(graph, format, scale);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

void paintGraphVectors(QPainter& painter, const GraphSource& graph, const QRectF& target)
{
    const double scale = std::min(target.width() / graph.width, target.height() / graph.height);
    painter.save();
    painter.translate(target.center().x() - graph.width * scale / 2, target.center().y() - graph.height * scale / 2);
    painter.scale(scale, scale);
    painter.setPen(graphPen());
    drawPolylines(painter, graphPolylines(graph));
    painter.restore();
}

bool printGraph(QPagedPaintDevice& device, const GraphSource& graph)
{
    QPainter painter;
    if (!painter.begin(&device)) return false;
    // The painter's origin is the printable area's corner, in device pixels.
    paintGraphVectors(painter, graph, QRectF(0, 0, device.width(), device.height()));
    return painter.end();
}

}  // namespace platform
