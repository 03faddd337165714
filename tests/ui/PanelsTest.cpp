// The settings panel and its mode warning, the draggable info box, and the
// About dialog, driven through the real widgets.

#include <QMessageBox>
#include <QStyle>
#include <QTimer>

#include "ABOUT.h"
#include "UiTestSupport.h"

using namespace uitest;

namespace {

// Answers the next modal box with the given button once it is shown, and
// records its title, text and icon.
struct BoxAnswer {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    bool seen = false;
};

void answerNextBox(QMessageBox::StandardButton answer, BoxAnswer& record)
{
    QTimer::singleShot(0, [answer, &record] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        record = {box->windowTitle(), box->text(), box->icon(), true};
        EXPECT_EQ(box->parentWidget(), Form28);
        box->button(answer)->click();
    });
}

const QString kWarning = QString::fromUtf8("若动画模式和重整模式同时开启，可能会使速度变慢，是否继续？");

}  // namespace

TEST_F(Window, SettingsMenuTogglesThePanelAndCrossOrEscHideIt)
{
    QWidget* panel = Form28->Panel2;
    Form28->N1->trigger();
    EXPECT_TRUE(panel->isVisible());
    // The cross glyph is the style's standard cancel icon, taken when the panel shows.
    const QImage glyph = Form28->BitBtn1->icon().pixmap(16).toImage();
    EXPECT_FALSE(glyph.isNull());
    EXPECT_EQ(glyph, Form28->style()->standardIcon(QStyle::SP_DialogCancelButton).pixmap(16).toImage());
    Form28->N1->trigger();
    EXPECT_FALSE(panel->isVisible());

    Form28->N1->trigger();
    QTest::mouseClick(Form28->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());

    Form28->N1->trigger();
    QTest::keyClick(Form28->Edit1, Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    QTest::keyClick(Form28->Edit1, Qt::Key_Escape);  // hidden: nothing happens
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(Form28->BitBtn1->text(), "");
}

TEST_F(Window, BothModesOnAsksFirstAndNoUnchecksTheClickedBox)
{
    Form28->N1->trigger();
    BoxAnswer box;
    answerNextBox(QMessageBox::No, box);
    QTest::mouseClick(Form28->CheckBox1, Qt::LeftButton);
    ASSERT_TRUE(box.seen);
    EXPECT_EQ(box.title, QString::fromUtf8("警告"));
    EXPECT_EQ(box.text, kWarning);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_FALSE(Form28->CheckBox1->isChecked());
    EXPECT_TRUE(Form28->CheckBox2->isChecked());

    box = {};
    answerNextBox(QMessageBox::Yes, box);
    QTest::mouseClick(Form28->CheckBox1, Qt::LeftButton);
    EXPECT_TRUE(box.seen);
    EXPECT_TRUE(Form28->CheckBox1->isChecked() && Form28->CheckBox2->isChecked());

    // Unchecking never asks.
    QTest::mouseClick(Form28->CheckBox2, Qt::LeftButton);
    EXPECT_FALSE(Form28->CheckBox2->isChecked());
    QApplication::processEvents();

    // Animation on, refresh off: ticking refresh asks, and No unchecks refresh.
    box = {};
    answerNextBox(QMessageBox::No, box);
    QTest::mouseClick(Form28->CheckBox2, Qt::LeftButton);
    EXPECT_TRUE(box.seen);
    EXPECT_TRUE(Form28->CheckBox1->isChecked());
    EXPECT_FALSE(Form28->CheckBox2->isChecked());

    // Animation off: ticking refresh asks nothing.
    QTest::mouseClick(Form28->CheckBox1, Qt::LeftButton);
    QTest::mouseClick(Form28->CheckBox2, Qt::LeftButton);
    EXPECT_FALSE(Form28->CheckBox1->isChecked());
    EXPECT_TRUE(Form28->CheckBox2->isChecked());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(Window, InfoBoxFollowsTheCursorFromEachDraggableControl)
{
    QFrame* box = Form28->Panel3;
    const std::pair<QWidget*, QPoint> grips[] = {
        {Form28->Panel3, QPoint(1, 50)},
        {Form28->GroupBox2, QPoint(60, 60)},
        {Form28->Label4, QPoint(5, 5)},
        {Form28->Label5, QPoint(5, 5)},
    };
    for (const auto& [grip, at] : grips) {
        SCOPED_TRACE(grip->objectName().toStdString());
        const QPoint start = box->pos();
        const QPoint press = grip->mapTo(Form28->Canvas, at);
        QTest::mousePress(grip, Qt::LeftButton, {}, at);
        QTest::mouseMove(grip, at + QPoint(-37, -52));
        EXPECT_EQ(box->pos(), start + QPoint(-37, -52));
        const QPoint now = grip->mapFrom(Form28->Canvas, press + QPoint(-120, 15));
        QTest::mouseMove(grip, now);
        EXPECT_EQ(box->pos(), start + QPoint(-120, 15));
        QTest::mouseRelease(grip, Qt::LeftButton, {}, now);
        EXPECT_FALSE(Unit28::isMouseDown || Unit28::ismousedown2);
        QTest::mouseMove(grip, now + QPoint(10, 10));  // released: no longer follows
        EXPECT_EQ(box->pos(), start + QPoint(-120, 15));
    }
}

TEST_F(Window, ValueLabelsStartNoDrag)
{
    drawRequest("1", "0", "-4");
    for (QLabel* value : {Form28->Label6, Form28->Label7, Form28->Label8}) {
        QTest::mousePress(value, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseMove(value, QPoint(40, 40));
        QTest::mouseRelease(value, Qt::LeftButton, {}, QPoint(40, 40));
        EXPECT_EQ(Form28->Panel3->pos(), QPoint(433, 480));
        EXPECT_FALSE(Unit28::isMouseDown || Unit28::ismousedown2);
    }
}

TEST_F(Window, RightButtonDragEndsOnReleaseAnywhere)
{
    QWidget* grip = Form28->GroupBox2;
    QTest::mousePress(grip, Qt::RightButton, {}, QPoint(50, 50));
    QTest::mouseMove(grip, QPoint(-200, -200));  // far outside the box
    EXPECT_EQ(Form28->Panel3->pos(), QPoint(433 - 250, 480 - 250));
    QTest::mouseRelease(grip, Qt::RightButton, {}, QPoint(-200, -200));
    EXPECT_FALSE(Unit28::ismousedown2);
}

TEST_F(Window, DraggingTheBoxAwayRepaintsWhatItUncovers)
{
    const QRect oldPlace = Form28->Panel3->geometry();
    for (const bool refresh : {false, true}) {
        SCOPED_TRACE(refresh ? "refresh on" : "refresh off");
        SetUp();
        Form28->CheckBox2->setChecked(refresh);
        Form28->Panel3->move(10, 120);  // out of the way while drawing
        settle();
        drawRequest("0", "-1", "0");  // y = −x runs through the box's designed place
        int before = 0;
        for (int y = oldPlace.top(); y <= oldPlace.bottom(); ++y)
            for (int x = oldPlace.left(); x <= oldPlace.right(); ++x)
                before += inked(x, y);
        ASSERT_GT(before, 50);
        QTest::mousePress(Form28->GroupBox2, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(Form28->GroupBox2, QPoint(5 + 423, 5 + 360));  // over the curve
        QTest::mouseMove(Form28->GroupBox2, QPoint(5 - 423, 5 - 360));  // and back away
        QTest::mouseRelease(Form28->GroupBox2, Qt::LeftButton, {}, QPoint(5 - 423, 5 - 360));
        settle();
        ASSERT_EQ(Form28->Panel3->pos(), QPoint(10, 120));
        int after = 0;
        for (int y = oldPlace.top(); y <= oldPlace.bottom(); ++y)
            for (int x = oldPlace.left(); x <= oldPlace.right(); ++x)
                after += inked(x, y);
        EXPECT_EQ(after, refresh ? before : 0);
    }
}

TEST_F(Window, AboutBoxIsModelessAndKeepsItsPlace)
{
    TAboutBox& about = *AboutBox;
    Form28->N2->trigger();
    settle();
    EXPECT_TRUE(about.isVisible());
    EXPECT_FALSE(about.isModal());
    EXPECT_EQ(about.size(), QSize(282, 181));
    EXPECT_EQ(about.windowTitle(), QString::fromUtf8("关于"));
    EXPECT_EQ(about.ProductName->text(), "Zentio Personal Software Office");
    EXPECT_EQ(about.Version->text(), "Version 1.2 ");
    EXPECT_EQ(about.ProgramIcon->geometry(), QRect(8, 8, 65, 57));

    // The main window still takes input.
    drawRequest("1", "", "");
    EXPECT_EQ(Unit28::fxnum, 1);

    about.move(about.pos() + QPoint(17, 9));
    const QPoint moved = about.pos();
    about.close();
    Form28->N2->trigger();
    settle();
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(about.pos(), moved);
    EXPECT_EQ(AboutBox, &about);
    about.close();
}
