#pragma once
// The main window's client area as a widget: it presents the retained canvas
// and tells it what became invalid (first show, resize, a child control
// hidden or moved away) and which child controls cover it. Paint cycles run
// from the event loop, like a window system's paint message, never inside
// Qt's paint event, which only copies the image to the screen.

#include <QImage>
#include <QWidget>
#include <functional>

#include "core/number/UserError.h"
#include "core/raster/RetainedCanvas.h"

class QPainter;

namespace platform {

class ExplorerOverlay;
class SharpGraph;

class DrawingSurface : public QWidget {
    Q_OBJECT
public:
    explicit DrawingSurface(QWidget* parent = nullptr);

    // The canvas the program draws on; drawing reaches the screen once the
    // event loop runs, or at once with presentNow().
    core::RetainedCanvas& canvas();
    const QImage& image() const { return image_; }
    QColor background() const;

    // Runs every paint cycle, clipped to the invalid part; its failure is
    // shown by the handler guard once the cycle is on screen.
    void setPaintHandler(std::function<core::Status()> handler) { paintHandler_ = std::move(handler); }

    void invalidate(const QRect& rect);
    void invalidateAll() { invalidate(rect()); }
    // Runs the pending paint cycle now, if any part is invalid.
    core::Status paintPendingArea();
    bool isPainting() const { return canvas_.isPainting(); }
    // True once a paint cycle has run to its end (the axes are in the image).
    bool hasPainted() const { return hasPainted_; }
    // While held, paint cycles wait (the image is still presented); they run
    // once released.
    void holdPaintCycles(bool held);
    // Where the screen has more than one device pixel to a client pixel,
    // frames come from `sharp`, with the graph's lines at the screen's scale.
    void setSharpGraph(SharpGraph* sharp) { sharp_ = sharp; }
    // The integer scale of this screen's frames: the device pixel ratio
    // rounded up (1 to 8).
    int frameScale() const;

    // Puts what was drawn since the last presentation on screen now, without
    // returning to the event loop (for drawing that the user watches grow).
    void presentNow();

    // What the explorer draws over the presented frame (none: nothing).
    void setOverlay(const ExplorerOverlay* overlay) { overlay_ = overlay; }

    // Accessible objects inside the drawing area that a screen reader can be
    // sent to (the curves, the trace point), after its child controls: how
    // many there are and the name of each.
    struct AccessibleItems {
        std::function<int()> count;
        std::function<QString(int)> name;
    };
    void setAccessibleItems(AccessibleItems items) { items_ = std::move(items); }
    const AccessibleItems& accessibleItems() const { return items_; }
    // Moves the screen reader's focus to item `index` (-1: the drawing area
    // itself) while the drawing area has the keyboard focus.
    void focusAccessibleItem(int index);
    int focusedAccessibleItem() const { return focusedItem_; }

signals:
    // The pointer went from the drawing area onto one of its child controls.
    void pointerOverChild();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // While the drawing area has the keyboard focus a focus frame is drawn
    // over the presented image (never into it).
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void paintFocusFrame(QPainter& painter);
    void schedulePaint();
    void schedulePresent();
    void presentDirty();
    void updateCovered();

    core::RetainedCanvas canvas_;
    QImage image_;  // shares the canvas's pixels
    std::function<core::Status()> paintHandler_;
    bool paintScheduled_ = false;
    bool presentScheduled_ = false;
    bool coveredStale_ = true;
    bool paintCyclesHeld_ = false;
    bool hasPainted_ = false;
    SharpGraph* sharp_ = nullptr;
    const ExplorerOverlay* overlay_ = nullptr;
    AccessibleItems items_;
    int focusedItem_ = -1;
};

}  // namespace platform
