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
