#pragma once
// The application object's duties that the program relies on: its title, the
// error box, and the guard every event handler runs through, so that an error
// ends the handler, shows the box, and the event loop goes on.

#include <QString>
#include <exception>
#include <functional>

namespace platform {

// The title derived from the executable's path: the file name without its
// directory, cut at its first ".", first character unchanged, the rest lower case.
QString applicationTitle(const QString& executablePath);

// The error box text: the message, with a full stop appended when its last
// character sorts after ".".
QString errorBoxText(const QString& message);

// Shows the modal error box (critical icon, OK button, the application title
// as caption) for an error message. Tests may replace the box.
void showErrorBox(const QString& message);
using ErrorBoxHook = std::function<void(const QString& caption, const QString& text)>;
void setErrorBoxHook(ErrorBoxHook hook);

// Runs one event handler. An error ends it and is shown in the error box.
template <class Handler>
void guarded(Handler&& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        showErrorBox(QString::fromUtf8(error.what()));
    }
}

// True when there is a display to open windows on (or Qt was told which
// platform to use, such as the offscreen one for tests).
bool hasDisplay();

// Maps the designed font families to installed ones.
void installFontSubstitutions();

// Loads Qt's own translations for the user's language, so that standard
// buttons (OK, Yes, No) read in it.
void installTranslations();

}  // namespace platform
