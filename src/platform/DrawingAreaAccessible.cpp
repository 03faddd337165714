#include "platform/DrawingAreaAccessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "platform/DrawingSurface.h"

namespace platform {

namespace {

int itemCount(const DrawingSurface* surface)
{
    const DrawingSurface::AccessibleItems& items = surface->accessibleItems();
    return items.count ? items.count() : 0;
}

// One of the explorer's items: a name and nothing inside.
class ItemInterface : public QAccessibleInterface {
public:
    ItemInterface(DrawingSurface* surface, int index) : surface_(surface), index_(index) {}

    bool isValid() const override { return surface_ && index_ < itemCount(surface_); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return surface_ ? surface_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(surface_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name || !isValid() || !surface_->accessibleItems().name)
            return QString();
        return surface_->accessibleItems().name(index_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        return surface_ ? QRect(surface_->mapToGlobal(QPoint(0, 0)), surface_->size()) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Client; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.focused = isValid() && surface_->hasFocus() && surface_->focusedAccessibleItem() == index_;
        state.readOnly = true;
        return state;
    }

private:
    QPointer<DrawingSurface> surface_;
    int index_;
};

class DrawingAreaInterface : public QAccessibleWidget {
public:
    explicit DrawingAreaInterface(DrawingSurface* surface) : QAccessibleWidget(surface, QAccessible::Client) {}
    ~DrawingAreaInterface() override
    {
        for (const QAccessible::Id id : items_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return QAccessibleWidget::childCount() + itemCount(surface()); }
    QAccessibleInterface* child(int index) const override
    {
        const int controls = QAccessibleWidget::childCount();
        if (index < controls)
            return QAccessibleWidget::child(index);
        return index - controls < itemCount(surface()) ? item(index - controls) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (QAccessible::accessibleInterface(items_[i]) == child)
                return int(i) < itemCount(surface()) ? QAccessibleWidget::childCount() + int(i) : -1;
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* focusChild() const override
    {
        const int focused = surface()->focusedAccessibleItem();
        if (surface()->hasFocus() && focused >= 0 && focused < itemCount(surface()))
            return item(focused);
        return QAccessibleWidget::focusChild();
    }

    // Where item `index` is among the children.
    int childIndexOfItem(int index) const { return QAccessibleWidget::childCount() + index; }

private:
    DrawingSurface* surface() const { return static_cast<DrawingSurface*>(widget()); }
    QAccessibleInterface* item(int index) const
    {
        while (int(items_.size()) <= index)
            items_.push_back(QAccessible::registerAccessibleInterface(new ItemInterface(surface(), int(items_.size()))));
        return QAccessible::accessibleInterface(items_[std::size_t(index)]);
    }

    mutable std::vector<QAccessible::Id> items_;
};

QAccessibleInterface* drawingAreaFactory(const QString&, QObject* object)
{
    if (auto* surface = qobject_cast<DrawingSurface*>(object))
        return new DrawingAreaInterface(surface);
    return nullptr;
}

}  // namespace

void installDrawingAreaAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(drawingAreaFactory);
        return true;
    }();
    (void)installed;
}

void announceAccessibleFocus(DrawingSurface& surface)
{
    if (!QAccessible::isActive())
        return;
    auto* area = dynamic_cast<DrawingAreaInterface*>(QAccessible::queryAccessibleInterface(&surface));
    QAccessibleEvent event(&surface, QAccessible::Focus);
    const int focused = surface.focusedAccessibleItem();
    if (area && focused >= 0 && focused < itemCount(&surface))
        event.setChild(area->childIndexOfItem(focused));
    QAccessible::updateAccessibility(&event);
}

}  // namespace platform
