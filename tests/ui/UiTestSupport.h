#pragma once
// Helpers for driving the real main window in tests: a clean program state,
// draw requests typed into the fields, paint cycles run to completion, the
// canvas's pixels, and the error boxes recorded instead of shown.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Unit28.h"
#include "platform/Application.h"
#include "platform/DrawingSurface.h"

namespace uitest {

inline constexpr QRgb kInk = 0xff000000u;

// Lets queued paint cycles and presentations run.
inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        platform::guarded([] { return Form28->Canvas->paintPendingArea(); });
    }
}

inline bool inked(int x, int y)
{
    return Form28->Canvas->image().pixel(x, y) == kInk;
}

inline int inkedIn(const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += inked(x, y);
    return count;
}

// Records the error boxes shown while it lives.
class ErrorBoxes {
public:
    ErrorBoxes()
    {
        platform::setErrorBoxHook([this](const QString& caption, const QString& text) {
            captions.push_back(caption);
            texts.push_back(text);
        });
    }
    ~ErrorBoxes() { platform::setErrorBoxHook({}); }
    std::vector<QString> captions;
    std::vector<QString> texts;
};

// What a screen reader hears now: the name of the drawing area's focused
// item, or the drawing area's description.
inline QString heard()
{
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(Form28->Canvas);
    QAccessibleInterface* focused = area->focusChild();
    return focused && focused != area ? focused->text(QAccessible::Name) : area->text(QAccessible::Description);
}

// What the window shows: the retained image, the stored curves' count, the
// three value labels, the three fields and the drawing area's description.
struct WindowState {
    QImage pixels;
    int curves;
    QStringList texts;
    bool operator==(const WindowState&) const = default;
};

inline WindowState windowState()
{
    TForm28& form = *Form28;
    return {form.Canvas->image().copy(),
            Unit28::fxnum,
            {form.Label6->text(), form.Label7->text(), form.Label8->text(), form.Edit1->text(), form.Edit2->text(),
             form.Edit3->text(), QAccessible::queryAccessibleInterface(form.Canvas)->text(QAccessible::Description)}};
}

// Types the coefficients into the fields and presses Enter in the last one.
inline void drawRequest(const QString& a, const QString& b, const QString& c)
{
    Form28->Edit1->setText(a);
    Form28->Edit2->setText(b);
    Form28->Edit3->setText(c);
    QTest::keyClick(Form28->Edit3, Qt::Key_Return);
}

// The window as at startup: no curves, default modes, panels in place, the
// whole client area freshly painted.
class Window : public ::testing::Test {
protected:
    void SetUp() override
    {
        TForm28& form = *Form28;
        form.CheckBox1->setChecked(false);
        form.CheckBox2->setChecked(true);
        form.Panel2->hide();
        form.Panel3->move(433, 480);
        if (form.size() != initialSize())
            form.resize(initialSize());
        Unit28::setDefaultGeometry();
        form.Button2Click();
        form.Canvas->invalidateAll();
        settle();
        form.forgetHistory();
    }
    static QSize initialSize()
    {
        static const QSize size = Form28->size();
        return size;
    }
};

}  // namespace uitest
