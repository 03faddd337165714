#include "ABOUT.h"

#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <algorithm>

#include "platform/Controls.h"
#include "platform/Placement.h"
#include "platform/ProgramIcon.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox()
{
    setObjectName("AboutBox");
    setWindowTitle(QString::fromUtf8("关于"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(282, 181);
    setFont(platform::designedFont("MS Sans Serif", 11));
    setWindowIcon(platform::programIcon());

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(8, 8, 265, 161);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setGeometry(8, 8, 65, 57);
    ProgramIcon->setPixmap(QPixmap::fromImage(platform::programPicture()));
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setAccessibleName(QString::fromUtf8("程序图标"));

    ProductName = platform::makeLabel(Panel1, "ProductName", 88, 16, "Zentio Personal Software Office");
    Version = platform::makeLabel(Panel1, "Version", 88, 40, "Version 1.2 ");
    Copyright = platform::makeLabel(Panel1, "Copyright", 8, 80, QString::fromUtf8("Copyright © Zentio 软件"));
    Comments = platform::makeLabel(Panel1, "Comments", 8, 112, QString::fromUtf8("二次函数图象绘制工具"));
    Comments->setWordWrap(true);
    Comments->setGeometry(8, 112, 156, 13);
}

void TAboutBox::showAbout()
{
    if (!placed_) {
        // Centred in the work area, but never above or left of the desktop.
        const QSize workArea = screen()->availableGeometry().size();
        const QPoint centre = platform::centredInWorkArea(workArea, frameGeometry().size());
        move(std::max(centre.x(), 0), std::max(centre.y(), 0));
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}
