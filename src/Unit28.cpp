// The main window: creation, placement, resizing, keyboard and the wiring of
// controls to their handlers.

#include "Unit28.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "ABOUT.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/DrawingAreaAccessible.h"
#include "platform/DrawingSurface.h"
#include "platform/Placement.h"
#include "platform/SharpGraph.h"
#include "platform/SoundOutput.h"

TForm28* Form28 = nullptr;

TForm28::TForm28()
{
    // The plotting routines reach the window through Form28, FormCreate included.
    Form28 = this;
    setObjectName("Form28");
    setWindowTitle(QString::fromUtf8("Veltrano 正式版 2.0 "));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(platform::designedFont("Tahoma", 11));
    Unit28::storedCurves.setDecimalSeparator(QLocale::system().decimalPoint().toStdString());
    // Before the drawing area exists: its interface is made once, at the first ask.
    platform::installDrawingAreaAccessibility();
    buildControls();
    buildMenu();
    resize(651, 640 + MainMenu1->sizeHint().height());
    wireEvents();
    describeForAssistiveTools();
    FormCreate();
}

TForm28::~TForm28()
{
    // The application outlives the window: no more focus news for it.
    disconnect(qApp, nullptr, this, nullptr);
    // The frames' source and the overlay go before the drawing area does.
    Canvas->setSharpGraph(nullptr);
    Canvas->setOverlay(nullptr);
    Canvas->setAccessibleItems({});
}

void TForm28::wireEvents()
{
    const auto wire = [this](auto* sender, auto signal, auto handler) {
        connect(sender, signal, this, [this, handler] { platform::guarded([&] { return (this->*handler)(); }); });
    };
    wire(Button1, &QPushButton::clicked, &TForm28::Button1Click);
    wire(Button2, &QPushButton::clicked, &TForm28::Button2Click);
    wire(BitBtn1, &QPushButton::clicked, &TForm28::BitBtn1Click);
    wire(CheckBox1, &QCheckBox::clicked, &TForm28::CheckBox1Click);
    wire(CheckBox2, &QCheckBox::clicked, &TForm28::CheckBox2Click);
    wire(N1, &QAction::triggered, &TForm28::N1Click);
    wire(N2, &QAction::triggered, &TForm28::N2Click);
    Canvas->setPaintHandler([this] { return FormPaint(); });
    connect(qApp, &QApplication::focusChanged, this, &TForm28::followFocusAroundPanel2);
    for (QLineEdit* field : {Edit1, Edit2, Edit3})
        field->installEventFilter(this);
    Canvas->installEventFilter(this);
    sharpGraph_ = std::make_unique<platform::SharpGraph>([this] { return graphSource(); });
    Canvas->setSharpGraph(sharpGraph_.get());
    Canvas->setContextMenuPolicy(Qt::CustomContextMenu);
    setAcceptDrops(true);  // curve lists dropped onto the window
    connect(Canvas, &QWidget::customContextMenuRequested, this, &TForm28::showCanvasMenu);
    wirePanelEvents();
    wireExploring();
}

void TForm28::FormCreate()
{
    const QSize outer = frameGeometry().size();
    move(platform::placedInWorkArea(screen()->availableGeometry(), outer));
    Panel1->resize(width(), Panel1->height());  // docked: the client width
    BitBtn1->setText(QString());
    Panel4->hide();
    Panel4->setGeometry(0, Panel1->height(), outer.width(), outer.height());
    Unit28::setDefaultGeometry();
    Unit28::storedCurves.clear();
}

void TForm28::FormResize()
{
    const QSize outer = frameGeometry().size();
    // The top bar is docked to the top edge: it spans the client width.
    Panel1->resize(width(), Panel1->height());
    Button2->move(outer.width() - Button2->width() - 8, Button2->y());
    // The eraser panel keeps covering everything below the top bar, so that
    // a clear erases the whole drawing area at any window size.
    Panel4->setGeometry(0, Panel1->height(), outer.width(), outer.height());
    keepInfoBoxReachable();
}

void TForm28::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Unit28::storedCurves.setDrawingArea(Canvas->width(), Canvas->height());
    platform::guarded([this] { FormResize(); });
    if (exploration_)
        refreshOverlay();  // the area the overlay stays in follows
}

// Enter presses the default button, or the focused push button; Esc presses
// the cancel button while it can take the focus (while the settings panel is
// shown). Both reach here when the focused control does not use the key.
void TForm28::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        (focused ? focused : Button1)->click();
        return;
    }
    case Qt::Key_Escape:
        if (BitBtn1->isVisible() && BitBtn1->isEnabled())
            BitBtn1->click();
        else if (selectedCurve_ != kWholeGraph)
            chooseCurve(kWholeGraph);  // unpins
        return;
    default:
        if (!graphKey(this, event) && !historyKey(this, event) && !curveListKey(this, event))
            QMainWindow::keyPressEvent(event);
    }
}

void TForm28::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, whatever else is open; a
    // tracing in progress finishes at once.
    closing_ = true;
    event->accept();
    QCoreApplication::quit();
}

void TForm28::N2Click()
{
    AboutBox->showAbout();
}
