// What the program says about the graph beside the pixels: the info box's
// tooltip with the full intersection texts and a worked solution, and the
// drawing area as an object screen readers can focus and read, curve by
// curve with Up and Down.

#include <QAccessible>
#include <QEvent>
#include <QFrame>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QToolTip>

#include "Unit28.h"
#include "core/exact/Explanation.h"
#include "platform/DrawingSurface.h"

namespace {

std::string separator()
{
    return QLocale::system().decimalPoint().toStdString();
}

// The texts of stored curve `index`, as the window shows it.
exact::CurveTexts curveTexts(std::size_t index)
{
    return Unit28::storedCurves.facts(index, Unit28::currentStep()).texts();
}

void setDescription(QWidget* widget, const QString& description)
{
    if (widget->accessibleDescription() == description)
        return;
    widget->setAccessibleDescription(description);
    QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

// A whole graph is read out curve by curve up to this many curves.
constexpr std::size_t kCurvesReadInFull = 20;

}  // namespace

void TForm28::graphChanged()
{
    const std::size_t count = std::size_t(Unit28::fxnum);
    if (selectedCurve_ >= count)
        selectedCurve_ = kWholeGraph;
    describeCanvas();
}

void TForm28::describeCanvas()
{
    const std::size_t count = std::size_t(Unit28::fxnum);
    QString description;
    if (selectedCurve_ == kWholeGraph && count > kCurvesReadInFull) {
        // Past a screenful of words, the count and the latest curve; Up and
        // Down reach every other one.
        description = QString::fromUtf8("共 %1 条函数图像，最近一条：").arg(count) +
                      QString::fromStdString(exact::curveSummary(curveTexts(count - 1), separator())) +
                      QString::fromUtf8("。用上下方向键逐条查看。");
    } else if (selectedCurve_ == kWholeGraph) {
        std::vector<exact::CurveTexts> curves;
        curves.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            curves.push_back(curveTexts(i));
        description = QString::fromStdString(exact::graphSummary(curves, separator()));
    } else {
        description = curveDescription(selectedCurve_);
    }
    setDescription(Canvas, description);
}

// "第 1 条，共 2 条：" and the curve's summary.
QString TForm28::curveDescription(std::size_t index) const
{
    return QString::fromUtf8("第 %1 条，共 %2 条：").arg(index + 1).arg(Unit28::fxnum) +
           QString::fromStdString(exact::curveSummary(curveTexts(index), separator()));
}

// Up and Down move between the curves while the drawing area has the focus;
// past either end the description is the whole graph again.
bool TForm28::canvasKeyPressed(QKeyEvent* event)
{
    const std::size_t count = std::size_t(Unit28::fxnum);
    if (event->key() != Qt::Key_Down && event->key() != Qt::Key_Up)
        return false;
    std::size_t chosen = kWholeGraph;
    if (count == 0) {
        chosen = kWholeGraph;
    } else if (event->key() == Qt::Key_Down) {
        chosen = selectedCurve_ == kWholeGraph ? 0 : selectedCurve_ + 1 < count ? selectedCurve_ + 1 : kWholeGraph;
    } else {
        chosen = selectedCurve_ == kWholeGraph ? count - 1 : selectedCurve_ > 0 ? selectedCurve_ - 1 : kWholeGraph;
    }
    // The chosen curve is highlighted as if pinned, and screen readers hear it.
    chooseCurve(chosen);
    return true;
}

// The tooltip is worked out when it is asked for: the labels may have
// changed at any repaint.
QString TForm28::infoBoxToolTip() const
{
    const std::size_t count = std::size_t(Unit28::fxnum);
    if (count == 0)
        return QString();
    QString texts = Label4->text() + Label6->text();
    if (!Label7->text().isEmpty())
        texts += QString::fromUtf8("、") + Label7->text();
    texts += "\n" + Label5->text() + Label8->text();
    return texts + "\n\n" + QString::fromStdString(exact::workedSolution(curveTexts(count - 1), separator()));
}

bool TForm28::showInfoBoxToolTip(QEvent* event)
{
    const QString tip = infoBoxToolTip();
    auto* help = static_cast<QHelpEvent*>(event);
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, Panel3);
    return true;
}
