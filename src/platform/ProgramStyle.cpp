#include "platform/ProgramStyle.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

namespace platform {

namespace {

// Menu-bar items are drawn and measured from their text alone; the action
// behind an item is found by its text (the menu bar's texts differ), so that
// its checked state and the default item's bold face show as in a menu.
const QAction* menuBarActionAt(const QWidget* widget, const QStyleOptionMenuItem& item)
{
    const auto* bar = qobject_cast<const QMenuBar*>(widget);
    if (!bar)
        return nullptr;
    for (QAction* action : bar->actions()) {
        if (action->text() == item.text)
            return action;
    }
    return nullptr;
}

bool isMarked(const QAction* action)
{
    return action && (action->isChecked() || action->font().bold());
}

class ProgramStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_MenuBarItem) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                if (const QAction* action = menuBarActionAt(widget, *item); isMarked(action)) {
                    drawMarkedMenuBarItem(*item, *action, painter, widget);
                    return;
                }
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
        if ((element == CE_PushButton || element == CE_CheckBox) && (option->state & State_HasFocus))
            drawFocusFrame(element, option, painter, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget) const override
    {
        QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
        if (type == CT_MenuBarItem) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                if (const QAction* action = menuBarActionAt(widget, *item); isMarked(action)) {
                    QFont bold = action->font();
                    const int boldWidth = QFontMetrics(bold).horizontalAdvance(item->text);
                    const int extra = boldWidth - item->fontMetrics.horizontalAdvance(item->text);
                    size.rwidth() += std::max(extra, 0) + checkMarkWidth(item->fontMetrics);
                }
            }
        }
        return size;
    }

private:
    static int checkMarkWidth(const QFontMetrics& metrics) { return metrics.height(); }

    void drawFocusFrame(ControlElement element, const QStyleOption* option, QPainter* painter,
                        const QWidget* widget) const
    {
        QStyleOptionFocusRect frame;
        frame.QStyleOption::operator=(*option);
        frame.rect = subElementRect(element == CE_PushButton ? SE_PushButtonFocusRect : SE_CheckBoxFocusRect,
                                    option, widget);
        frame.backgroundColor = option->palette.color(QPalette::Button);
        painter->save();
        QPen pen(option->palette.color(QPalette::Highlight), 1, Qt::DotLine);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(frame.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }

    void drawMarkedMenuBarItem(const QStyleOptionMenuItem& item, const QAction& action, QPainter* painter,
                               const QWidget* widget) const
    {
        QStyleOptionMenuItem plain = item;
        plain.text.clear();
        QProxyStyle::drawControl(CE_MenuBarItem, &plain, painter, widget);

        const int markWidth = checkMarkWidth(item.fontMetrics);
        QRect textRect = item.rect;
        if (action.isChecked()) {
            QStyleOptionMenuItem mark = item;
            mark.rect = QRect(item.rect.left() + 2, item.rect.top(), markWidth, item.rect.height());
            mark.checkType = QStyleOptionMenuItem::NonExclusive;
            mark.checked = true;
            mark.state |= State_On;
            proxy()->drawPrimitive(PE_IndicatorMenuCheckMark, &mark, painter, widget);
            textRect.setLeft(textRect.left() + markWidth);
        }
        painter->save();
        painter->setFont(action.font());
        const QPalette::ColorRole role = QPalette::ButtonText;
        drawItemText(painter, textRect, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, item.palette,
                     item.state & State_Enabled, item.text, role);
        painter->restore();
    }
};

}  // namespace

void installProgramStyle()
{
    QApplication::setStyle(new ProgramStyle(QApplication::style()->name()));
}

}  // namespace platform
