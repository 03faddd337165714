// Names and descriptions under which assistive tools present the controls.
//
// Controls with a visible text (buttons, check boxes, group boxes, labels,
// menu items) are presented under that text by Qt itself; so are the three
// intersection labels, whose caption is what a screen reader reads out, with
// a description that says which intersection it is. This file names the rest:
// the three coefficient fields, the glyph-only button, the panels and the
// canvas.

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Unit28.h"
#include "platform/DrawingSurface.h"

namespace {

// "与x轴交点：" describes its values as "与x轴交点".
QString withoutColon(const QString& caption)
{
    QString name = caption.trimmed();
    if (name.endsWith(u'：') || name.endsWith(u':'))
        name.chop(1);
    return name;
}

void describe(QWidget* control, const QString& name, const QString& description = QString())
{
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

}  // namespace

void TForm28::describeForAssistiveTools()
{
    const QString formula = QString::fromUtf8("二次函数 y = a·x² + b·x + c ");
    describe(Edit1, "a", formula + QString::fromUtf8("的二次项系数 a"));
    describe(Edit2, "b", formula + QString::fromUtf8("的一次项系数 b"));
    describe(Edit3, "c", formula + QString::fromUtf8("的常数项 c"));

    Button1->setAccessibleDescription(QString::fromUtf8("按系数 a、b、c 绘制函数图象"));
    Button2->setAccessibleDescription(QString::fromUtf8("擦除所有图象和交点"));
    describe(BitBtn1, QString::fromUtf8("关闭设置"));

    describe(Panel1, QString::fromUtf8("函数输入"));
    describe(Panel2, QString::fromUtf8("设置面板"));
    describe(Panel3, QString::fromUtf8("提示框"));
    // The drawing area describes the graph (see Unit28Describe.cpp).
    Canvas->setAccessibleName(QString::fromUtf8("函数图像"));
    graphChanged();
    for (QLabel* label : {Label6, Label7, Label8})
        describeIntersectionLabel(label);
}

// Which intersection a value label holds, and its whole text.
void TForm28::describeIntersectionLabel(QLabel* label)
{
    const QString which = label == Label8 ? withoutColon(Label5->text())
                                          : withoutColon(Label4->text()) + (label == Label6 ? " 1" : " 2");
    label->setAccessibleDescription(label->text().isEmpty() ? which : which + QString::fromUtf8("：") + label->text());
}
