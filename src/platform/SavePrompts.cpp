#include "platform/SavePrompts.h"

#include "platform/Application.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace platform {

namespace {

SaveDialogHook& saveDialogHook()
{
    static SaveDialogHook hook;
    return hook;
}

OpenDialogHook& openDialogHook()
{
    static OpenDialogHook hook;
    return hook;
}

QuestionHook& questionHook()
{
    static QuestionHook hook;
    return hook;
}

// "PNG 图像 (*.png)" → "png".
QString filterSuffix(const QString& filter)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\(\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

void setSaveDialogHook(SaveDialogHook hook)
{
    saveDialogHook() = std::move(hook);
}

SaveDialogAnswer askWhereToSave(const SaveDialogRequest& request)
{
    if (saveDialogHook())
        return saveDialogHook()(request);
    QFileDialog dialog(request.parent, request.caption, request.startPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(request.filters);
    dialog.selectNameFilter(request.filter);
    dialog.setDefaultSuffix(filterSuffix(request.filter));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(filterSuffix(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()};
}

QString saveThroughDialog(SaveDialogRequest request, const std::function<SaveAttempt(const SaveDialogAnswer&)>& save)
{
    for (;;) {
        const SaveDialogAnswer answer = askWhereToSave(request);
        if (answer.path.isEmpty())
            return {};
        request.startPath = answer.path;
        request.filter = answer.filter;
        const SaveAttempt attempt = save(answer);
        if (attempt.outcome == SaveAttempt::Saved)
            return attempt.path;
        if (attempt.outcome == SaveAttempt::Failed) {
            showErrorBox(attempt.failure);
            request.startPath = attempt.path;
        }
    }
}

void setOpenDialogHook(OpenDialogHook hook)
{
    openDialogHook() = std::move(hook);
}

QString askWhichToOpen(const SaveDialogRequest& request)
{
    if (openDialogHook())
        return openDialogHook()(request);
    QFileDialog dialog(request.parent, request.caption, request.startPath);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    dialog.selectNameFilter(request.filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void setQuestionHook(QuestionHook hook)
{
    questionHook() = std::move(hook);
}

bool askYesOrNo(QWidget* parent, const QString& caption, const QString& text)
{
    if (questionHook())
        return questionHook()(caption, text);
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace platform
