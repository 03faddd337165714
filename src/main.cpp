// Startup: the application, the main window, the hidden About dialog, and
// the event loop until the main window is closed.

#include <QApplication>
#include <cstdio>

#include "ABOUT.h"
#include "Unit28.h"
#include "platform/Application.h"
#include "platform/ProgramIcon.h"

int main(int argc, char* argv[])
{
    if (!platform::hasDisplay()) {
        std::fputs("veltrano: no graphical display found (DISPLAY is not set); start it on a desktop, "
                   "or under a virtual display with: xvfb-run veltrano\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    platform::installTranslations();
    platform::installFontSubstitutions();
    QApplication::setWindowIcon(platform::programIcon());
    QGuiApplication::setDesktopFileName("io.github.veltrano.Veltrano");

    new TForm28;  // stores itself in Form28 before its creation handler runs
    AboutBox = new TAboutBox;
    Form28->show();
    const int status = application.exec();
    delete AboutBox;
    delete Form28;
    return status;
}
