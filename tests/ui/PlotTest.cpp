// Drawing through the real window: axes, draw requests, the info box, the
// stored curves and their replay, clear, and the error boxes.

#include <QEvent>
#include <QSignalSpy>

#include "UiTestSupport.h"

using namespace uitest;

namespace {

QString caption(const QLabel* label)
{
    return label->text();
}

// The row of the horizontal line y = c for c = (k − 75) / 8: 20·c is an exact
// multiple of 2.5, so the ceiling is plain, and every k has its own row.
int rowOfLevel(int k)
{
    const double twentyC = 2.5 * (k - 75);
    return 360 - int(std::ceil(twentyC));
}

}  // namespace

TEST_F(Window, AxesCoverTheirPixelsButNotTheirEndPixels)
{
    for (int x = 50; x <= 549; ++x)
        ASSERT_TRUE(inked(x, 360)) << x;
    EXPECT_FALSE(inked(550, 360));  // end of the axis and of both arrowhead strokes
    EXPECT_FALSE(inked(49, 360));
    for (int y = 110; y <= 609; ++y)
        ASSERT_TRUE(inked(300, y)) << y;
    EXPECT_FALSE(inked(300, 610));
    // A tick above the x axis covers three pixels, the ones beside it none.
    for (const int x : {320, 280, 500, 100}) {
        EXPECT_TRUE(inked(x, 357) && inked(x, 358) && inked(x, 359)) << x;
        EXPECT_FALSE(inked(x, 356) || inked(x + 1, 358) || inked(x - 1, 358)) << x;
    }
    // Beyond the last tick, 200 pixels out, the axes carry none.
    EXPECT_FALSE(inked(520, 358));
    EXPECT_FALSE(inked(301, 140));
    // Arrowheads: the strokes start 10 pixels back and 3 pixels aside.
    EXPECT_TRUE(inked(540, 357) && inked(540, 363) && inked(297, 120) && inked(303, 120));
}

TEST_F(Window, NothingIsDrawnUnderTheChildControls)
{
    core::RetainedCanvas& canvas = Form28->Canvas->canvas();
    canvas.moveTo(0, 0);
    canvas.lineTo(651, 640);
    canvas.moveTo(0, 100);
    canvas.lineTo(651, 100);
    for (QWidget* child : std::initializer_list<QWidget*>{Form28->Panel1, Form28->Panel3, Form28->Button2})
        EXPECT_EQ(inkedIn(child->geometry()), 0) << child->objectName().toStdString();
    // The diagonal's pixel in column 200 is row floor((200·640 + 325) / 651) = 197.
    EXPECT_TRUE(inked(100, 100) && inked(200, 197));
}

TEST_F(Window, DrawRequestTracesTheCurveAndFillsTheInfoBox)
{
    drawRequest("1", "0", "-4");
    EXPECT_EQ(Unit28::fxnum, 1);
    EXPECT_EQ(caption(Form28->Label6), "(2,0)");
    EXPECT_EQ(caption(Form28->Label7), "(-2,0)");
    EXPECT_EQ(caption(Form28->Label8), "(0,-4)");
    // x = 0 is at (300, 440); the next point, x = 0.005, at (301, 439), so the
    // first segment's start pixel is (300, 440).
    EXPECT_TRUE(inked(300, 440));
    // Drawn at once, before any repaint.
    EXPECT_GT(inkedIn(QRect(301, 111, 249, 248)), 100);

    drawRequest("1", "", "");
    EXPECT_EQ(caption(Form28->Label6), "(0,0)");
    EXPECT_EQ(caption(Form28->Label7), "");
    EXPECT_EQ(caption(Form28->Label8), "(0,0)");
    drawRequest("0", "2", "-1");
    EXPECT_EQ(caption(Form28->Label6), "(0.5,0)");
    drawRequest("0", "0", "0");
    EXPECT_EQ(caption(Form28->Label6), QString::fromUtf8("无数"));
    EXPECT_EQ(Unit28::fxnum, 4);
    EXPECT_EQ(Unit28::reco[1].a, 1.0);
    EXPECT_EQ(Unit28::reco[2].b, 2.0);
    EXPECT_EQ(Unit28::reco[2].c, -1.0);
}

TEST_F(Window, AllFieldsEmptyDoesNothing)
{
    drawRequest("", "", "");
    EXPECT_EQ(Unit28::fxnum, 0);
    EXPECT_EQ(caption(Form28->Label8), "");
}

TEST_F(Window, BadFieldShowsTheErrorAndStoresNothing)
{
    ErrorBoxes boxes;
    drawRequest("1", "abc", "2");
    drawRequest("1", "1e500", "2");
    drawRequest("   ", "", "");
    ASSERT_EQ(boxes.texts.size(), 3u);
    EXPECT_EQ(boxes.texts[0], "'abc' is not a valid floating point value.");
    EXPECT_EQ(boxes.texts[1], "Floating point overflow.");
    EXPECT_EQ(boxes.texts[2], "'   ' is not a valid floating point value.");
    EXPECT_EQ(Unit28::fxnum, 0);
    drawRequest(" 2 ", "", "");
    EXPECT_EQ(Unit28::fxnum, 1);
    EXPECT_EQ(Unit28::a, 2.0);
    EXPECT_EQ(boxes.texts.size(), 3u);
}

TEST_F(Window, RefreshModeBringsCurvesBackWhereAPanelWas)
{
    const QRect settings = Form28->Panel2->geometry();
    const QRect elsewhere(300, 111, 250, 248);
    for (const bool refresh : {false, true}) {
        SCOPED_TRACE(refresh ? "refresh on" : "refresh off");
        SetUp();
        Form28->CheckBox2->setChecked(refresh);
        drawRequest("0", "-1", "0");  // y = −x crosses the settings panel's place
        drawRequest("1", "0", "-4");
        const int underPanel = inkedIn(settings), outside = inkedIn(elsewhere);
        ASSERT_GT(underPanel, 0);
        Form28->N1Click();
        Form28->N1Click();
        settle();
        EXPECT_EQ(inkedIn(settings), refresh ? underPanel : 0);
        EXPECT_EQ(inkedIn(elsewhere), outside);
    }
}

TEST_F(Window, RefreshPaintShowsItsCaptionWhileItRuns)
{
    const QString designed = Form28->windowTitle();
    QSignalSpy titles(Form28, &QWidget::windowTitleChanged);
    Form28->Canvas->invalidateAll();
    settle();
    ASSERT_EQ(titles.size(), 2);
    EXPECT_EQ(titles[0][0].toString(), QString::fromUtf8("重整中……"));
    EXPECT_EQ(titles[1][0].toString(), designed);

    titles.clear();
    Form28->CheckBox2->setChecked(false);
    Form28->Canvas->invalidateAll();
    settle();
    EXPECT_EQ(titles.size(), 0);
}

TEST_F(Window, ClearWipesCurvesLabelsAndFields)
{
    const QImage axesOnly = Form28->Canvas->image().copy();
    drawRequest("1", "0", "-4");
    drawRequest("-0.5", "1", "3");
    Form28->Button2->click();
    settle();
    EXPECT_EQ(Unit28::fxnum, 0);
    EXPECT_EQ(Form28->Canvas->image(), axesOnly);
    for (QLabel* label : {Form28->Label6, Form28->Label7, Form28->Label8})
        EXPECT_EQ(label->text(), "");
    for (QLineEdit* field : {Form28->Edit1, Form28->Edit2, Form28->Edit3})
        EXPECT_EQ(field->text(), "");
    EXPECT_TRUE(Form28->Edit1->hasFocus() || QApplication::focusWidget() == nullptr);
}

TEST_F(Window, ClearErasesAnEnlargedWindowWhole)
{
    Form28->resize(900, 950);
    settle();
    Form28->CheckBox2->setChecked(false);
    drawRequest("-1", "0", "0");  // reaches far below the designed client area
    const QRect lowPart(0, 700, Form28->Canvas->width(), Form28->Canvas->height() - 700);
    ASSERT_GT(inkedIn(lowPart), 0);
    Form28->Button2->click();
    settle();
    EXPECT_EQ(inkedIn(lowPart), 0);
}

TEST_F(Window, EveryStoredCurveIsReplayedBeyondAHundred)
{
    for (int k = 0; k < 150; ++k)
        drawRequest("0", "0", QString::number((k - 75) / 8.0, 'g', 17));
    ASSERT_EQ(Unit28::fxnum, 150);
    Form28->CheckBox2->setChecked(false);
    Form28->Canvas->invalidateAll();
    settle();
    // Column 200 carries the tick at x = −5 (rows 357 to 359) and the x axis.
    for (int k = 0; k < 150; ++k)
        if (rowOfLevel(k) < 357 || rowOfLevel(k) > 360) {
            ASSERT_FALSE(inked(200, rowOfLevel(k))) << k;
        }
    Form28->CheckBox2->setChecked(true);
    Form28->Canvas->invalidateAll();
    settle();
    for (int k = 0; k < 150; ++k)
        EXPECT_TRUE(inked(200, rowOfLevel(k))) << k;
    EXPECT_EQ(caption(Form28->Label8), "(0,9.25)");  // the last curve's, replayed last
}

TEST_F(Window, AFailingCurveIsReportedOnceAndTheOthersStillReplay)
{
    ErrorBoxes boxes;
    drawRequest("0", "0", "1e18");  // fails at its very first point
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "Invalid floating point operation.");
    EXPECT_EQ(Unit28::fxnum, 1);
    EXPECT_EQ(caption(Form28->Label6), "");
    drawRequest("1e17", "0", "0");  // fails part-way, near x = 2.15
    EXPECT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(caption(Form28->Label8), "(0,0)");
    drawRequest("0", "0", "1");
    EXPECT_EQ(Unit28::fxnum, 3);

    const QString designed = Form28->windowTitle();
    for (int repaint = 0; repaint < 3; ++repaint) {
        Form28->Canvas->invalidateAll();
        settle();
    }
    EXPECT_EQ(boxes.texts.size(), 2u);
    EXPECT_TRUE(inked(200, 340));  // y = 1, stored after the failing ones
    EXPECT_EQ(Form28->windowTitle(), designed);
}

TEST_F(Window, AnimatedDrawGrowsOnScreenAndEndsWithTheSamePixels)
{
    int presented = 0;
    struct PaintCounter : QObject {
        int& count;
        explicit PaintCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            count += event->type() == QEvent::Paint;
            return false;
        }
    } counter(presented);
    Form28->Canvas->installEventFilter(&counter);
    Form28->CheckBox1->setChecked(true);
    drawRequest("1", "0", "-4");
    Form28->Canvas->removeEventFilter(&counter);
    settle();
    EXPECT_GT(presented, 5);
    EXPECT_EQ(caption(Form28->Label6), "(2,0)");

    // A refresh replay traces the same curve unpaced at the same step.
    const QImage animated = Form28->Canvas->image().copy();
    Form28->Canvas->invalidateAll();
    settle();
    EXPECT_EQ(Form28->Canvas->image(), animated);
}
