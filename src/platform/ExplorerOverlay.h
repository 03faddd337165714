#pragma once
// What the explorer draws over the presented frame of the drawing area, as
// the focus frame is: the highlighted curve with rings and labels at its
// points of interest, the pointer's box and the snapped point, the trace
// point (an arrow at the edge where it lies beyond the area), the values of
// every second tick. Drawn with QPainter in client coordinates, so it is
// sharp at any screen scale; never drawn into the retained image.
// A new scene repaints only the parts that changed: their old and new
// rectangles.

#include <QFont>
#include <QHash>
#include <QRect>
#include <QRegion>
#include <QString>
#include <optional>
#include <vector>

#include "core/explore/GraphReading.h"
#include "core/explore/TracePoint.h"

class QPainter;
class QWidget;

namespace platform {

struct OverlayScene {
    // The area the overlay stays in: the drawing area below the top bar; the
    // boxes keep clear of the child controls over it where they can.
    QRect area;
    std::vector<QRect> controls;
    // The highlighted curve's drawn pixels, in device pixels at
    // `highlightScale` to a client pixel, each run along a row already
    // widened to the highlight's 2 client pixels; `highlightKey` changes
    // whenever they do (0: none).
    std::uint64_t highlightKey = 0;
    int highlightScale = 1;
    std::vector<QRect> highlight;
    struct Mark {
        QPoint at;
        QString label;
        bool operator==(const Mark&) const = default;
    };
    std::vector<Mark> marks;
    std::optional<QPoint> dot;  // the point the pointer snapped to
    // The box beside the cursor, and where the cursor is.
    std::optional<QPoint> pointer;
    QString pointerText;
    // The trace point and its text.
    std::optional<explore::TraceMarker> trace;
    QString traceText;
    // The ticks' values, and where the axes cross.
    bool tickLabels = false;
    QPoint origin;
    std::vector<explore::TickLabel> ticks;
};

class ExplorerOverlay {
public:
    explicit ExplorerOverlay(QWidget* surface);

    // Takes a new scene; returns what must be repainted for it.
    QRegion setScene(OverlayScene scene);
    const OverlayScene& scene() const { return scene_; }
    bool isEmpty() const { return pieces_.empty(); }
    // Where the pointer's box is (empty while there is none).
    QRect pointerBox() const { return pointerBox_; }
    // Everything the overlay covers.
    QRegion region() const;

    // Paints what lies in `exposed`.
    void paint(QPainter& painter, const QRegion& exposed) const;

private:
    struct Piece {
        QRegion region;
        QString signature;
        bool operator==(const Piece&) const = default;
    };
    void layOut();
    int textWidth(const QString& text, const QFont& font) const;
    QRect textBox(const QString& text, const QRect& avoid, const std::vector<QRect>& taken = {}) const;

    QWidget* surface_;
    QFont font_, tickFont_;
    OverlayScene scene_;
    std::vector<Piece> pieces_;
    QRegion covered_;
    QRect pointerBox_, traceBox_;
    std::vector<QRect> markLabels_;
    std::vector<QRect> tickRects_;
    mutable QHash<QString, int> widths_, tickWidths_;
};

}  // namespace platform
