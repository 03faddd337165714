#pragma once
// The main window's client area as a drawing surface that behaves like a
// classic window canvas: drawing lands at once on a retained image and
// nothing is remembered beyond it. Whatever part of the area becomes invalid
// (first show, resize, a child control hidden or moved away) is erased to the
// background at the next paint cycle, and the paint handler redraws it,
// clipped to that part. Qt's own paint events only copy the image to screen.
// Drawing never touches the pixels under a visible child control.

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "core/raster/PixelSurface.h"
#include "core/plot/Geometry.h"

namespace platform {

class DrawingSurface : public QWidget, public plot::Pen {
    Q_OBJECT
public:
    explicit DrawingSurface(QWidget* parent = nullptr);

    // The canvas operations with the default 1-pixel black pen.
    void MoveTo(std::int64_t x, std::int64_t y);
    void LineTo(std::int64_t x, std::int64_t y);
    void moveTo(std::int64_t x, std::int64_t y) override { MoveTo(x, y); }
    void lineTo(std::int64_t x, std::int64_t y) override { LineTo(x, y); }

    // Called for every paint cycle, clipped to the invalid part.
    void setPaintHandler(std::function<void()> handler) { paintHandler_ = std::move(handler); }

    void invalidate(const QRect& rect);
    void invalidateAll() { invalidate(rect()); }
    // Runs the pending paint cycle now, if any part is invalid.
    void paintPendingArea();
    bool isPainting() const { return painting_; }
    // Puts what was drawn since the last presentation on screen now, without
    // returning to the event loop (for drawing that the user watches grow).
    void presentNow();

    const QImage& image() const { return image_; }
    QColor background() const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void schedulePaint();
    void schedulePresent();
    void presentDirty();
    void rebuildClip(const QRegion* paintRegion);
    QRegion drawableRegion() const;

    core::PixelSurface surface_;
    QImage image_;  // shares surface_'s pixels
    QRegion invalid_;
    std::function<void()> paintHandler_;
    bool painting_ = false;
    bool paintScheduled_ = false;
    bool presentScheduled_ = false;
    bool clipStale_ = true;  // the clip must be worked out again before drawing
    QRegion clipRegion_;     // what the surface's clip mask lets through, when valid
    bool clipMaskValid_ = false;
};

}  // namespace platform
