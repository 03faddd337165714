#include "platform/GraphOutput.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <QPrinter>

#include "core/plot/Graph.h"
#include "core/raster/GraphPicture.h"
#include "core/vector/Polylines.h"
#include "core/vector/SvgText.h"
#include "platform/WholeFile.h"

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

// The graph's page: one point per client pixel at scale 1.
QByteArray pdfBytes(const GraphSource& graph, int scale)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Veltrano"));
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

// The picture as a file of the image type named by `type` ("png", "jpg" …).
core::Expected<QByteArray> imageFileBytes(const QImage& image, const QByteArray& type)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, type);
    if (!writer.write(image)) return core::UserError{writer.errorString().toStdString()};
    return bytes;
}

core::Expected<QByteArray> fileBytes(const GraphSource& graph, const QString& path, core::PictureFormat format,
                                     int scale)
{
    switch (format) {
    case core::PictureFormat::Png:
        return imageFileBytes(graphImage(graph, scale), "png");
    case core::PictureFormat::Image:
        return imageFileBytes(graphImage(graph, scale),
                              QByteArray::fromStdString(core::fileExtension(path.toStdString())));
    case core::PictureFormat::Svg:
        return QByteArray::fromStdString(
            core::svgText(graphPolylines(graph), graph.width, graph.height, scale, graph.background.rgb()));
    case core::PictureFormat::Pdf:
        return pdfBytes(graph, scale);
    }
    return QByteArray();
}

// Printing to a PDF file: the same page as the printer's engine would make,
// written whole or not at all.
std::optional<QString> printToFile(const QPrinter& printer, const GraphSource& graph)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(printer.creator());
    writer.setTitle(printer.docName());
    writer.setPdfVersion(printer.pdfVersion());
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    QPainter painter;
    if (!painter.begin(&writer)) return QString();
    paintGraphVectors(painter, graph, QRectF(0, 0, writer.width(), writer.height()));
    painter.end();
    return writeWholeFile(printer.outputFileName(), bytes);
}

}  // namespace

QByteArray pngBytes(const QImage& image)
{
    const core::Expected<QByteArray> bytes = imageFileBytes(image, "png");
    return bytes ? *bytes : QByteArray();
}

std::vector<std::string> writableImageTypes()
{
    std::vector<std::string> types;
    for (const QByteArray& type : QImageWriter::supportedImageFormats()) types.push_back(type.toLower().toStdString());
    return types;
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
    const core::Expected<QByteArray> bytes = fileBytes(graph, path, format, scale);
    if (!bytes) return QString::fromStdString(bytes.error().message);
    return writeWholeFile(path, *bytes);
}

void paintGraphVectors(QPainter& painter, const GraphSource& graph, const QRectF& target)
{
    const double scale = std::min(target.width() / graph.width, target.height() / graph.height);
    painter.save();
    painter.translate(target.center().x() - graph.width * scale / 2, target.center().y() - graph.height * scale / 2);
    painter.scale(scale, scale);
    // The lines run on beyond the drawing area; paper shows what the window does.
    painter.setClipRect(QRectF(0, 0, graph.width, graph.height), Qt::IntersectClip);
    painter.setPen(graphPen());
    drawPolylines(painter, graphPolylines(graph));
    painter.restore();
}

std::optional<QString> printGraph(QPrinter& printer, const GraphSource& graph)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return printToFile(printer, graph);
    QPainter painter;
    if (!painter.begin(&printer)) return QString();
    // The painter's origin is the printable area's corner, in device pixels.
    paintGraphVectors(painter, graph, QRectF(0, 0, printer.width(), printer.height()));
    if (!painter.end()) return QString();
    return std::nullopt;
}

}  // namespace platform
