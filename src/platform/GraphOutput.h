#pragma once
// The graph leaving the program: as an image at any scale, as an SVG or PDF
// file of vector lines, on a printed page. Every one is drawn by
// plot::drawGraph into a sink: the wide pen for images, polylines for the
// vector outputs.

#include <QColor>
#include <QImage>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "core/number/UserError.h"
#include "core/plot/CurveTable.h"
#include "core/vector/PictureFormat.h"

class QPainter;
class QPrinter;

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

// The image types Qt can write here, in lower case, as their extensions
// name them ("bmp", "jpg", "png" …).
std::vector<std::string> writableImageTypes();

// Writes the graph to `path` whole or not at all (writeWholeFile),
// an Image in the type its extension names. Returns the reason when it could
// not be written; an existing file is then left as it was.
std::optional<QString> writeGraphFile(const GraphSource& graph, const QString& path, core::PictureFormat format,
                                      int scale);

// Draws the graph's segments as vector lines, fitted into `target` keeping
// its proportions, centred, clipped to the drawing area, without the
// background (for paper).
void paintGraphVectors(QPainter& painter, const GraphSource& graph, const QRectF& target);

// Prints the graph on one page; a PDF file is written whole or not at all.
// Returns the reason when it failed (empty when the printer gives none).
std::optional<QString> printGraph(QPrinter& printer, const GraphSource& graph);

}  // namespace platform
