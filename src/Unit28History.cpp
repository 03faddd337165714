// The window's steps taken back and made again: Ctrl+Z undoes the last draw
// request, clear or list of curves opened, Ctrl+Shift+Z and Ctrl+Y redo it.
// A field's own Ctrl+Z still undoes typing in that field first.

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "Unit28.h"
#include "Unit28Step.h"
#include "platform/DrawingSurface.h"

TForm28::Step::Step(TForm28& form) : form_(form)
{
    form_.history_.beginStep(form_.Canvas->canvas().surface(), Unit28::reco, form_.windowTexts());
}

TForm28::Step::~Step()
{
    form_.history_.endStep(form_.Canvas->canvas().surface(), Unit28::reco, form_.windowTexts());
    Unit28::storedCurves.forgetUncounted();
}

void TForm28::Step::removeCurves()
{
    form_.history_.removeCurves(Unit28::reco, 0);
}

model::WindowTexts TForm28::windowTexts() const
{
    return {{Label6->text().toStdString(), Label7->text().toStdString(), Label8->text().toStdString()},
            {Edit1->text().toStdString(), Edit2->text().toStdString(), Edit3->text().toStdString()}};
}

void TForm28::showWindowTexts(const model::WindowTexts& texts)
{
    QLabel* const labels[] = {Label6, Label7, Label8};
    QLineEdit* const fields[] = {Edit1, Edit2, Edit3};
    for (std::size_t i = 0; i < 3; ++i) {
        setCaption(labels[i], QString::fromStdString(texts.labels[i]));
        fields[i]->setText(QString::fromStdString(texts.fields[i]));
    }
}

// A draw request takes in what the fields hold: their own undo histories
// go, so that the next Ctrl+Z undoes the draw. The caret stays.
void TForm28::forgetFieldUndo()
{
    for (QLineEdit* field : {Edit1, Edit2, Edit3}) {
        const int caret = field->cursorPosition();
        field->setText(field->text());
        field->setCursorPosition(caret);
    }
}

bool TForm28::undoStep()
{
    return moveInHistory(/*back=*/true);
}

bool TForm28::redoStep()
{
    return moveInHistory(/*back=*/false);
}

bool TForm28::moveInHistory(bool back)
{
    if (!(back ? history_.canUndo() : history_.canRedo()) || Canvas->isPainting())
        return false;
    endExploring();
    core::PixelSurface& image = Canvas->canvas().surface();
    const std::optional<model::WindowTexts> texts = back ? history_.undo(image, Unit28::reco, windowTexts())
                                                         : history_.redo(image, Unit28::reco, windowTexts());
    if (!texts)
        return false;
    Unit28::storedCurves.forgetUncounted();
    showWindowTexts(*texts);
    Canvas->update();
    graphChanged();
    sayGraph(QString::fromUtf8(back ? "已撤销。" : "已重做。"));
    return true;
}

// A screen reader on the drawing area hears the graph as it now is (it says
// nothing of a description that changes under it).
void TForm28::sayGraph(const QString& before)
{
    if (Canvas->hasFocus())
        say(before + Canvas->accessibleDescription());
}

namespace {

bool isRedo(const QKeyEvent& key)
{
    const QKeyCombination combination = key.keyCombination();
    return key.matches(QKeySequence::Redo) || combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

}  // namespace

// Ctrl+Z and the redo keys, wherever the focus is, unless the focused field
// has typing of its own to undo or redo. The shortcut override is claimed
// too, so the field does not take the key.
bool TForm28::historyKey(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    const bool undo = key.matches(QKeySequence::Undo) && !isRedo(key);
    const bool redo = !undo && isRedo(key);
    if (!(undo ? history_.canUndo() : redo && history_.canRedo()))
        return false;
    if (const auto* field = qobject_cast<const QLineEdit*>(watched))
        if (undo ? field->isUndoAvailable() : field->isRedoAvailable())
            return false;
    event->accept();
    if (event->type() != QEvent::KeyPress)
        return false;
    (void)(undo ? undoStep() : redoStep());
    return true;
}
