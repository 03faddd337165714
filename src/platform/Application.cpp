#include "platform/Application.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QMessageBox>
#include <QWidget>
#include <cstdlib>

namespace platform {

namespace {
ErrorBoxHook& errorBoxHook()
{
    static ErrorBoxHook hook;
    return hook;
}
}  // namespace

QString applicationTitle(const QString& executablePath)
{
    QString name = QFileInfo(executablePath).fileName();
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

QString errorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

void setErrorBoxHook(ErrorBoxHook hook)
{
    errorBoxHook() = std::move(hook);
}

void showErrorBox(const QString& message)
{
    const QString caption = applicationTitle(QCoreApplication::applicationFilePath());
    const QString text = errorBoxText(message);
    if (errorBoxHook()) {
        errorBoxHook()(caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void installTranslations()
{
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale::system(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

bool hasDisplay()
{
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return true;
    }
    return false;
}

}  // namespace platform
