// What keeps the user's work from being lost by a stray key or drag: the
// focus goes back where it was when the settings panel closes, and the info
// box always keeps a strip to grab it by.

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

#include "Unit28.h"
#include "platform/DrawingSurface.h"

// When the settings panel closes while it has the focus, the toolkit would
// hand the focus to the next control in the tab order, the clear button, so
// that the next Enter would wipe every curve. The focus goes back to the
// control that had it before the panel took it, or to the first field.
void TForm28::followFocusAroundPanel2(QWidget* old, QWidget* now)
{
    if (isInPanel2(now) && !isInPanel2(old)) {
        rememberFocusBeforePanel2(old);
        return;
    }
    if (isInPanel2(old) && !isInPanel2(now) && Panel2->isHidden())
        restoreFocusBeforePanel2();
}

bool TForm28::isInPanel2(const QWidget* widget) const
{
    return widget && Panel2->isAncestorOf(widget);
}

void TForm28::rememberFocusBeforePanel2(QWidget* focused)
{
    if (focused && !isInPanel2(focused) && isAncestorOf(focused))
        focusBeforePanel2_ = focused;
}

// The panel has closed without holding the focus: a focus lost on the way
// (to the menu bar, say) goes back where it was; a focus elsewhere stays.
void TForm28::returnFocusFromPanel2()
{
    QWidget* focused = QApplication::focusWidget();
    if (!focused || focused == MainMenu1 || focused == this)
        restoreFocusBeforePanel2();
}

void TForm28::restoreFocusBeforePanel2()
{
    QWidget* back = focusBeforePanel2_ && focusBeforePanel2_->isVisible() ? focusBeforePanel2_.data() : Edit1;
    focusBeforePanel2_ = nullptr;
    back->setFocus(Qt::OtherFocusReason);
}

// The box may go partly outside the drawing area, never so far that it
// cannot be grabbed again: a strip of at least 12 × 12 pixels stays inside
// the client area below the top bar.
void TForm28::keepInfoBoxReachable()
{
    constexpr int strip = 12;
    const QRect area(0, Panel1->height(), Canvas->width(), Canvas->height() - Panel1->height());
    const int left = std::clamp(Panel3->x(), area.left() + strip - Panel3->width(), area.right() + 1 - strip);
    const int top = std::clamp(Panel3->y(), area.top() + strip - Panel3->height(), area.bottom() + 1 - strip);
    if (left != Panel3->x() || top != Panel3->y())
        Panel3->move(left, top);
}
