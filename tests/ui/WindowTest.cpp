// The main window as designed: its controls, placement, resizing and keys.

#include <QAction>
#include <QGroupBox>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>
#include <new>
#include <stdexcept>

#include "UiTestSupport.h"
#include "platform/Placement.h"

using namespace uitest;

namespace {

struct DesignedControl {
    const char* name;
    const char* parent;
    QRect geometry;  // an empty size means "sized to its text"
    const char* text;
    bool visible;
};

QString textOf(QObject* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(control))
        return group->title();
    return QString();
}

}  // namespace

TEST_F(Window, ControlTreeIsAsDesigned)
{
    const DesignedControl controls[] = {
        {"Panel1", "ClientArea", {0, 0, 651, 89}, "", true},
        {"Label1", "Panel1", {34, 26, 0, 0}, "二次函数 y=", true},
        {"Edit1", "Panel1", {234, 33, 55, 24}, "", true},
        {"Label2", "Panel1", {295, 26, 0, 0}, "x²+", true},
        {"Edit2", "Panel1", {347, 33, 54, 24}, "", true},
        {"Label3", "Panel1", {407, 26, 0, 0}, "x+", true},
        {"Edit3", "Panel1", {449, 33, 56, 24}, "", true},
        {"Button1", "Panel1", {538, 29, 86, 34}, "开始绘图", true},
        {"Panel2", "ClientArea", {0, 90, 154, 162}, "", false},
        {"GroupBox1", "Panel2", {5, 0, 143, 157}, "设置", true},
        {"CheckBox1", "GroupBox1", {19, 24, 97, 17}, "动画效果", true},
        {"CheckBox2", "GroupBox1", {19, 56, 97, 17}, "启动重整模式", true},
        {"Label9", "GroupBox1", {20, 76, 0, 0}, "（即不会使图象消失）", true},
        {"BitBtn1", "Panel2", {126, 2, 24, 21}, "", true},
        {"Panel3", "ClientArea", {433, 480, 144, 107}, "", true},
        {"GroupBox2", "Panel3", {3, 0, 138, 105}, "提示框（可拖拽）", true},
        {"Label4", "GroupBox2", {12, 24, 0, 0}, "与x轴交点：", true},
        {"Label5", "GroupBox2", {12, 80, 0, 0}, "与y轴交点：", true},
        {"Label6", "GroupBox2", {92, 24, 0, 0}, "", true},
        {"Label7", "GroupBox2", {92, 45, 0, 0}, "", true},
        {"Label8", "GroupBox2", {92, 80, 0, 0}, "", true},
        {"Panel4", "ClientArea", {0, 89, 0, 0}, "", false},
    };
    for (const DesignedControl& designed : controls) {
        SCOPED_TRACE(designed.name);
        auto* control = Form28->findChild<QWidget*>(designed.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), designed.parent);
        EXPECT_EQ(control->pos(), designed.geometry.topLeft());
        if (!designed.geometry.size().isEmpty()) {
            EXPECT_EQ(control->size(), designed.geometry.size());
        }
        EXPECT_EQ(textOf(control), QString::fromUtf8(designed.text));
        EXPECT_EQ(!control->isHidden(), designed.visible);
    }
    EXPECT_FALSE(Form28->CheckBox1->isChecked());
    EXPECT_TRUE(Form28->CheckBox2->isChecked());
    EXPECT_EQ(Form28->windowTitle(), QString::fromUtf8("Veltrano 正式版 2.0 "));
    EXPECT_EQ(Form28->Canvas->size(), QSize(651, 640));
    EXPECT_EQ(Form28->Label1->font().pixelSize(), 35);
    EXPECT_EQ(Form28->Button1->font().pixelSize(), 15);
    EXPECT_EQ(Form28->Edit1->font().pixelSize(), 13);
}

TEST_F(Window, MenuBarHasTheThreeItems)
{
    const QList<QAction*> items = Form28->MainMenu1->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->objectName(), "N1");
    EXPECT_EQ(items[0]->text(), QString::fromUtf8("设置"));
    EXPECT_EQ(items[1]->objectName(), "N2");
    EXPECT_EQ(items[1]->text(), QString::fromUtf8("关于"));
    EXPECT_EQ(items[2]->objectName(), "zentio1");
    EXPECT_EQ(items[2]->text(), QString::fromUtf8("  zentio软件"));
    EXPECT_TRUE(items[2]->isChecked());
    EXPECT_FALSE(items[2]->isEnabled());
    EXPECT_TRUE(items[2]->font().bold());
}

TEST_F(Window, ResizingKeepsTheTopBarAndClearButtonInStep)
{
    QPoint box(433, 480);
    for (const QSize size : {QSize(800, 700), QSize(500, 400), QSize(651, 700)}) {
        Form28->resize(size);
        settle();
        const int outerWidth = Form28->frameGeometry().width();
        EXPECT_EQ(Form28->Button2->x(), outerWidth - 47);
        EXPECT_EQ(Form28->Button2->y(), 88);
        EXPECT_EQ(Form28->Panel1->width(), Form28->Canvas->width());
        // Nothing else moves, but for the info box keeping a strip of itself
        // inside a drawing area too small for it; it stays there afterwards.
        box = QPoint(std::min(box.x(), Form28->Canvas->width() - 12), std::min(box.y(), Form28->Canvas->height() - 12));
        EXPECT_EQ(Form28->Panel3->pos(), box);
        EXPECT_EQ(Form28->Panel2->pos(), QPoint(0, 90));
    }
}

TEST(WindowPlacement, CentresByTheOuterSizeTruncatingTowardZero)
{
    EXPECT_EQ(platform::centredInWorkArea(QSize(1280, 1024), QSize(659, 700)), QPoint(310, 162));
    // Smaller than the window: the edges stick out, and −3 div 2 is −1.
    EXPECT_EQ(platform::centredInWorkArea(QSize(656, 697), QSize(659, 700)), QPoint(-1, -1));
    EXPECT_EQ(platform::centredInWorkArea(QSize(600, 500), QSize(659, 700)), QPoint(-29, -100));
}

TEST(ErrorBox, TitleComesFromTheExecutableName)
{
    EXPECT_EQ(platform::applicationTitle("/usr/bin/veltrano"), "veltrano");
    EXPECT_EQ(platform::applicationTitle("/opt/x/My.App.bin"), "My");
    EXPECT_EQ(platform::applicationTitle("VELTRANO"), "Veltrano");
    EXPECT_EQ(platform::applicationTitle("/a.b/ZENTIO.exe"), "Zentio");
    EXPECT_EQ(platform::applicationTitle(".hidden"), "");
}

TEST(ErrorBox, FullStopOnlyAfterCharactersSortingAfterIt)
{
    EXPECT_EQ(platform::errorBoxText("Floating point overflow"), "Floating point overflow.");
    EXPECT_EQ(platform::errorBoxText("'abc' is not a valid floating point value"),
              "'abc' is not a valid floating point value.");
    EXPECT_EQ(platform::errorBoxText("ends with a dot."), "ends with a dot.");
    EXPECT_EQ(platform::errorBoxText("'1 2'"), "'1 2'");  // "'" sorts before "."
    EXPECT_EQ(platform::errorBoxText("5"), "5.");
    EXPECT_EQ(platform::errorBoxText(""), "");
}

TEST_F(Window, EnterInAnyFieldPressesTheDrawButton)
{
    for (QLineEdit* field : {Form28->Edit1, Form28->Edit2, Form28->Edit3}) {
        const int before = Unit28::fxnum;
        field->setText("1");
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(Unit28::fxnum, before + 1) << field->objectName().toStdString();
    }
}

TEST_F(Window, AnErrorInAHandlerShowsTheBoxAndTheProgramGoesOn)
{
    ErrorBoxes boxes;
    drawRequest("abc", "", "");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "'abc' is not a valid floating point value.");
    EXPECT_EQ(boxes.captions[0], platform::applicationTitle(QCoreApplication::applicationFilePath()));
    drawRequest("1", "", "");
    EXPECT_EQ(Unit28::fxnum, 1);
}

// Only the program's own errors reach the error box: an exception is a fault
// of the program, reported with its type and never dressed as the user's.
TEST(HandlerGuard, ShowsTheUsersErrorsAndReportsDefects)
{
    ErrorBoxes boxes;
    std::vector<QString> defects;
    platform::setDefectHook([&defects](const QString& report) { defects.push_back(report); });
    platform::guarded([] { return core::Status(core::UserError::invalidFloatOp()); });
    platform::guarded([] { return core::Status(); });
    platform::guarded([]() -> core::Status { throw std::out_of_range("index 7"); });
    platform::guarded([] { throw std::bad_alloc(); });
    platform::setDefectHook([](const QString& report) { ADD_FAILURE() << report.toStdString(); });
    EXPECT_EQ(boxes.texts, std::vector<QString>{"Invalid floating point operation."});
    ASSERT_EQ(defects.size(), 2u);
    EXPECT_EQ(defects[0], "internal error (std::out_of_range): index 7");
    EXPECT_TRUE(defects[1].startsWith("internal error (std::bad_alloc)")) << defects[1].toStdString();
}
