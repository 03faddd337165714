// What a screen reader finds: every control under a meaningful name and role,
// and the intersections as the captions of their labels.

#include <QAccessible>
#include <QGroupBox>
#include <QMenuBar>
#include <QSet>
#include <vector>

#include "ABOUT.h"
#include "UiTestSupport.h"

using namespace uitest;

namespace {

QAccessibleInterface* accessible(QObject* control)
{
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(control);
    EXPECT_NE(interface, nullptr) << control->objectName().toStdString();
    return interface;
}

QString nameOf(QObject* control)
{
    QAccessibleInterface* interface = accessible(control);
    return interface ? interface->text(QAccessible::Name) : QString();
}

QString descriptionOf(QObject* control)
{
    QAccessibleInterface* interface = accessible(control);
    return interface ? interface->text(QAccessible::Description) : QString();
}

}  // namespace

TEST_F(Window, EveryControlHasAMeaningfulNameAndRole)
{
    TForm28& form = *Form28;
    struct Expected {
        QWidget* control;
        const char* name;
        QAccessible::Role role;
    };
    const Expected controls[] = {
        {form.Edit1, "a", QAccessible::EditableText},
        {form.Edit2, "b", QAccessible::EditableText},
        {form.Edit3, "c", QAccessible::EditableText},
        {form.Button1, "开始绘图", QAccessible::Button},
        {form.Button2, "清空", QAccessible::Button},
        {form.BitBtn1, "关闭设置", QAccessible::Button},
        {form.CheckBox1, "动画效果", QAccessible::CheckBox},
        {form.CheckBox2, "启动重整模式", QAccessible::CheckBox},
        {form.GroupBox1, "设置", QAccessible::Grouping},
        {form.GroupBox2, "提示框（可拖拽）", QAccessible::Grouping},
        {form.Label1, "二次函数 y=", QAccessible::StaticText},
        {form.Label4, "与x轴交点：", QAccessible::StaticText},
        {form.Label5, "与y轴交点：", QAccessible::StaticText},
        {form.Canvas, "函数图像", QAccessible::Client},
        {AboutBox->ProgramIcon, "程序图标", QAccessible::Graphic},
        {AboutBox->ProductName, "Zentio Personal Software Office", QAccessible::StaticText},
    };
    for (const Expected& expected : controls) {
        SCOPED_TRACE(expected.control->objectName().toStdString());
        QAccessibleInterface* interface = accessible(expected.control);
        ASSERT_NE(interface, nullptr);
        EXPECT_EQ(interface->text(QAccessible::Name), QString::fromUtf8(expected.name));
        EXPECT_EQ(interface->role(), expected.role);
    }

    const QString formula = QString::fromUtf8("二次函数 y = a·x² + b·x + c 的");
    EXPECT_EQ(accessible(form.Edit1)->text(QAccessible::Description), formula + QString::fromUtf8("二次项系数 a"));
    EXPECT_EQ(accessible(form.Edit2)->text(QAccessible::Description), formula + QString::fromUtf8("一次项系数 b"));
    EXPECT_EQ(accessible(form.Edit3)->text(QAccessible::Description), formula + QString::fromUtf8("常数项 c"));

    // The menu items are children of the menu bar, under their texts.
    QAccessibleInterface* menuBar = accessible(form.MainMenu1);
    ASSERT_NE(menuBar, nullptr);
    ASSERT_GE(menuBar->childCount(), 2);
    EXPECT_EQ(menuBar->child(0)->text(QAccessible::Name), QString::fromUtf8("设置"));
    EXPECT_EQ(menuBar->child(1)->text(QAccessible::Name), QString::fromUtf8("关于"));
    EXPECT_EQ(menuBar->child(1)->role(), QAccessible::MenuItem);
}

TEST_F(Window, ControlsAreReachableFromTheWindow)
{
    // A screen reader walks the tree down from the window: every named
    // control must be found that way, not only by asking for it directly.
    QSet<QObject*> reached;
    std::vector<QAccessibleInterface*> pending{accessible(Form28)};
    while (!pending.empty()) {
        QAccessibleInterface* node = pending.back();
        pending.pop_back();
        reached.insert(node->object());
        for (int i = 0; i < node->childCount(); ++i)
            if (QAccessibleInterface* child = node->child(i))
                pending.push_back(child);
    }
    TForm28& form = *Form28;
    for (QObject* control : std::initializer_list<QObject*>{form.Edit1, form.Edit2, form.Edit3, form.Button1,
                                                            form.Button2, form.Label6, form.Label7, form.Label8})
        EXPECT_TRUE(reached.contains(control)) << control->objectName().toStdString();
}

TEST_F(Window, IntersectionLabelsPresentTheirCaptionsAfterADraw)
{
    TForm28& form = *Form28;
    EXPECT_EQ(descriptionOf(form.Label6), QString::fromUtf8("与x轴交点 1"));
    EXPECT_EQ(descriptionOf(form.Label7), QString::fromUtf8("与x轴交点 2"));
    EXPECT_EQ(descriptionOf(form.Label8), QString::fromUtf8("与y轴交点"));
    EXPECT_EQ(accessible(form.Label6)->role(), QAccessible::StaticText);

    // x² − 4 meets the x axis at ±2 (the root with +√D first) and the y axis at −4.
    drawRequest("1", "0", "-4");
    EXPECT_EQ(nameOf(form.Label6), "(2,0)");
    EXPECT_EQ(nameOf(form.Label7), "(-2,0)");
    EXPECT_EQ(nameOf(form.Label8), "(0,-4)");

    // A parabola above the axis: no x intersection, the second label empty.
    drawRequest("1", "0", "1");
    EXPECT_EQ(nameOf(form.Label6), QString::fromUtf8("无"));
    EXPECT_FALSE(nameOf(form.Label7).contains("(")) << "the second label is empty";
    EXPECT_EQ(nameOf(form.Label8), "(0,1)");
}
