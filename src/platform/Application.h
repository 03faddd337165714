#pragma once
// The application object's duties that the program relies on: its title, the
// error box, and the guard every event handler runs through, so that an error
// ends the handler, shows the box, and the event loop goes on.

#include <QString>
#include <exception>
#include <functional>
#include <type_traits>
#include <typeinfo>

#include "core/number/UserError.h"

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

// A fault of the program itself (an exception escaping a handler): written
// to stderr with its type, never shown as if the user had made an error.
// Tests may replace the report, to fail the test.
void reportDefect(const std::type_info* type, const char* what);
using DefectHook = std::function<void(const QString& report)>;
void setDefectHook(DefectHook hook);

// Runs one event handler. A handler that returns core::Status has its
// failure shown in the error box, the one place where the user's errors are
// shown; an exception is a defect and is reported as one. Either way the
// event loop goes on.
template <class Handler>
void guarded(Handler&& handler)
{
    try {
        if constexpr (std::is_same_v<std::invoke_result_t<Handler>, core::Status>) {
            if (const core::Status failure = handler())
                showErrorBox(QString::fromStdString(failure->message));
        } else {
            handler();
        }
    } catch (const std::exception& error) {
        reportDefect(&typeid(error), error.what());
    } catch (...) {
        reportDefect(nullptr, "");
    }
}

// Hands memory that the program has freed back to the system, so that a
// clear after a long session shrinks the process again.
void releaseFreedMemory();

// True when there is a display to open windows on (or Qt was told which
// platform to use, such as the offscreen one for tests).
bool hasDisplay();

}  // namespace platform
