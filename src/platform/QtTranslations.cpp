#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

namespace {
const QString kFallback = QStringLiteral("zh_CN");
}

QString chooseQtTranslation(const QStringList& uiLanguages, const std::function<bool(const QString&)>& hasTranslation)
{
    for (QString name : uiLanguages) {
        name.replace(u'-', u'_');
        for (;;) {
            if (hasTranslation(name))
                return name;
            const qsizetype cut = name.lastIndexOf(u'_');
            if (cut <= 0)
                break;
            name.truncate(cut);
        }
    }
    return hasTranslation(kFallback) ? kFallback : QString();
}

bool loadQtTranslation(QTranslator& translator, const QString& name)
{
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString file = QStringLiteral("qtbase_") + name;
    return QFileInfo::exists(directory + u'/' + file + QStringLiteral(".qm")) && translator.load(file, directory) &&
           !translator.isEmpty();
}

void installTranslations()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    const auto loads = [translator](const QString& name) { return loadQtTranslation(*translator, name); };
    if (chooseQtTranslation(QLocale::system().uiLanguages(), loads).isEmpty())
        delete translator;
    else
        QCoreApplication::installTranslator(translator);
}

}  // namespace platform
