// Runs the window tests against one instance of the program's windows, built
// the way the program's startup builds them, on Qt's offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>

#include "ABOUT.h"
#include "Unit28.h"
#include "platform/Application.h"
#include "platform/ProgramStyle.h"

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    platform::installProgramStyle();
    // A fault of the program fails the test that met it.
    platform::setDefectHook([](const QString& report) { ADD_FAILURE() << report.toStdString(); });
    new TForm28;
    AboutBox = new TAboutBox;
    Form28->show();
    const int status = RUN_ALL_TESTS();
    delete AboutBox;
    delete Form28;
    return status;
}
