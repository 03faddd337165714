#include "platform/InputHold.h"

#include <QCoreApplication>
#include <QEvent>

namespace platform {

bool isInput(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

InputHold::InputHold(std::function<bool(QObject*, QEvent*)> finishes) : finishes_(std::move(finishes))
{
    QCoreApplication::instance()->installEventFilter(this);
}

InputHold::~InputHold()
{
    QCoreApplication::instance()->removeEventFilter(this);
    // Posted events are handled in order, once the busy handler has returned.
    for (auto& [receiver, event] : held_) {
        if (receiver)
            QCoreApplication::postEvent(receiver, event.release());
    }
}

bool InputHold::eventFilter(QObject* receiver, QEvent* event)
{
    if (!isInput(event) || !receiver->isWidgetType())
        return false;
    // A shortcut check comes again with its key when the key is handed on.
    if (event->type() == QEvent::ShortcutOverride)
        return true;
    if (finishes_ && finishes_(receiver, event)) {
        finishRequested_ = true;
        return true;
    }
    held_.emplace_back(receiver, std::unique_ptr<QEvent>(event->clone()));
    return true;
}

}  // namespace platform
