#include "platform/DeferredIcon.h"

#include <QEvent>

namespace platform {

namespace {

class IconOnShow : public QObject {
public:
    IconOnShow(QAbstractButton* button, QStyle::StandardPixmap icon) : QObject(button), button_(button), icon_(icon)
    {
        button->installEventFilter(this);
    }

    void apply()
    {
        button_->removeEventFilter(this);
        button_->setIcon(button_->style()->standardIcon(icon_));
        deleteLater();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            apply();
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractButton* button_;
    QStyle::StandardPixmap icon_;
};

}  // namespace

void setStandardIconWhenShown(QAbstractButton* button, QStyle::StandardPixmap icon)
{
    auto* deferred = new IconOnShow(button, icon);
    if (button->isVisible())
        deferred->apply();
}

}  // namespace platform
