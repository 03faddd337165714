#include "platform/Startup.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

QtMessageHandler previousHandler = nullptr;
bool starting = true;
QString lastStartupMessage;

QString firstLine(const QString& text)
{
    return text.section(u'\n', 0, 0).trimmed();
}

void forward(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (previousHandler) {
        previousHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && starting) {
        const QString cause = lastStartupMessage.isEmpty() ? firstLine(message) : lastStartupMessage;
        std::fprintf(stderr,
                     "veltrano: cannot open the window (%s); without a desktop, start it with: xvfb-run -a veltrano\n",
                     cause.toLocal8Bit().constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (starting) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            lastStartupMessage = firstLine(message);
        return;
    }
    // Qt creates a private runtime directory itself when none is set.
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    forward(type, context, message);
}

}  // namespace

void installStartupMessageHandler()
{
    starting = true;
    previousHandler = qInstallMessageHandler(handleMessage);
}

void startupSucceeded()
{
    starting = false;
}

}  // namespace platform
