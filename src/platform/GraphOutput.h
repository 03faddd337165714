#pragma once
// The graph leaving the program: as an image at any scale, as an SVG or PDF
// file of vector lines, on a printed page. Every one is drawn by
// plot::drawGraph into a sink: the wide pen for images, polylines for the
// vector outputs.

#include <QColor>
#include <QImage>
#include <QString>

#include "core/number/UserError.h"
#include "core/plot/CurveTable.h"
#include "core/vector/PictureFormat.h"

class QPainter;
class QPagedPaintDevice;

namespace platform {

// What the graph is drawn for: the stored curves traced at `step` on a
// drawing area of width × height client pixels with its background colour.
struct GraphSource {
    plot::CurveTable& table;
    double step;
    int width, height;
    QColor background;
};

// The picture at `scale` (1 to 8), its device pixel ratio set to the scale.
QImage graphImage(const GraphSource& graph, int scale);

// An image as PNG bytes.
QByteArray pngBytes(const QImage& image);

// Writes the graph to `path` through a temporary file beside it, renamed into
// place only once it is whole: a failure leaves no partial file and an
// existing file untouched. Returns the reason when it could not be written.
std::optional<QString> writeGraphFile(const GraphSource& graph, const QString& path, core::PictureFormat format,
                                      int scale);

// Draws the graph's segments as vector lines, fitted into `target` keeping
// its proportions, centred, without the background (for paper).
void paintGraphVectors(QPainter& painter, const GraphSource& graph, const QRectF& target);

// Prints (or prints to PDF) the graph on one page of `device`.
bool printGraph(QPagedPaintDevice& device, const GraphSource& graph);

}  // namespace platform
