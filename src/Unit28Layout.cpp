// The main window's control tree as designed: kinds, parents, geometry,
// texts, fonts, initial states and tab order.

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>

#include "Unit28.h"
#include "platform/Controls.h"
#include "platform/DeferredIcon.h"
#include "platform/DrawingSurface.h"

namespace {

using platform::designedFont;
using platform::placeNamed;

// The designed Chinese sans-serif face, 黑体, at a character height in pixels.
QFont heiTiFont(int characterHeight)
{
    return designedFont(QString::fromUtf8("黑体"), characterHeight);
}

QFrame* makePanel(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* frame = placeNamed(new QFrame(parent), name, left, top, width, height);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setAutoFillBackground(true);
    return frame;
}

QLineEdit* makeCoefficientField(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* control = placeNamed(new QLineEdit(parent), name, left, top, width, height);
    control->setFont(designedFont("Tahoma", 13));
    return control;
}

}  // namespace

void TForm28::setCaption(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
    // The info box clips long texts; screen readers get them whole.
    if (Form28 && (label == Form28->Label6 || label == Form28->Label7 || label == Form28->Label8))
        Form28->describeIntersectionLabel(label);
}

void TForm28::buildControls()
{
    Canvas = new platform::DrawingSurface(this);
    Canvas->setObjectName("ClientArea");
    setCentralWidget(Canvas);
    QWidget* client = Canvas;

    Panel1 = makePanel(client, "Panel1", 0, 0, 651, 89);
    const QFont formulaFont = heiTiFont(35);
    Label1 = platform::makeLabel(Panel1, "Label1", 34, 26, QString::fromUtf8("二次函数 y="), &formulaFont);
    Edit1 = makeCoefficientField(Panel1, "Edit1", 234, 33, 55, 24);
    Label2 = platform::makeLabel(Panel1, "Label2", 295, 26, QString::fromUtf8("x²+"), &formulaFont);
    Edit2 = makeCoefficientField(Panel1, "Edit2", 347, 33, 54, 24);
    Label3 = platform::makeLabel(Panel1, "Label3", 407, 26, QString::fromUtf8("x+"), &formulaFont);
    Edit3 = makeCoefficientField(Panel1, "Edit3", 449, 33, 56, 24);
    Button1 = placeNamed(new QPushButton(QString::fromUtf8("开始绘图"), Panel1), "Button1", 538, 29, 86, 34);
    Button1->setFont(heiTiFont(15));
    Button1->setDefault(true);

    Panel2 = makePanel(client, "Panel2", 0, 90, 154, 162);
    Panel2->hide();
    GroupBox1 = placeNamed(new QGroupBox(QString::fromUtf8("设置"), Panel2), "GroupBox1", 5, 0, 143, 157);
    CheckBox1 = placeNamed(new QCheckBox(QString::fromUtf8("动画效果"), GroupBox1), "CheckBox1", 19, 24, 97, 17);
    CheckBox2 = placeNamed(new QCheckBox(QString::fromUtf8("启动重整模式"), GroupBox1), "CheckBox2", 19, 56, 97, 17);
    CheckBox2->setChecked(true);
    Label9 = platform::makeLabel(GroupBox1, "Label9", 20, 76, QString::fromUtf8("（即不会使图象消失）"));
    BitBtn1 = placeNamed(new QPushButton(QStringLiteral("Cancel"), Panel2), "BitBtn1", 126, 2, 24, 21);
    platform::setStandardIconWhenShown(BitBtn1, QStyle::SP_DialogCancelButton);

    Panel3 = makePanel(client, "Panel3", 433, 480, 144, 107);
    GroupBox2 = placeNamed(new QGroupBox(QString::fromUtf8("提示框（可拖拽）"), Panel3), "GroupBox2", 3, 0, 138, 105);
    GroupBox2->setCursor(Qt::SizeAllCursor);
    Label4 = platform::makeLabel(GroupBox2, "Label4", 12, 24, QString::fromUtf8("与x轴交点："));
    Label5 = platform::makeLabel(GroupBox2, "Label5", 12, 80, QString::fromUtf8("与y轴交点："));
    Label6 = platform::makeLabel(GroupBox2, "Label6", 92, 24, QString());
    Label7 = platform::makeLabel(GroupBox2, "Label7", 92, 45, QString());
    Label8 = platform::makeLabel(GroupBox2, "Label8", 92, 80, QString());

    Button2 = placeNamed(new QPushButton(QString::fromUtf8("清空"), client), "Button2", 612, 88, 39, 25);
    Panel4 = makePanel(client, "Panel4", 436, 150, 57, 41);
    Panel4->hide();

    // Tab order: the top bar's fields and button, the settings panel, the
    // info box, the clear button, and last the drawing area, which screen
    // readers describe.
    Canvas->setFocusPolicy(Qt::TabFocus);
    QWidget* order[] = {Edit1, Edit2, Edit3, Button1, CheckBox1, CheckBox2, BitBtn1, Button2, Canvas};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    // The window opens with the caret in the first field, the first tab stop,
    // so that typing can start at once.
    Edit1->setFocus(Qt::OtherFocusReason);
    for (QWidget* passive : std::initializer_list<QWidget*>{Panel1, Panel2, Panel3, Panel4, GroupBox1, GroupBox2})
        passive->setFocusPolicy(Qt::NoFocus);
}

void TForm28::buildMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");
    N1 = MainMenu1->addAction(QString::fromUtf8("设置"));
    N1->setObjectName("N1");
    N2 = MainMenu1->addAction(QString::fromUtf8("关于"));
    N2->setObjectName("N2");
    zentio1 = MainMenu1->addAction(QString::fromUtf8("  zentio软件"));
    zentio1->setObjectName("zentio1");
    zentio1->setCheckable(true);
    zentio1->setChecked(true);
    QFont defaultItem = zentio1->font();
    defaultItem.setBold(true);
    zentio1->setFont(defaultItem);
    zentio1->setEnabled(false);
}
