#pragma once
// Building controls the way the window designer lays them out: a name that
// tests and assistive tools find them by, a place, and fonts by character
// height in pixels.

#include <QLabel>
#include <QString>
#include <QWidget>

#include "platform/Fonts.h"

namespace platform {

template <class Control>
Control* placeNamed(Control* control, const char* name, int left, int top, int width, int height)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left, top, width, height);
    return control;
}

// A label at (left, top) that sizes itself to its text, in its parent's font
// or in `font` (set before the text is measured, which is measured once).
inline QLabel* makeLabel(QWidget* parent, const char* name, int left, int top, const QString& text,
                         const QFont* font = nullptr)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    if (font)
        label->setFont(*font);
    label->move(left, top);
    label->adjustSize();
    return label;
}

}  // namespace platform
