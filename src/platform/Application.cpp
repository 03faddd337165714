#include "platform/Application.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <memory>

namespace platform {

namespace {
ErrorBoxHook& errorBoxHook()
{
    static ErrorBoxHook hook;
    return hook;
}

DefectHook& defectHook()
{
    static DefectHook hook;
    return hook;
}

QString typeName(const std::type_info* type)
{
    if (!type)
        return QStringLiteral("an exception of unknown type");
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), std::free);
    return QString::fromLatin1(status == 0 && demangled ? demangled.get() : type->name());
}
}  // namespace

void setDefectHook(DefectHook hook)
{
    defectHook() = std::move(hook);
}

void reportDefect(const std::type_info* type, const char* what)
{
    const QString report = QStringLiteral("internal error (%1): %2").arg(typeName(type), QString::fromUtf8(what));
    std::fprintf(stderr, "veltrano: %s\n", report.toUtf8().constData());
    if (defectHook())
        defectHook()(report);
}

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

void releaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
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
