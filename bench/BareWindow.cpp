// The yardstick for the program's start-up: a bare Qt Widgets window of the
// main window's size that draws one line. scripts/time-startup.sh times both.

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include "platform/FirstFrameReport.h"

namespace {

class LineWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawLine(20, height() / 2, width() - 20, height() / 2);
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    LineWindow window;
    window.resize(651, 661);
    platform::reportFirstFrameWhenAsked(&window);
    window.show();
    return application.exec();
}
