// The settings panel with its two mode switches, and the info box that the
// user drags around with the mouse.

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>

#include "Unit28.h"
#include "platform/DrawingSurface.h"

namespace Unit28 {
bool isMouseDown = false;
bool ismousedown2 = false;
std::int32_t posX = 0, posY = 0;
}  // namespace Unit28

void TForm28::N1Click()
{
    if (Panel2->isVisible()) {
        BitBtn1Click();
        return;
    }
    rememberFocusBeforePanel2(QApplication::focusWidget());
    Panel2->show();
}

void TForm28::BitBtn1Click()
{
    Panel2->hide();
    returnFocusFromPanel2();
}

namespace {

// Animation and refresh together can make repaints slow: ask before keeping
// both on. Returns false when the user refuses.
bool confirmBothModes(QWidget* owner)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8("警告"),
                    QString::fromUtf8("若动画模式和重整模式同时开启，可能会使速度变慢，是否继续？"),
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setObjectName("ModesWarning");
    return box.exec() == QMessageBox::Yes;
}

void checkBothModes(TForm28& form, QCheckBox* clicked)
{
    if (!form.CheckBox1->isChecked() || !form.CheckBox2->isChecked())
        return;
    if (!confirmBothModes(&form))
        clicked->setChecked(false);
}

}  // namespace

void TForm28::CheckBox1Click()
{
    checkBothModes(*this, CheckBox1);
}

void TForm28::CheckBox2Click()
{
    checkBothModes(*this, CheckBox2);
}

namespace {

void startDrag(bool& flag, const QPoint& cursor)
{
    flag = true;
    Unit28::posX = cursor.x() - Form28->Panel3->x();
    Unit28::posY = cursor.y() - Form28->Panel3->y();
}

// The offsets mix screen and client coordinates; only their difference is
// re-applied, so the box follows the cursor exactly.
void followCursor(bool flag, const QPoint& cursor)
{
    if (!flag)
        return;
    Form28->Panel3->move(cursor.x() - Unit28::posX, cursor.y() - Unit28::posY);
    Form28->keepInfoBoxReachable();
}

}  // namespace

void TForm28::Panel3MouseDown(const QPoint& cursor) { startDrag(Unit28::isMouseDown, cursor); }
void TForm28::Panel3MouseMove(const QPoint& cursor) { followCursor(Unit28::isMouseDown, cursor); }
void TForm28::Panel3MouseUp() { Unit28::isMouseDown = false; }
void TForm28::GroupBox2MouseDown(const QPoint& cursor) { startDrag(Unit28::ismousedown2, cursor); }
void TForm28::GroupBox2MouseMove(const QPoint& cursor) { followCursor(Unit28::ismousedown2, cursor); }
void TForm28::GroupBox2MouseUp() { Unit28::ismousedown2 = false; }
void TForm28::Label4MouseDown(const QPoint& cursor) { startDrag(Unit28::isMouseDown, cursor); }
void TForm28::Label4MouseMove(const QPoint& cursor) { followCursor(Unit28::isMouseDown, cursor); }
void TForm28::Label4MouseUp() { Unit28::isMouseDown = false; }
void TForm28::Label5MouseDown(const QPoint& cursor) { startDrag(Unit28::isMouseDown, cursor); }
void TForm28::Label5MouseMove(const QPoint& cursor) { followCursor(Unit28::isMouseDown, cursor); }
void TForm28::Label5MouseUp() { Unit28::isMouseDown = false; }

void TForm28::wirePanelEvents()
{
    // Any button drags the info box, the right one too: a right press on it
    // starts a drag and opens no menu (the drawing area's menu stays on the
    // drawing area).
    for (QWidget* control : std::initializer_list<QWidget*>{Panel3, GroupBox2, Label4, Label5, Label6, Label7, Label8}) {
        control->installEventFilter(this);
        control->setContextMenuPolicy(Qt::PreventContextMenu);
    }
}

// Mouse events of the info box's draggable controls go to their handlers. Any
// button drags; the toolkit sends the moves and the release to the pressed
// control until the button is released, wherever the cursor goes.
bool TForm28::eventFilter(QObject* watched, QEvent* event)
{
    using Down = void (TForm28::*)(const QPoint&);
    using Up = void (TForm28::*)();
    struct Handlers {
        QObject* control;
        Down down;
        Down move;
        Up up;
    };
    const Handlers table[] = {
        {Panel3, &TForm28::Panel3MouseDown, &TForm28::Panel3MouseMove, &TForm28::Panel3MouseUp},
        {GroupBox2, &TForm28::GroupBox2MouseDown, &TForm28::GroupBox2MouseMove, &TForm28::GroupBox2MouseUp},
        {Label4, &TForm28::Label4MouseDown, &TForm28::Label4MouseMove, &TForm28::Label4MouseUp},
        {Label5, &TForm28::Label5MouseDown, &TForm28::Label5MouseMove, &TForm28::Label5MouseUp},
    };
    if (watched == Canvas && event->type() == QEvent::KeyPress &&
        (canvasKeyPressed(static_cast<QKeyEvent*>(event)) || exploreKeyPressed(static_cast<QKeyEvent*>(event))))
        return true;
    if (watched == Canvas && explorePointerEvent(event))
        return true;
    if (watched == Canvas && event->type() == QEvent::KeyPress && soundKeyPressed(static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::ToolTip &&
        (watched == Panel3 || watched == GroupBox2 || watched == Label4 || watched == Label5 || watched == Label6 ||
         watched == Label7 || watched == Label8))
        return showInfoBoxToolTip(event);
    if (graphKey(watched, event))
        return true;
    if (historyKey(watched, event) || curveListKey(watched, event))
        return true;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QMainWindow::eventFilter(watched, event);
    // The value labels take the mouse themselves and do nothing with it, so a
    // press on them does not reach the group box beneath.
    if (watched == Label6 || watched == Label7 || watched == Label8)
        return true;
    for (const Handlers& handlers : table) {
        if (handlers.control != watched)
            continue;
        const QPoint cursor = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (type == QEvent::MouseButtonPress)
            (this->*handlers.down)(cursor);
        else if (type == QEvent::MouseMove)
            (this->*handlers.move)(cursor);
        else if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
            (this->*handlers.up)();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
