// Exploring the real window: the overlay over the presented frame leaves the
// retained image and the pictures as they are; the keys move the trace point
// and hand each step to screen readers as the name of the focused item; a
// draw request removes the overlay; the context menu copies the point.

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "UiTestSupport.h"
#include "platform/GraphOutput.h"

namespace {

using uitest::Window;

void pointerTo(const QPoint& at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), Form28->Canvas->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Form28->Canvas, &move);
    uitest::settle();
}

void pointerAway()
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Form28->Canvas, &leave);
    uitest::settle();
}

QImage onScreen()
{
    return Form28->Canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(Window, TheOverlayLeavesTheRetainedImageAndThePicturesAsTheyAre)
{
    TForm28& form = *Form28;
    uitest::drawRequest("1", "-3", "1");
    uitest::drawRequest("-0.5", "", "3");
    uitest::settle();
    const QImage retained = form.Canvas->image().copy();
    const QImage picture = platform::graphImage(form.graphSource(), 1);
    const QImage before = onScreen();

    // The pointer on the vertex of the first curve: it is highlighted, ringed
    // and labelled on screen only. A click pins it.
    pointerTo(QPoint(330, 387));
    QTest::mouseClick(form.Canvas, Qt::LeftButton, Qt::NoModifier, QPoint(330, 387));
    form.Canvas->setFocus();
    QTest::keyClick(form.Canvas, Qt::Key_Right);
    uitest::settle();
    const QImage shown = onScreen();
    EXPECT_NE(shown.pixel(330, 385), uitest::kInk);
    EXPECT_NE(shown, before);
    EXPECT_EQ(form.Canvas->image(), retained);
    EXPECT_EQ(platform::graphImage(form.graphSource(), 1), picture);

    // Pinned, the highlight stays when the pointer leaves; Esc and a draw
    // request take it all away.
    form.Edit1->setFocus();
    pointerAway();
    EXPECT_NE(onScreen().pixel(330, 385), uitest::kInk);
    QTest::keyClick(form.Edit1, Qt::Key_Escape);
    uitest::settle();
    EXPECT_EQ(onScreen(), before);
    pointerTo(QPoint(330, 387));
    EXPECT_NE(onScreen(), before);
    uitest::drawRequest("", "", "-20");
    uitest::settle();
    const QImage afterDrawing = onScreen();
    pointerAway();
    EXPECT_EQ(afterDrawing, onScreen());
}

TEST_F(Window, TheKeysMoveTheTracePointAndScreenReadersHearEachStep)
{
    TForm28& form = *Form28;
    uitest::drawRequest("1", "-3", "1");
    uitest::drawRequest("-2", "7", "-3");
    uitest::settle();
    form.Canvas->setFocus();
    ASSERT_TRUE(form.Canvas->hasFocus());
    uitest::ErrorBoxes boxes;
    constexpr int kShift = 1 << 30;
    struct Step {
        std::vector<int> keys;  // Qt keys; one or'ed with kShift is pressed with Shift
        const char* heard;
    };
    const Step steps[] = {
        {{Qt::Key_Down}, "第 1 条，共 2 条：y=x²-3x+1，顶点 (3/2,-5/4)"},
        {{Qt::Key_Right}, "与y轴交点 (0,1)"},
        {{Qt::Key_PageDown, Qt::Key_PageDown}, "顶点 (3/2,-5/4)"},
        {{Qt::Key_Right | kShift}, "(2.5,-0.25)"},
        {{Qt::Key_End}, "(10,71)，在图像上方"},
        {{Qt::Key_2, Qt::Key_Period, Qt::Key_5, Qt::Key_E, Qt::Key_Minus, Qt::Key_1, Qt::Key_Return},
         "(0.25,0.3125)，x=1/4 时 y=5/16"},
        // A typed text the fields refuse shows their error and moves nothing.
        {{Qt::Key_1, Qt::Key_Period, Qt::Key_Period, Qt::Key_Return}, "(0.25,0.3125)，x=1/4 时 y=5/16"},
        {{Qt::Key_Down}, "第 2 条，共 2 条：y=-2x²+7x-3，顶点 (7/4,25/8)"},
        {{Qt::Key_Home, Qt::Key_Left, Qt::Key_PageUp}, "(-10,-273)，在图像下方"},
        {{Qt::Key_Escape}, "共 2 条函数图像。第 1 条：y=x²-3x+1"},
    };
    for (const Step& step : steps) {
        for (const int key : step.keys)
            QTest::keyClick(form.Canvas, Qt::Key(key & ~kShift), key & kShift ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_TRUE(uitest::heard().startsWith(QString::fromUtf8(step.heard))) << uitest::heard().toStdString();
    }
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], QString::fromUtf8("'1..' is not a valid floating point value."));
    form.Edit1->setFocus();
}

TEST_F(Window, TheContextMenuCopiesThePointOnTheCurve)
{
    TForm28& form = *Form28;
    uitest::drawRequest("1", "-3", "1");
    uitest::settle();
    QString offered;
    QTimer::singleShot(0, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        if (QAction* copy = menu->findChild<QAction*>("CopyPoint")) {
            offered = copy->text();
            copy->trigger();
        }
        menu->close();
    });
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(330, 380), form.Canvas->mapToGlobal(QPoint(330, 380)));
    QApplication::sendEvent(form.Canvas, &request);
    EXPECT_EQ(offered, QString::fromUtf8("复制坐标"));
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("(1.5,-1.25)"));
}

}  // namespace
