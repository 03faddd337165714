#include "platform/FirstFrameReport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <cstdio>
#include <ctime>

namespace platform {

namespace {

class FirstFrameReport : public QObject {
public:
    FirstFrameReport(QWidget* widget, std::function<bool()> complete)
        : QObject(widget), complete_(std::move(complete))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !reported_ && (!complete_ || complete_())) {
            reported_ = true;
            // Queued: it runs once this paint has been flushed to the window.
            QMetaObject::invokeMethod(this, &FirstFrameReport::report, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void report()
    {
        // A round trip to the window system: the frame's pixels are taken.
        QGuiApplication::sync();
        const auto microseconds = [](clockid_t clock) {
            timespec now{};
            clock_gettime(clock, &now);
            return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
        };
        std::printf("first-frame %lld %lld\n", microseconds(CLOCK_REALTIME), microseconds(CLOCK_PROCESS_CPUTIME_ID));
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    std::function<bool()> complete_;
    bool reported_ = false;
};

}  // namespace

void reportFirstFrameWhenAsked(QWidget* widget, std::function<bool()> complete)
{
    if (qEnvironmentVariableIsEmpty("VELTRANO_REPORT_FIRST_FRAME"))
        return;
    new FirstFrameReport(widget, std::move(complete));
}

}  // namespace platform
