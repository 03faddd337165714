// Draw requests and clears taken back and made again, in the real window:
// after every undo the window is what it was before that step, checked
// against a model that keeps the whole window's state before every step.

#include <QAccessible>
#include <QMenu>
#include <QTimer>
#include <random>

#include "UiTestSupport.h"

using namespace uitest;

namespace {

// What differs, for the failure message.
std::string differences(const WindowState& is, const WindowState& was)
{
    std::string text;
    if (is.curves != was.curves) text += " curves " + std::to_string(is.curves) + " not " + std::to_string(was.curves);
    for (int i = 0; i < is.texts.size(); ++i)
        if (is.texts[i] != was.texts[i])
            text += " text " + std::to_string(i) + " '" + is.texts[i].toStdString() + "' not '" +
                    was.texts[i].toStdString() + "'";
    if (is.pixels != was.pixels) text += " pixels";
    return text;
}

void press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(target, key, modifiers);
    settle();
}

}  // namespace

// 1,200 random steps in both modes: draw requests (some refused, some that
// cannot be traced whole), clears, repaints of a part of the drawing area
// (which erase curves in the normal mode), undo and redo from the drawing
// area and from a field. The model keeps the state before each step made and
// the state each undo left.
TEST_F(Window, EveryUndoReturnsTheWindowToWhatItWasBeforeTheStep)
{
    TForm28& form = *Form28;
    ErrorBoxes errors;
    std::mt19937 random(20261210);
    const QString as[] = {"1", "-1", "0.5", "-0.25", "2", "", "0", "x"};
    const QString cs[] = {"0", "1", "-3", "2.5", "", "-6", "5E17"};
    std::vector<WindowState> undoable, redoable;
    std::vector<bool> redoExact;  // no repaint since the undo: the pixels come back too
    for (int i = 0; i < 1200; ++i) {
        const int choice = int(random() % 20);
        if (choice < 7) {  // typed: the step begins with what the fields hold
            form.Edit1->setText(as[random() % 8]);
            form.Edit2->setText(as[random() % 8]);
            form.Edit3->setText(cs[random() % 7]);
        }
        const WindowState before = windowState();
        if (choice < 7 || choice == 19) {
            if (choice == 19)
                form.Button2->click();
            else
                QTest::keyClick(form.Edit3, Qt::Key_Return);
            settle();
            if (windowState() != before) {
                undoable.push_back(before);
                redoable.clear();
                redoExact.clear();
            }
        } else if (choice < 12) {
            QWidget* target = choice % 2 ? static_cast<QWidget*>(form.Canvas) : form.Edit2;
            press(target, Qt::Key_Z, Qt::ControlModifier);
            if (undoable.empty()) {
                ASSERT_EQ(windowState(), before) << "step " << i << differences(windowState(), before);
                continue;
            }
            ASSERT_EQ(windowState(), undoable.back()) << "undo at step " << i << differences(windowState(), undoable.back());
            undoable.pop_back();
            redoable.push_back(before);
            redoExact.push_back(true);
        } else if (choice < 15) {
            const bool ctrlY = choice == 12;
            press(form.Canvas, ctrlY ? Qt::Key_Y : Qt::Key_Z,
                  ctrlY ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
            if (redoable.empty()) {
                ASSERT_EQ(windowState(), before) << "step " << i << differences(windowState(), before);
                continue;
            }
            const WindowState now = windowState();
            ASSERT_EQ(now.curves, redoable.back().curves) << "redo at step " << i;
            ASSERT_EQ(now.texts, redoable.back().texts) << "redo at step " << i;
            if (redoExact.back()) {
                ASSERT_EQ(now.pixels, redoable.back().pixels) << "redo at step " << i;
            }
            redoable.pop_back();
            redoExact.pop_back();
            undoable.push_back(before);
        } else if (choice < 18) {
            const int x = int(random() % 600), y = int(random() % 500) + 60;
            form.Canvas->invalidate(QRect(x, y, 150, 150));
            settle();
            std::fill(redoExact.begin(), redoExact.end(), false);
        } else {
            form.CheckBox2->click();  // the refresh mode on or off
        }
    }
    EXPECT_GT(undoable.size() + redoable.size(), 10u);
}

// A field's own Ctrl+Z undoes typing in it first; a draw request takes the
// typing in, so the next Ctrl+Z in that field undoes the draw.
TEST_F(Window, TypingIsUndoneInTheFieldAndADrawRequestAsAStep)
{
    TForm28& form = *Form28;
    QApplication::setActiveWindow(&form);
    form.Edit1->setFocus();
    QTest::keyClicks(form.Edit1, "2");
    QTest::keyClicks(form.Edit3, "-1");
    press(form.Edit3, Qt::Key_Return, Qt::NoModifier);
    ASSERT_EQ(Unit28::fxnum, 1);
    const WindowState drawn = windowState();
    QTest::keyClicks(form.Edit3, "5");
    press(form.Edit3, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(windowState(), drawn);  // the typing went, the curve stays
    press(form.Edit3, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Unit28::fxnum, 0);
    EXPECT_EQ(form.Edit3->text(), "-1");
    press(form.Edit3, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(windowState(), drawn);
}

// The drawing area's menu offers them with their keys, greyed while there is
// nothing to undo or redo.
TEST_F(Window, TheDrawingAreasMenuUndoesAndRedoes)
{
    TForm28& form = *Form28;
    std::vector<std::pair<QString, bool>> seen;
    auto chooseFromMenu = [&](const QString& text) {
        QTimer::singleShot(0, [&seen, text] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu);
            seen.clear();
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                seen.emplace_back(action->text() + "|" + action->shortcut().toString(), action->isEnabled());
                if (action->text() == text) chosen = action;
            }
            if (chosen) chosen->trigger();
            menu->close();
        });
        emit form.Canvas->customContextMenuRequested(QPoint(100, 200));
        settle();
    };
    auto shown = [&seen](const QString& item) {
        for (const auto& [text, enabled] : seen)
            if (text == item) return int(enabled);
        return -1;
    };
    chooseFromMenu("撤销");
    EXPECT_EQ(shown("撤销|Ctrl+Z"), 0);
    EXPECT_EQ(shown("重做|Ctrl+Shift+Z"), 0);
    drawRequest("1", "", "-4");
    settle();
    chooseFromMenu("撤销");
    EXPECT_EQ(shown("撤销|Ctrl+Z"), 1);
    EXPECT_EQ(Unit28::fxnum, 0);
    chooseFromMenu("重做");
    EXPECT_EQ(shown("重做|Ctrl+Shift+Z"), 1);
    EXPECT_EQ(Unit28::fxnum, 1);
}
