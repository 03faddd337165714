#pragma once
// The file dialogs that ask where to save and which file to open, and the
// yes-or-no question asked before a chosen name is changed. Tests may
// replace each.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace platform {

struct SaveDialogRequest {
    QWidget* parent;
    QString caption;
    QString startPath;  // the folder it opens in and the name it offers
    QStringList filters;
    QString filter;  // the one selected at first
};

struct SaveDialogAnswer {
    QString path;  // empty when the dialog was cancelled
    QString filter;
};

// A name typed without an extension takes the selected filter's, and the
// dialog asks before a file is overwritten.
SaveDialogAnswer askWhereToSave(const SaveDialogRequest& request);
using SaveDialogHook = std::function<SaveDialogAnswer(const SaveDialogRequest& request)>;
void setSaveDialogHook(SaveDialogHook hook);

// What one try at saving under a name chosen in the dialog came to.
struct SaveAttempt {
    enum Outcome { Saved, Declined, Failed } outcome;
    QString path;     // the name tried, as saved or as it failed
    QString failure;  // the reason, for the error box
};
// Asks where to save until a save succeeds or the dialog is cancelled: a
// name the user declined opens the dialog again; a failure shows its reason
// in the error box, then the dialog again on the name that failed. Returns
// the path saved, empty when cancelled.
QString saveThroughDialog(SaveDialogRequest request, const std::function<SaveAttempt(const SaveDialogAnswer&)>& save);

// The file dialog that asks which file to open (the request's filter the one
// selected at first); empty when cancelled.
QString askWhichToOpen(const SaveDialogRequest& request);
using OpenDialogHook = std::function<QString(const SaveDialogRequest& request)>;
void setOpenDialogHook(OpenDialogHook hook);

// A question with the buttons Yes and No and no icon; true for Yes.
bool askYesOrNo(QWidget* parent, const QString& caption, const QString& text);
using QuestionHook = std::function<bool(const QString& caption, const QString& text)>;
void setQuestionHook(QuestionHook hook);

}  // namespace platform
