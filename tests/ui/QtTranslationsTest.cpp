// Which of Qt's translations the program loads: the user's language where Qt
// has a translation with messages, otherwise Chinese, never Qt's built-in
// English beside the program's Chinese texts.

#include <gtest/gtest.h>

#include <QLocale>
#include <QTranslator>

#include "platform/QtTranslations.h"

namespace {

// Some of the translations with messages in Debian's qt6-translations-l10n;
// its qtbase_en.qm holds none, so English is not among them.
bool shipped(const QString& name)
{
    return QStringList{"de", "fr", "pt_BR", "zh_CN", "zh_TW"}.contains(name);
}

}  // namespace

TEST(QtTranslation, TheUsersLanguageWhereQtHasOneOtherwiseChinese)
{
    const struct {
        QStringList uiLanguages;
        const char* chosen;
    } rows[] = {
        {QLocale("de_DE").uiLanguages(), "de"},
        {QLocale("en_US").uiLanguages(), "zh_CN"},
        {QLocale::c().uiLanguages(), "zh_CN"},
        {QLocale("zh_TW").uiLanguages(), "zh_TW"},
        {QLocale("zh_CN").uiLanguages(), "zh_CN"},
        {QLocale("pt_BR").uiLanguages(), "pt_BR"},
        {QLocale("pt_PT").uiLanguages(), "zh_CN"},  // only the Brazilian variant is there
        {{"en-GB", "en", "fr", "fr-FR"}, "fr"},      // LANGUAGE=en_GB:fr, the first that Qt has
        {{}, "zh_CN"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(platform::chooseQtTranslation(row.uiLanguages, shipped).toStdString(), row.chosen)
            << row.uiLanguages.join(' ').toStdString();
    EXPECT_EQ(platform::chooseQtTranslation({"en-US", "en"}, [](const QString&) { return false; }).toStdString(), "");
}

TEST(QtTranslation, QtsEmptyEnglishFileCountsAsNone)
{
    QTranslator translator;
    if (!platform::loadQtTranslation(translator, "zh_CN"))
        GTEST_SKIP() << "Qt's translations (qt6-translations-l10n) are not installed";
    EXPECT_EQ(translator.translate("QPlatformTheme", "&Yes").toStdString(), "是(&Y)");
    const auto loads = [&translator](const QString& name) { return platform::loadQtTranslation(translator, name); };
    EXPECT_EQ(platform::chooseQtTranslation(QLocale("en_US").uiLanguages(), loads).toStdString(), "zh_CN");
    EXPECT_EQ(translator.translate("QPlatformTheme", "&No").toStdString(), "否(&N)");
    EXPECT_EQ(platform::chooseQtTranslation(QLocale("de_DE").uiLanguages(), loads).toStdString(), "de");
    EXPECT_EQ(translator.translate("QPlatformTheme", "&No").toStdString(), "&Nein");
}
