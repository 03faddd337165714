#include "platform/ExplorerOverlay.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include "core/explore/Placement.h"

namespace platform {

namespace {

constexpr int kPadding = 3;
constexpr int kRingRadius = 4;
constexpr int kDotRadius = 3;
constexpr int kTraceRadius = 6;
constexpr int kArrowSize = 9;
constexpr int kTickGap = 4;

core::PixelRect toPixelRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
}

QRect toQRect(const core::PixelRect& rect)
{
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// A client pixel's centre.
QPointF centreOf(const QPoint& pixel)
{
    return QPointF(pixel) + QPointF(0.5, 0.5);
}

QRect around(const QPoint& pixel, int radius)
{
    return QRect(pixel.x() - radius - 1, pixel.y() - radius - 1, 2 * radius + 3, 2 * radius + 3);
}

QString at(const QPoint& point)
{
    return QString::number(point.x()) + ',' + QString::number(point.y());
}

QString at(const QRect& rect)
{
    return at(rect.topLeft()) + ',' + QString::number(rect.width()) + ',' + QString::number(rect.height());
}

QPolygonF arrowAt(const explore::TraceMarker& marker)
{
    const QPointF tip = centreOf(QPoint(marker.x, marker.y));
    const double s = kArrowSize, h = kArrowSize / 2.0;
    using Arrow = explore::TraceMarker::Arrow;
    switch (marker.arrow) {
    case Arrow::Up:
        return QPolygonF({tip, tip + QPointF(-h, s), tip + QPointF(h, s)});
    case Arrow::Down:
        return QPolygonF({tip, tip + QPointF(-h, -s), tip + QPointF(h, -s)});
    case Arrow::Left:
        return QPolygonF({tip, tip + QPointF(s, -h), tip + QPointF(s, h)});
    case Arrow::Right:
        return QPolygonF({tip, tip + QPointF(-s, -h), tip + QPointF(-s, h)});
    case Arrow::None:
        break;
    }
    return {};
}

}  // namespace

ExplorerOverlay::ExplorerOverlay(QWidget* surface) : surface_(surface)
{
    font_ = surface->font();
    font_.setPixelSize(12);
    tickFont_ = surface->font();
    tickFont_.setPixelSize(10);
}

// Measured once: the same labels come back at every pointer move.
int ExplorerOverlay::textWidth(const QString& text, const QFont& font) const
{
    QHash<QString, int>& widths = &font == &tickFont_ ? tickWidths_ : widths_;
    if (const auto known = widths.constFind(text); known != widths.constEnd())
        return *known;
    if (widths.size() > 512)
        widths.clear();
    return widths[text] = QFontMetrics(font).horizontalAdvance(text);
}

QRect ExplorerOverlay::textBox(const QString& text, const QRect& avoid, const std::vector<QRect>& taken) const
{
    const int width = textWidth(text, font_) + 2 * kPadding;
    const int height = QFontMetrics(font_).height() + 2 * kPadding;
    std::vector<core::PixelRect> others;
    others.reserve(taken.size());
    for (const QRect& rect : taken)
        others.push_back(toPixelRect(rect));
    return toQRect(explore::placeBeside(toPixelRect(scene_.area), toPixelRect(avoid), width, height, others));
}

QRegion ExplorerOverlay::setScene(OverlayScene scene)
{
    const std::vector<Piece> old = std::move(pieces_);
    scene_ = std::move(scene);
    layOut();
    QRegion dirty;
    for (const Piece& piece : old)
        if (std::find(pieces_.begin(), pieces_.end(), piece) == pieces_.end())
            dirty += piece.region;
    for (const Piece& piece : pieces_)
        if (std::find(old.begin(), old.end(), piece) == old.end())
            dirty += piece.region;
    return dirty & scene_.area;
}

QRegion ExplorerOverlay::region() const
{
    return covered_;
}

void ExplorerOverlay::layOut()
{
    pieces_.clear();
    markLabels_.clear();
    tickRects_.clear();
    pointerBox_ = traceBox_ = QRect();
    if (scene_.highlightKey != 0 && !scene_.highlight.empty()) {
        // Repainted band by band: a curve's bounding box is mostly empty.
        constexpr int kBand = 32;
        const int scale = scene_.highlightScale;
        const auto toClient = [scale](const QRect& device) {
            return QRect(QPoint(device.left() / scale, device.top() / scale),
                         QPoint(device.right() / scale, device.bottom() / scale));
        };
        QRegion bands;
        QRect band;
        for (const QRect& run : scene_.highlight) {
            if (!band.isEmpty() && run.top() / (kBand * scale) != band.top() / (kBand * scale)) {
                bands += toClient(band);
                band = QRect();
            }
            band |= run;
        }
        bands += toClient(band);
        pieces_.push_back({bands, "h" + QString::number(scene_.highlightKey)});
    }
    if (scene_.tickLabels) {
        const QFontMetrics ticks(tickFont_);
        for (const explore::TickLabel& tick : scene_.ticks) {
            const QString text = QString::fromStdString(tick.text);
            const int width = textWidth(text, tickFont_), height = ticks.height();
            QRect rect;
            switch (tick.axis) {
            case explore::TickLabel::Axis::X:
                rect = QRect(tick.pixel - width / 2, scene_.origin.y() + kTickGap, width, height);
                break;
            case explore::TickLabel::Axis::Y:
                rect = QRect(scene_.origin.x() - kTickGap - width, tick.pixel - height / 2, width, height);
                break;
            case explore::TickLabel::Axis::Origin:
                rect = QRect(scene_.origin.x() - kTickGap - width, scene_.origin.y() + kTickGap, width, height);
                break;
            }
            tickRects_.push_back(rect);
            pieces_.push_back({rect, "k" + text});
        }
    }
    if (scene_.dot)
        pieces_.push_back({around(*scene_.dot, kDotRadius), "d" + at(*scene_.dot)});
    // The boxes first, the pointer's nearest its cursor; the marks' labels
    // keep clear of them and of one another where there is room.
    std::vector<QRect> taken = scene_.controls;
    if (scene_.pointer && !scene_.pointerText.isEmpty()) {
        const QRect cursor = toQRect(explore::cursorBox(scene_.pointer->x(), scene_.pointer->y()));
        pointerBox_ = textBox(scene_.pointerText, cursor, taken);
        pieces_.push_back({pointerBox_, "b" + scene_.pointerText + at(pointerBox_)});
        taken.push_back(cursor);
        taken.push_back(pointerBox_);
    }
    if (scene_.trace) {
        const QPoint where(scene_.trace->x, scene_.trace->y);
        const QRect marker = around(where, std::max(kTraceRadius, kArrowSize));
        traceBox_ = scene_.traceText.isEmpty() ? QRect() : textBox(scene_.traceText, marker, taken);
        pieces_.push_back({marker | traceBox_, "t" + at(where) + QString::number(int(scene_.trace->arrow)) +
                                                   scene_.traceText + at(traceBox_)});
        taken.push_back(marker);
        taken.push_back(traceBox_);
    }
    for (const OverlayScene::Mark& mark : scene_.marks)
        taken.push_back(around(mark.at, kRingRadius));
    for (const OverlayScene::Mark& mark : scene_.marks) {
        const QRect ring = around(mark.at, kRingRadius);
        const QRect label = textBox(mark.label, ring, taken);
        taken.push_back(label);
        markLabels_.push_back(label);
        pieces_.push_back({ring | label, "m" + at(mark.at) + mark.label + at(label)});
    }
    covered_ = QRegion();
    for (const Piece& piece : pieces_)
        covered_ += piece.region;
    covered_ &= scene_.area;
}

void ExplorerOverlay::paint(QPainter& painter, const QRegion& exposed) const
{
    if (pieces_.empty() || !exposed.intersects(covered_))
        return;
    const QPalette& palette = surface_->palette();
    const QColor highlight = palette.color(QPalette::Highlight);
    // Everything lies inside the area already (the child controls over it
    // paint over the overlay): no clip of its own, which would slow down
    // every fill.
    painter.save();

    if (scene_.tickLabels) {
        painter.setFont(tickFont_);
        painter.setPen(palette.color(QPalette::Text));
        for (std::size_t i = 0; i < tickRects_.size(); ++i)
            if (exposed.intersects(tickRects_[i]))
                painter.drawText(tickRects_[i], Qt::AlignCenter, QString::fromStdString(scene_.ticks[i].text));
    }

    if (scene_.highlightKey != 0) {
        // The runs come row by row: only the rows exposed are painted, in
        // device pixels.
        const int scale = scene_.highlightScale;
        const QRect bounds = exposed.boundingRect();
        const int top = (bounds.top() - 1) * scale, bottom = (bounds.bottom() + 1) * scale;
        const int left = (bounds.left() - 1) * scale, right = (bounds.right() + 1) * scale;
        const auto first = std::lower_bound(scene_.highlight.begin(), scene_.highlight.end(), top,
                                            [](const QRect& run, int y) { return run.bottom() < y; });
        std::vector<QRect> shown;
        for (auto run = first; run != scene_.highlight.end() && run->top() <= bottom; ++run)
            if (run->right() >= left && run->left() <= right)
                shown.push_back(*run);
        painter.save();
        painter.scale(1.0 / scale, 1.0 / scale);
        painter.setPen(Qt::NoPen);
        painter.setBrush(highlight);
        painter.drawRects(shown.data(), int(shown.size()));
        painter.restore();
    }

    const auto drawBox = [&](const QRect& box, const QString& text, const QFont& font) {
        painter.setPen(palette.color(QPalette::ToolTipText));
        painter.setBrush(palette.color(QPalette::ToolTipBase));
        painter.drawRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setFont(font);
        painter.drawText(box, Qt::AlignCenter, text);
    };

    painter.setRenderHint(QPainter::Antialiasing, true);
    for (std::size_t i = 0; i < scene_.marks.size(); ++i) {
        if (!exposed.intersects(around(scene_.marks[i].at, kRingRadius) | markLabels_[i]))
            continue;
        painter.setPen(QPen(highlight, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centreOf(scene_.marks[i].at), kRingRadius, kRingRadius);
        drawBox(markLabels_[i], scene_.marks[i].label, font_);
    }

    if (scene_.dot) {
        painter.setPen(QPen(palette.color(QPalette::Base), 1));
        painter.setBrush(highlight);
        painter.drawEllipse(centreOf(*scene_.dot), kDotRadius, kDotRadius);
    }

    if (scene_.trace) {
        painter.setPen(QPen(highlight, 2));
        if (scene_.trace->arrow == explore::TraceMarker::Arrow::None) {
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(centreOf(QPoint(scene_.trace->x, scene_.trace->y)), kTraceRadius, kTraceRadius);
            painter.setBrush(highlight);
            painter.drawEllipse(centreOf(QPoint(scene_.trace->x, scene_.trace->y)), 1.5, 1.5);
        } else {
            painter.setBrush(highlight);
            painter.drawPolygon(arrowAt(*scene_.trace));
        }
        if (!traceBox_.isEmpty())
            drawBox(traceBox_, scene_.traceText, font_);
    }

    if (!pointerBox_.isEmpty())
        drawBox(pointerBox_, scene_.pointerText, font_);
    painter.restore();
}

}  // namespace platform
