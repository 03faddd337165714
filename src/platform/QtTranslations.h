#pragma once
// Qt's own texts (the standard buttons of the message boxes and dialogs) in
// the user's language where Qt has a translation for it, and otherwise in
// Chinese, the language of the program's own texts, so that a window never
// mixes Chinese with Qt's built-in English.

#include <QString>
#include <QStringList>
#include <functional>

class QTranslator;

namespace platform {

// The name of the translation to load (as in qtbase_<name>.qm) for the UI
// languages in order of preference (QLocale::uiLanguages(), "de-DE" or
// "zh-Hant-TW"): for each language its full name, then shorter ones ("de_DE",
// then "de"), the first for which `hasTranslation` holds; otherwise "zh_CN"
// if it holds for that; otherwise empty.
QString chooseQtTranslation(const QStringList& uiLanguages, const std::function<bool(const QString&)>& hasTranslation);

// Loads Qt's translation qtbase_<name>.qm into `translator`; false when the
// file is missing or holds no messages (Qt ships an empty one for English).
bool loadQtTranslation(QTranslator& translator, const QString& name);

// Installs the chosen translation for the system locale's UI languages.
void installTranslations();

}  // namespace platform
