// The plotting routines and the plot handlers: axes, tracing one curve into
// the canvas and the info box, draw requests, the stored curves, repaint and
// clear.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <optional>
#include <string>

#include "Unit28.h"
#include "platform/DrawingSurface.h"
#include "core/number/Errors.h"
#include "core/number/NumberParse.h"
#include "platform/PacedPen.h"
#include "core/plot/Axes.h"
#include "core/plot/CompactTrace.h"
#include "core/plot/InfoBoxTexts.h"

namespace Unit28 {

std::int32_t ox, oy, l1, l2, lx, ly, xn, yn;
double m;
double a, b, c;
std::int32_t fxnum;
std::vector<TCoefRec> reco;
std::vector<bool> recoFailureShown;

void setDefaultGeometry()
{
    const plot::PlotGeometry defaults;
    ox = defaults.ox, oy = defaults.oy, l1 = defaults.l1, l2 = defaults.l2;
    lx = defaults.lx, ly = defaults.ly, xn = defaults.xn, yn = defaults.yn;
}

plot::PlotGeometry geometry()
{
    return {ox, oy, l1, l2, lx, ly, xn, yn};
}

std::int64_t cl45(int roundMode, long double value)
{
    return plot::cl45(roundMode, value);
}

void paintxy()
{
    plot::drawAxes(geometry(), *Form28->Canvas);
}

namespace {

std::string decimalSeparator()
{
    return QLocale::system().decimalPoint().toStdString();
}

// A draw request in animation mode lasts about this long, so the user sees
// the curve grow whatever the machine's speed.
constexpr auto kAnimationTime = std::chrono::seconds(1);
constexpr auto kFrameTime = std::chrono::microseconds(16667);

// Sets a caption only when it changes: a replay rewrites the labels once per
// curve, mostly with the texts they already show.
void setCaptionIfChanged(QLabel* label, const QString& text)
{
    if (label->text() != text)
        TForm28::setCaption(label, text);
}

// Writes what the tracings left in the info box.
void showIntersections(TForm28& form, const plot::InfoBoxRewrites& rewrites)
{
    const std::optional<plot::InfoBoxTexts> texts = rewrites.texts(decimalSeparator());
    if (!texts)
        return;
    if (texts->yAxis)
        setCaptionIfChanged(form.Label8, QString::fromStdString(*texts->yAxis));
    setCaptionIfChanged(form.Label6, QString::fromStdString(texts->xAxisFirst));
    setCaptionIfChanged(form.Label7, QString::fromStdString(texts->xAxisSecond));
}

// Traces a curve straight onto the canvas, skipping whatever cannot change
// its pixels; the info box is left alone.
plot::TraceOutcome traceOnCanvas(const TCoefRec& curve, double speed)
{
    platform::DrawingSurface& canvas = *Form28->Canvas;
    m = speed;
    const plot::PixelBox visible{0, 0, canvas.image().width(), canvas.image().height()};
    return plot::traceCurveCompact(curve.a, curve.b, curve.c, m, geometry(), visible, canvas);
}

// A draw request at the fine step, watched as it grows: every point goes
// through the pacing pen, and the info box changes as the original steps go.
void drawWatched(double a, double b, double c, double speed)
{
    TForm28& form = *Form28;
    platform::DrawingSurface& canvas = *form.Canvas;
    m = speed;
    TForm28::setCaption(form.Label6, QString());
    TForm28::setCaption(form.Label7, QString());
    const std::string separator = decimalSeparator();
    const auto showYIntercept = [&](double ty) {
        TForm28::setCaption(form.Label8, QString::fromStdString(plot::yAxisText(ty, separator)));
    };
    platform::PacedPen paced(
        canvas, [&canvas] { canvas.presentNow(); }, platform::expectedTracePoints(xn, m), kAnimationTime,
        kFrameTime);
    plot::traceCurve(a, b, c, m, geometry(), paced, showYIntercept);

    const plot::XAxisTexts roots = plot::xAxisTexts(a, b, c, separator);
    TForm28::setCaption(form.Label6, QString::fromStdString(roots.first));
    if (!roots.second.empty())
        TForm28::setCaption(form.Label7, QString::fromStdString(roots.second));
}

}  // namespace

void drawfx(double a, double b, double c, double speed)
{
    // A repaint is double-buffered and shows only its end result, so only a
    // draw request at the fine step is watched.
    if (speed == fineStep && !Form28->Canvas->isPainting()) {
        drawWatched(a, b, c, speed);
        return;
    }
    const plot::TraceOutcome outcome = traceOnCanvas({a, b, c}, speed);
    plot::InfoBoxRewrites rewrites;
    rewrites.traced(a, b, c, outcome);
    showIntersections(*Form28, rewrites);
    if (outcome.failed)
        throw core::InvalidFloatOpError();
}

namespace {

// Replays the stored curves as drawfx would, one after the other. Each would
// rewrite the info box; since nothing shows before the paint ends, the box is
// written once, with the texts the last rewrite of each label would leave.
// Returns the failure to report, if a curve failed that had not been
// reported before.
std::optional<std::string> replayStoredCurves(double step)
{
    std::optional<std::string> newFailure;
    plot::InfoBoxRewrites rewrites;
    const std::int32_t count = fxnum;
    for (std::int32_t i = 0; i < count; ++i) {
        const TCoefRec& curve = reco[std::size_t(i)];
        const plot::TraceOutcome outcome = traceOnCanvas(curve, step);
        rewrites.traced(curve.a, curve.b, curve.c, outcome);
        if (outcome.failed) {
            if (!recoFailureShown[std::size_t(i)] && !newFailure)
                newFailure = core::InvalidFloatOpError().what();
            recoFailureShown[std::size_t(i)] = true;
        }
    }
    showIntersections(*Form28, rewrites);
    return newFailure;
}

}  // namespace

}  // namespace Unit28

namespace {

// An empty field reads as 0; any other text must be a number.
double readCoefficient(const QLineEdit* field, const std::string& separator)
{
    const QString text = field->text();
    return text.isEmpty() ? 0.0 : core::parseFloatField(text.toStdString(), separator);
}

// Shows a caption for as long as it lives, then restores the previous one,
// however the scope ends.
class TemporaryCaption {
public:
    TemporaryCaption(QWidget* window, const QString& caption) : window_(window), saved_(window->windowTitle())
    {
        window_->setWindowTitle(caption);
    }
    ~TemporaryCaption() { window_->setWindowTitle(saved_); }
    TemporaryCaption(const TemporaryCaption&) = delete;
    TemporaryCaption& operator=(const TemporaryCaption&) = delete;

private:
    QWidget* window_;
    QString saved_;
};

}  // namespace

void TForm28::Button1Click()
{
    using namespace Unit28;
    const std::string separator = decimalSeparator();
    a = readCoefficient(Edit1, separator);
    b = readCoefficient(Edit2, separator);
    c = readCoefficient(Edit3, separator);
    const double step = CheckBox1->isChecked() ? fineStep : normalStep;
    if (Edit1->text().isEmpty() && Edit2->text().isEmpty() && Edit3->text().isEmpty())
        return;

    const std::size_t slot = std::size_t(fxnum);
    if (reco.size() <= slot) {
        reco.resize(slot + 1);
        recoFailureShown.resize(slot + 1);
    }
    reco[slot] = {a, b, c};
    recoFailureShown[slot] = false;
    ++fxnum;
    try {
        drawfx(a, b, c, step);
    } catch (const core::AppError&) {
        recoFailureShown[slot] = true;  // reported now, by the error box
        throw;
    }
}

void TForm28::FormPaint()
{
    using namespace Unit28;
    if (!CheckBox2->isChecked()) {
        paintxy();
        return;
    }
    // A stored curve whose tracing fails is traced as far as it goes and the
    // replay goes on; a failure is reported once, at the end of the repaint,
    // and only if it was not reported before.
    std::optional<std::string> newFailure;
    {
        TemporaryCaption caption(this, QString::fromUtf8("重整中……"));
        paintxy();
        newFailure = replayStoredCurves(CheckBox1->isChecked() ? fineStep : normalStep);
    }
    if (newFailure)
        throw core::AppError(*newFailure);
}

void TForm28::Button2Click()
{
    Unit28::fxnum = 0;
    // Flashing the eraser panel invalidates the drawing area under it, which
    // the next paint cycle erases and redraws (axes only, now).
    Panel4->show();
    Panel4->hide();
    setCaption(Label6, QString());
    setCaption(Label7, QString());
    setCaption(Label8, QString());
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    Edit1->setFocus();
}
