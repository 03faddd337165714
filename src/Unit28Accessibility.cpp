// Names and descriptions under which assistive tools present the controls.
//
// Controls with a visible text (buttons, check boxes, group boxes, captions,
// menu items) are presented under that text by Qt itself. This file names the
// rest: the three coefficient fields, the glyph-only button, the panels, the
// canvas, and the three intersection labels, whose caption is their content
// and is presented under the name of the caption beside them.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "Unit28.h"
#include "platform/DrawingSurface.h"

namespace {

// The dynamic property that marks an intersection label and holds its name.
constexpr char kIntersectionName[] = "veltranoIntersectionName";

// An intersection label: a fixed name, and its caption as value and as
// read-only text. Its accessible name stays empty on the widget, so that Qt
// keeps announcing every caption change.
class IntersectionLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit IntersectionLabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return widget()->property(kIntersectionName).toString();
        case QAccessible::Value:
            return caption();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The caption cannot be selected and has no cursor.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}

    QString text(int startOffset, int endOffset) const override
    {
        const QString whole = caption();
        startOffset = std::clamp(startOffset, 0, int(whole.size()));
        endOffset = std::clamp(endOffset, startOffset, int(whole.size()));
        return whole.mid(startOffset, endOffset - startOffset);
    }

    int characterCount() const override { return int(caption().size()); }

    QRect characterRect(int offset) const override
    {
        const QString whole = caption();
        if (offset < 0 || offset >= whole.size())
            return QRect();
        const QFontMetrics metrics(widget()->font());
        const QRect contents = label()->contentsRect();
        const QRect local(contents.left() + metrics.horizontalAdvance(whole.left(offset)), contents.top(),
                          metrics.horizontalAdvance(whole.at(offset)), metrics.height());
        return QRect(widget()->mapToGlobal(local.topLeft()), local.size());
    }

    int offsetAtPoint(const QPoint& point) const override
    {
        for (int offset = 0; offset < characterCount(); ++offset)
            if (characterRect(offset).contains(point))
                return offset;
        return -1;
    }

    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
    QString caption() const { return label()->text(); }
};

QAccessibleInterface* intersectionLabelFactory(const QString&, QObject* object)
{
    auto* label = qobject_cast<QLabel*>(object);
    if (label && label->property(kIntersectionName).isValid())
        return new IntersectionLabelAccessible(label);
    return nullptr;
}

// "与x轴交点：" names its values "与x轴交点".
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
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(intersectionLabelFactory);
        return true;
    }();
    (void)factoryInstalled;

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
    describe(Canvas, QString::fromUtf8("绘图区"), QString::fromUtf8("坐标轴和已绘制的函数图象"));

    const QString xAxis = withoutColon(Label4->text());
    Label6->setProperty(kIntersectionName, xAxis + QString::fromUtf8(" 1"));
    Label7->setProperty(kIntersectionName, xAxis + QString::fromUtf8(" 2"));
    Label8->setProperty(kIntersectionName, withoutColon(Label5->text()));
}
