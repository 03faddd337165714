#pragma once
// Keeps the windows alive while a handler takes its time (the animation):
// while an InputHold lives, keyboard and mouse input is held back, and when
// it ends the input is handed on in the order it came, as if the program had
// simply been busy. Input that `finishes` accepts is not held: it asks the
// busy handler to finish at once instead.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QEvent;

namespace platform {

class InputHold : public QObject {
public:
    explicit InputHold(std::function<bool(QObject* receiver, QEvent* event)> finishes);
    ~InputHold() override;
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

    bool finishRequested() const { return finishRequested_; }
    // The held input is dropped instead of handed on (the program is ending).
    void discard() { held_.clear(); }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    std::function<bool(QObject*, QEvent*)> finishes_;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
    bool finishRequested_ = false;
};

// Whether the event is keyboard or mouse input.
bool isInput(const QEvent* event);

}  // namespace platform
