// Nothing lost by accident: the focus after the settings panel closes, the
// undo of a clear, an info box that can always be grabbed, a window that fits
// the screen, and an animation that keeps the window alive.

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "UiTestSupport.h"
#include "platform/Placement.h"

using namespace uitest;

namespace {

// Keyboard focus needs the window to be the active one.
void activate()
{
    QApplication::setActiveWindow(Form28);
    QCoreApplication::processEvents();
}

}  // namespace

// The settings panel takes the focus when one of its boxes is clicked; when
// it closes (Esc or its cross), Enter goes on meaning "开始绘图". Opened from
// the menu and closed with Esc untouched, it leaves the caret where it was.
TEST_F(Window, EnterAfterClosingTheSettingsPanelDrawsInsteadOfClearing)
{
    TForm28& form = *Form28;
    activate();
    drawRequest("1", "0", "-4");
    form.Edit3->setFocus();
    for (const bool byEscape : {true, false}) {
        SCOPED_TRACE(byEscape ? "Esc" : "cross button");
        form.N1->trigger();
        QTest::mouseClick(form.CheckBox2, Qt::LeftButton);
        QTest::mouseClick(form.CheckBox2, Qt::LeftButton);
        ASSERT_TRUE(form.CheckBox2->hasFocus());
        if (byEscape)
            QTest::keyClick(form.CheckBox2, Qt::Key_Escape);
        else
            QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        ASSERT_TRUE(form.Panel2->isHidden());
        EXPECT_EQ(QApplication::focusWidget(), form.Edit3);  // where it was before the panel took it
        const int before = Unit28::fxnum;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        settle();
        EXPECT_EQ(Unit28::fxnum, before + 1);
        EXPECT_EQ(form.Edit1->text() + form.Edit2->text() + form.Edit3->text(), "10-4");
        // y = x² − 4 left of the y axis and below the x axis: still drawn.
        EXPECT_GT(inkedIn(QRect(250, 380, 40, 60)), 0);
    }
    form.Edit3->setFocus();
    QTest::mouseClick(form.MainMenu1, Qt::LeftButton, {}, form.MainMenu1->actionGeometry(form.N1).center());
    ASSERT_TRUE(form.Panel2->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(form.Panel2->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), form.Edit3);
}

// A focused push button or check box shows it.
TEST_F(Window, FocusedButtonsAndCheckBoxesShowAFocusFrame)
{
    TForm28& form = *Form28;
    activate();
    form.N1->trigger();
    for (QWidget* control : std::initializer_list<QWidget*>{form.Button2, form.Button1, form.CheckBox1}) {
        form.Edit1->setFocus();
        const QImage unfocused = control->grab().toImage();
        control->setFocus();
        EXPECT_NE(control->grab().toImage(), unfocused) << control->objectName().toStdString();
    }
    form.Panel2->hide();
}

// Ctrl+Z after a clear brings back everything it wiped, pixels included,
// also with a draw request after it taken back first.
TEST_F(Window, CtrlZRightAfterAClearBringsBackWhatItWiped)
{
    TForm28& form = *Form28;
    activate();
    drawRequest("1", "0", "-4");
    drawRequest("-0.5", "1", "3");
    const WindowState before = windowState();
    form.Button2->click();
    settle();
    ASSERT_EQ(Unit28::fxnum, 0);
    ASSERT_TRUE(form.Edit1->hasFocus());
    QTest::keyClick(form.Edit1, Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(windowState() == before);
    form.Canvas->invalidateAll();  // a refresh-mode repaint draws the same
    settle();
    EXPECT_TRUE(windowState() == before);

    // A draw request after the clear is the step Ctrl+Z takes back first.
    form.Button2->click();
    settle();
    drawRequest("2", "", "");
    QTest::keyClick(form.Edit3, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(form.Edit3, Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(windowState() == before);
}

// However far the box is dragged, and however small the window becomes, a
// 12 × 12 strip of it stays inside the drawing area below the top bar.
TEST_F(Window, TheInfoBoxCanAlwaysBeGrabbedAgain)
{
    TForm28& form = *Form28;
    const QPoint press = form.Panel3->mapToGlobal(QPoint(20, 5));
    form.Panel3MouseDown(press);
    form.Panel3MouseMove(press + QPoint(-5000, -5000));
    EXPECT_EQ(form.Panel3->pos(), QPoint(12 - 144, 89 + 12 - 107));
    form.Panel3MouseMove(press + QPoint(-100, 30));  // inside the bounds it follows exactly
    EXPECT_EQ(form.Panel3->pos(), QPoint(333, 510));
    form.Panel3MouseMove(press + QPoint(5000, 5000));
    form.Panel3MouseUp();
    EXPECT_EQ(form.Panel3->pos(), QPoint(651 - 12, 640 - 12));
    form.resize(300, 250);
    settle();
    EXPECT_EQ(form.Panel3->pos(), QPoint(300 - 12, form.Canvas->height() - 12));
}

TEST(WindowPlacement, AWindowThatDoesNotFitGoesToTheWorkAreasCorner)
{
    using platform::placedInWorkArea;
    const QSize window(659, 700);
    EXPECT_EQ(placedInWorkArea(QRect(0, 0, 1280, 1024), window), QPoint(310, 162));  // centred, as ever
    EXPECT_EQ(placedInWorkArea(QRect(0, 0, 1024, 600), window), QPoint(0, 0));
    EXPECT_EQ(placedInWorkArea(QRect(0, 0, 640, 480), window), QPoint(0, 0));
    EXPECT_EQ(placedInWorkArea(QRect(0, 32, 800, 600), window), QPoint(0, 32));
    EXPECT_EQ(placedInWorkArea(QRect(0, 40, 700, 704), window), QPoint(20, 40));  // not above the work area
}

// During an animation the window takes input without acting on it; typing
// lands once the curve is done, and Esc finishes the curve at once with the
// pixels of an unpaced tracing.
TEST_F(Window, AnimationKeepsTheWindowAliveAndEscFinishesIt)
{
    TForm28& form = *Form28;
    form.CheckBox1->setChecked(true);
    form.Edit1->setText("1");
    form.Edit2->setText("0");
    form.Edit3->setText("-4");
    form.Edit1->setFocus();
    form.Edit1->end(false);
    QTimer::singleShot(50, [&form] { QTest::keyClick(form.Edit1, Qt::Key_7); });
    QTimer::singleShot(100, [&form] { QTest::keyClick(form.Edit1, Qt::Key_Escape); });
    QElapsedTimer clock;
    clock.start();
    form.Button1->click();
    const qint64 elapsed = clock.elapsed();
    EXPECT_LT(elapsed, 800);  // paced, it would take a second
    EXPECT_EQ(form.Edit1->text(), "1");  // the typed key waits for the curve
    settle();
    EXPECT_EQ(form.Edit1->text(), "17");
    const QImage drawn = form.Canvas->image().copy();
    form.Canvas->invalidateAll();  // the stored curve replayed at the fine step, unpaced
    settle();
    EXPECT_EQ(form.Canvas->image(), drawn);
    EXPECT_EQ(form.Label6->text(), "(2,0)");
    form.CheckBox1->setChecked(false);
}

// Run first in a process of its own (see tests/CMakeLists.txt): the keys a
// user types the moment the window opens land in the fields, in tab order.
TEST(AtStart, TypingRightAwayFillsTheFieldsInTabOrder)
{
    TForm28& form = *Form28;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QWindow* window = form.windowHandle();
    for (const char key : {'1', '\t', '-', '3', '\t', '1', '\r'})
        QTest::keyClick(window, key == '\t' ? Qt::Key_Tab : key == '\r' ? Qt::Key_Return : Qt::Key(key));
    settle();
    EXPECT_EQ(form.Edit1->text() + "|" + form.Edit2->text() + "|" + form.Edit3->text(), "1|-3|1");
    ASSERT_EQ(Unit28::fxnum, 1);
    EXPECT_EQ(Unit28::reco[0].a, 1.0);
    EXPECT_EQ(Unit28::reco[0].b, -3.0);
    EXPECT_EQ(Form28->Label8->text(), "(0,1)");
}
