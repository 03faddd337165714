// What screen readers and the info box's tooltip say about the graph, driven
// through the real window: after draw requests, with Up and Down on the
// drawing area, and after a clear.

#include "UiTestSupport.h"

namespace {

using uitest::Window;

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

TEST_F(Window, TheDrawingAreaAndTheInfoBoxDescribeTheGraph)
{
    TForm28& form = *Form28;
    const QString golden = utf8("y=x²-3x+1，顶点 (3/2,-5/4)，对称轴 x=3/2，开口向上，与x轴交点 x=(3±√5)/2，约为 "
                                "0.381966011250105、2.61803398874989，与y轴交点 (0,1)");
    const QString rational = utf8("y=2x²-7x+3，顶点 (7/4,-25/8)，对称轴 x=7/4，开口向上，与x轴交点 x₁=1/2，x₂=3，"
                                  "约为 0.5、3，与y轴交点 (0,3)");

    uitest::drawRequest("1", "-3", "1");
    uitest::drawRequest("2", "-7", "3");
    uitest::settle();
    EXPECT_EQ(form.Canvas->accessibleDescription(),
              utf8("共 2 条函数图像。第 1 条：") + golden + utf8("。第 2 条：") + rational + utf8("。"));

    // The tooltip: the whole intersection texts of the latest curve, then its
    // worked solution.
    EXPECT_EQ(form.infoBoxToolTip(), utf8("与x轴交点：(3,0)、(0.5,0)\n与y轴交点：(0,3)\n\n"
                                          "y=2x²-7x+3\n"
                                          "Δ=b²-4ac=(-7)²-4×2×3=25>0\n"
                                          "x₁=1/2，x₂=3，约为 0.5、3\n"
                                          "顶点 (7/4,-25/8)，对称轴 x=7/4，开口向上\n"
                                          "与y轴交点 (0,3)"));

    // Down walks forward through the curves and back to the whole graph; Up
    // from the whole graph starts at the latest curve.
    const QString whole = form.Canvas->accessibleDescription();
    const QString expected[] = {utf8("第 1 条，共 2 条：") + golden, utf8("第 2 条，共 2 条：") + rational, whole};
    for (const QString& description : expected) {
        QTest::keyClick(form.Canvas, Qt::Key_Down);
        EXPECT_EQ(form.Canvas->accessibleDescription(), description);
    }
    QTest::keyClick(form.Canvas, Qt::Key_Up);
    EXPECT_EQ(form.Canvas->accessibleDescription(), expected[1]);

    form.Button2Click();
    uitest::settle();
    EXPECT_EQ(form.Canvas->accessibleDescription(), utf8("坐标系中尚未绘制函数图像"));
    EXPECT_TRUE(form.infoBoxToolTip().isEmpty());
}

// The drawing area shows that it has the keyboard focus, on screen only: the
// canvas's own pixels stay as they are.
TEST_F(Window, TheFocusedDrawingAreaShowsAFocusFrame)
{
    TForm28& form = *Form28;
    const QPoint edge(1, form.Canvas->height() / 2);  // the left side, clear of every control
    form.Edit1->setFocus();
    const QRgb unfocused = form.Canvas->grab().toImage().pixel(edge);
    form.Canvas->setFocus();
    ASSERT_TRUE(form.Canvas->hasFocus());
    const QImage focused = form.Canvas->grab().toImage();
    EXPECT_NE(focused.pixel(edge), unfocused);
    EXPECT_EQ(form.Canvas->image().pixel(edge), unfocused);
    form.Edit1->setFocus();
}

}  // namespace
