#pragma once
// Building controls the way the window designer lays them out: a name that
// tests and assistive tools find them by, a place, and fonts by character
// height in pixels.

#include <QFont>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace platform {

template <class Control>
Control* placeNamed(Control* control, const char* name, int left, int top, int width, int height)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left, top, width, height);
    return control;
}

// A label at (left, top) that sizes itself to its text.
inline QLabel* makeLabel(QWidget* parent, const char* name, int left, int top, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

inline QFont designedFont(const QString& family, int characterHeight)
{
    QFont font(family);
    font.setPixelSize(characterHeight);
    return font;
}

}  // namespace platform
