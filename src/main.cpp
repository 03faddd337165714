// Startup: the arguments, the application, the main window, the hidden About
// dialog, and the event loop until the main window is closed.

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ABOUT.h"
#include "Unit28.h"
#include "core/cli/CommandLine.h"
#include "core/cli/FileCommand.h"
#include "platform/Application.h"
#include "platform/DrawingSurface.h"
#include "platform/FirstFrameReport.h"
#include "platform/FontConfigPreload.h"
#include "platform/PictureCommand.h"
#include "platform/ProgramIcon.h"
#include "platform/ProgramStyle.h"
#include "platform/QtTranslations.h"
#include "platform/SoundOutput.h"
#include "platform/Startup.h"

namespace {

// A picture from the command line needs no display: the application runs on
// Qt's offscreen platform, with the window's style for the same background.
int writePicture(int argc, char* argv[], const cli::PictureRequest& request)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::installStartupMessageHandler();
    QApplication application(argc, argv);
    platform::startupSucceeded();
    platform::installProgramStyle();
    return platform::writePictureCommand(request);
}

}  // namespace

int main(int argc, char* argv[])
{
    const cli::Request request = cli::readCurveLists(cli::readArguments(std::vector<std::string>(argv + 1, argv + argc)));
    switch (request.action) {
    case cli::Request::ShowHelp:
        std::fputs(cli::usageText().c_str(), stdout);
        return 0;
    case cli::Request::ShowVersion:
        std::fputs(cli::versionText(VELTRANO_VERSION).c_str(), stdout);
        return 0;
    case cli::Request::UsageError:
        std::fputs(cli::usageErrorText(request.message).c_str(), stderr);
        return cli::kUsageErrorStatus;
    case cli::Request::WritePicture:
        // A sound alone needs no toolkit.
        if (request.picture.output.empty())
            return cli::writeSoundCommand(request.picture);
        return writePicture(argc, argv, request.picture);
    case cli::Request::OpenWindow:
        break;
    }

    if (!platform::hasDisplay()) {
        std::fputs("veltrano: no graphical display found (DISPLAY is not set); start it on a desktop, "
                   "or under a virtual display with: xvfb-run -a veltrano\n",
                   stderr);
        return 1;
    }
    platform::installStartupMessageHandler();
    platform::FontConfigPreload fontConfiguration;
    QApplication application(argc, argv);
    fontConfiguration.wait();
    platform::startupSucceeded();
    platform::installTranslations();
    platform::installProgramStyle();
    QApplication::setWindowIcon(platform::programIcon());
    QGuiApplication::setDesktopFileName("io.github.veltrano.Veltrano");

    new TForm28;  // stores itself in Form28 before its creation handler runs
    AboutBox = new TAboutBox;
    platform::reportFirstFrameWhenAsked(Form28->Canvas, [] { return Form28->Canvas->hasPainted(); });
    Form28->show();
    const int status = application.exec();
    delete AboutBox;
    delete Form28;
    // An audio thread that stopped answering would hold the exit up for good.
    if (platform::SoundOutput::isStuck()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
