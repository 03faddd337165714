#include "platform/DrawingSurface.h"

#include <QChildEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QResizeEvent>
#include <optional>

#include "platform/Application.h"

namespace platform {

namespace {
constexpr std::uint32_t kPenColor = 0xff000000u;

core::PixelRect toPixelRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
}
}  // namespace

DrawingSurface::DrawingSurface(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.setPenColor(kPenColor);
}

QColor DrawingSurface::background() const
{
    return palette().color(QPalette::Button);
}

void DrawingSurface::MoveTo(std::int64_t x, std::int64_t y)
{
    surface_.moveTo(x, y);
}

void DrawingSurface::LineTo(std::int64_t x, std::int64_t y)
{
    if (clipStale_)
        rebuildClip(nullptr);
    surface_.lineTo(x, y);
    if (!painting_ && !presentScheduled_)
        schedulePresent();
}

void DrawingSurface::invalidate(const QRect& area)
{
    const QRect clipped = area & rect();
    if (clipped.isEmpty())
        return;
    invalid_ += clipped;
    schedulePaint();
}

void DrawingSurface::schedulePaint()
{
    if (paintScheduled_)
        return;
    paintScheduled_ = true;
    // Like a window system's paint message: handled once the events already
    // queued are done, never inside another handler.
    QMetaObject::invokeMethod(this, &DrawingSurface::paintPendingArea, Qt::QueuedConnection);
}

void DrawingSurface::schedulePresent()
{
    presentScheduled_ = true;
    QMetaObject::invokeMethod(this, &DrawingSurface::presentDirty, Qt::QueuedConnection);
}

void DrawingSurface::paintPendingArea()
{
    paintScheduled_ = false;
    if (painting_ || invalid_.isEmpty())
        return;
    const QRegion region = invalid_ & rect();
    invalid_ = QRegion();
    presentDirty();  // what was drawn before belongs to the screen already

    const std::uint32_t erase = background().rgb();
    for (const QRect& r : region)
        surface_.fillRect(toPixelRect(r), erase);

    // The paint handler's drawing reaches the screen in one piece when the
    // paint ends; an error is shown only after that.
    std::optional<QString> error;
    painting_ = true;
    rebuildClip(&region);
    try {
        if (paintHandler_)
            paintHandler_();
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    painting_ = false;
    clipStale_ = true;
    surface_.takeDirtyRect();
    update(region);
    if (error)
        showErrorBox(*error);
}

void DrawingSurface::presentDirty()
{
    presentScheduled_ = false;
    const core::PixelRect dirty = surface_.takeDirtyRect();
    if (!dirty.empty())
        update(QRect(dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top));
}

void DrawingSurface::presentNow()
{
    const core::PixelRect dirty = surface_.takeDirtyRect();
    if (!dirty.empty())
        repaint(QRect(dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top));
}

QRegion DrawingSurface::drawableRegion() const
{
    QRegion region(rect());
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isHidden() && !widget->isWindow())
            region -= widget->geometry();
    }
    return region;
}

void DrawingSurface::rebuildClip(const QRegion* paintRegion)
{
    QRegion region = drawableRegion();
    if (paintRegion)
        region &= *paintRegion;
    clipStale_ = false;
    // Paint cycles of the same area, the usual case, clip alike.
    if (clipMaskValid_ && region == clipRegion_)
        return;
    clipRegion_ = region;
    clipMaskValid_ = true;
    std::vector<std::uint8_t>& mask = surface_.clipMask();
    std::fill(mask.begin(), mask.end(), std::uint8_t{0});
    const int stride = surface_.width();
    for (const QRect& r : region) {
        const QRect inside = r & rect();
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            std::uint8_t* row = mask.data() + std::size_t(y) * stride;
            std::fill(row + inside.left(), row + inside.right() + 1, std::uint8_t{1});
        }
    }
}

bool DrawingSurface::event(QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        auto* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
        clipStale_ = true;
    } else if (event->type() == QEvent::ChildRemoved) {
        clipStale_ = true;
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
            clipStale_ = true;
            break;
        case QEvent::HideToParent:
            clipStale_ = true;
            invalidate(child->geometry());
            break;
        case QEvent::Move:
            clipStale_ = true;
            invalidate(QRect(static_cast<QMoveEvent*>(event)->oldPos(), child->size()));
            break;
        case QEvent::Resize:
            clipStale_ = true;
            invalidate(QRect(child->pos(), static_cast<QResizeEvent*>(event)->oldSize()));
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DrawingSurface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (const QRect& r : event->region())
        painter.drawImage(r.topLeft(), image_, r);
}

void DrawingSurface::resizeEvent(QResizeEvent* event)
{
    surface_.resize(width(), height(), background().rgb());
    clipMaskValid_ = false;  // the resize let every pixel through
    image_ = QImage(reinterpret_cast<uchar*>(surface_.pixels()), surface_.width(), surface_.height(),
                    surface_.width() * int(sizeof(std::uint32_t)), QImage::Format_RGB32);
    clipStale_ = true;
    invalidateAll();
    QWidget::resizeEvent(event);
}

}  // namespace platform
