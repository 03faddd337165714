#include "platform/DrawingSurface.h"

#include <QChildEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "platform/Application.h"
#include "platform/DrawingAreaAccessible.h"
#include "platform/ExplorerOverlay.h"
#include "platform/SharpGraph.h"

namespace platform {

namespace {

core::PixelRect toPixelRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
}

QRect toQRect(const core::PixelRect& rect)
{
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

}  // namespace

DrawingSurface::DrawingSurface(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor DrawingSurface::background() const
{
    return palette().color(QPalette::Button);
}

core::RetainedCanvas& DrawingSurface::canvas()
{
    // Drawing between paint cycles reaches the screen when the event loop runs.
    if (coveredStale_)
        updateCovered();
    if (!canvas_.isPainting() && !presentScheduled_)
        schedulePresent();
    return canvas_;
}

void DrawingSurface::invalidate(const QRect& area)
{
    const QRect clipped = area & rect();
    if (clipped.isEmpty())
        return;
    canvas_.invalidate(toPixelRect(clipped));
    schedulePaint();
}

void DrawingSurface::schedulePaint()
{
    if (paintScheduled_)
        return;
    paintScheduled_ = true;
    // Handled once the events already queued are done, never inside another
    // handler; a failure goes to the handler guard like any handler's.
    QMetaObject::invokeMethod(
        this, [this] { guarded([this] { return paintPendingArea(); }); }, Qt::QueuedConnection);
}

void DrawingSurface::schedulePresent()
{
    presentScheduled_ = true;
    QMetaObject::invokeMethod(this, &DrawingSurface::presentDirty, Qt::QueuedConnection);
}

void DrawingSurface::holdPaintCycles(bool held)
{
    paintCyclesHeld_ = held;
    if (!held && canvas_.hasInvalidArea())
        schedulePaint();
}

core::Status DrawingSurface::paintPendingArea()
{
    paintScheduled_ = false;
    if (paintCyclesHeld_ || canvas_.isPainting() || !canvas_.hasInvalidArea())
        return {};
    presentDirty();  // what was drawn before belongs to the screen already
    updateCovered();

    // The paint handler's drawing reaches the screen in one piece when the
    // paint ends, before its failure is shown.
    const core::PixelRect area = canvas_.beginPaint();
    core::Status failure;
    struct EndPaint {
        core::RetainedCanvas& canvas;
        bool& hasPainted;
        ~EndPaint()
        {
            canvas.endPaint();
            hasPainted = true;
        }
    } endPaint{canvas_, hasPainted_};
    if (paintHandler_)
        failure = paintHandler_();
    update(toQRect(area));
    return failure;
}

void DrawingSurface::presentDirty()
{
    presentScheduled_ = false;
    const core::PixelRect dirty = canvas_.takeDirtyRect();
    if (!dirty.empty())
        update(toQRect(dirty));
}

void DrawingSurface::presentNow()
{
    const core::PixelRect dirty = canvas_.takeDirtyRect();
    if (!dirty.empty())
        repaint(toQRect(dirty));
}

void DrawingSurface::updateCovered()
{
    coveredStale_ = false;
    std::vector<core::PixelRect> covered;
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isHidden() && !widget->isWindow())
            covered.push_back(toPixelRect(widget->geometry()));
    }
    canvas_.setCovered(std::move(covered));
}

bool DrawingSurface::event(QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        auto* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
        coveredStale_ = true;
    } else if (event->type() == QEvent::ChildRemoved) {
        coveredStale_ = true;
    }
    return QWidget::event(event);
}

// A child control that goes away or moves uncovers the area it had: that area
// becomes invalid and is repainted by the paint handler.
bool DrawingSurface::eventFilter(QObject* watched, QEvent* event)
{
    auto* child = qobject_cast<QWidget*>(watched);
    const bool moves = event->type() == QEvent::Move || event->type() == QEvent::Resize;
    if (child && child->parentWidget() == this && !(moves && child->isHidden())) {
        switch (event->type()) {
        case QEvent::ShowToParent:
            coveredStale_ = true;
            break;
        case QEvent::Enter:
            emit pointerOverChild();
            break;
        case QEvent::HideToParent:
            coveredStale_ = true;
            invalidate(child->geometry());
            break;
        case QEvent::Move:
            coveredStale_ = true;
            invalidate(QRect(static_cast<QMoveEvent*>(event)->oldPos(), child->size()));
            break;
        case QEvent::Resize:
            coveredStale_ = true;
            invalidate(QRect(child->pos(), static_cast<QResizeEvent*>(event)->oldSize()));
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DrawingSurface::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void DrawingSurface::focusOutEvent(QFocusEvent* event)
{
    // Coming back by Tab, a screen reader hears the drawing area itself.
    focusedItem_ = -1;
    update();
    QWidget::focusOutEvent(event);
}

void DrawingSurface::focusAccessibleItem(int index)
{
    focusedItem_ = index;
    if (hasFocus())
        announceAccessibleFocus(*this);
}

// The focus frame, a dotted line in the highlight colour as on the buttons,
// runs just inside the drawing area's edges; the controls along the top
// cover that side, the other three show.
void DrawingSurface::paintFocusFrame(QPainter& painter)
{
    painter.save();
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
    painter.restore();
}

int DrawingSurface::frameScale() const
{
    return std::clamp(int(std::ceil(devicePixelRatioF() - 1e-6)), 1, 8);
}

void DrawingSurface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const int scale = frameScale();
    if (scale == 1 || !sharp_) {
        for (const QRect& r : event->region())
            painter.drawImage(r.topLeft(), image_, r);
        if (overlay_)
            overlay_->paint(painter, event->region());
        if (hasFocus())
            paintFocusFrame(painter);
        return;
    }
    // At a fractional ratio the frame is scaled down smoothly, so every
    // stroke of the same width looks equally wide.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, devicePixelRatioF() != scale);
    for (const QRect& r : event->region()) {
        const QImage& frame = sharp_->frame(canvas_.surface(), scale, r);
        painter.drawImage(QRectF(r), frame, QRectF(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale));
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (overlay_)
        overlay_->paint(painter, event->region());
    if (hasFocus())
        paintFocusFrame(painter);
}

void DrawingSurface::resizeEvent(QResizeEvent* event)
{
    canvas_.resize(width(), height(), background().rgb());
    core::PixelSurface& surface = canvas_.surface();
    image_ = QImage(reinterpret_cast<uchar*>(surface.pixels()), surface.width(), surface.height(),
                    surface.width() * int(sizeof(std::uint32_t)), QImage::Format_RGB32);
    coveredStale_ = true;
    schedulePaint();
    QWidget::resizeEvent(event);
}

}  // namespace platform

