// The plotting routines and the plot handlers: axes, tracing one curve into
// the canvas and the info box, draw requests, the stored curves, repaint and
// clear.

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <optional>
#include <string>

#include "Unit28.h"
#include "Unit28Step.h"
#include "core/number/NumberParse.h"
#include "core/plot/Axes.h"
#include "core/plot/Graph.h"
#include "core/plot/InfoBoxTexts.h"
#include "core/raster/CurveStrokes.h"
#include "platform/Application.h"
#include "platform/DrawingSurface.h"
#include "platform/InputHold.h"
#include "platform/PacedPen.h"

namespace Unit28 {

std::int32_t ox, oy, l1, l2, lx, ly, xn, yn;
double m;
double a, b, c;
model::StoredCurves storedCurves;
plot::CurveTable& reco = storedCurves.table();
const std::int32_t& fxnum = reco.count();

namespace {
// The pixels the stored curves ink, for replaying them at repaints.
core::CurveStrokes recoStrokes;
}  // namespace

double currentStep()
{
    return Form28->CheckBox1->isChecked() ? fineStep : normalStep;
}

void setDefaultGeometry()
{
    const plot::PlotGeometry defaults;
    ox = defaults.ox, oy = defaults.oy, l1 = defaults.l1, l2 = defaults.l2;
    lx = defaults.lx, ly = defaults.ly, xn = defaults.xn, yn = defaults.yn;
    reco.setGeometry(geometry());
}

plot::PlotGeometry geometry()
{
    return {ox, oy, l1, l2, lx, ly, xn, yn};
}

core::Expected<std::int64_t> cl45(int roundMode, const core::Extended& value)
{
    return plot::cl45(roundMode, value);
}

void paintxy()
{
    plot::drawAxes(geometry(), Form28->Canvas->canvas());
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

// Traces are kept for the reach a picture of the graph needs, so the window
// and the pictures share them.
plot::PixelBox traceReach(const core::RetainedCanvas& canvas)
{
    return plot::graphReach(canvas.width(), canvas.height());
}

// Sets a caption only when it changes: a replay rewrites the labels once per
// curve, mostly with the texts they already show.
void setCaptionIfChanged(QLabel* label, const QString& text)
{
    if (label->text() != text)
        TForm28::setCaption(label, text);
}

// Writes what the tracings left in the info box.
void showIntersections(TForm28& form, const plot::InfoBoxTexts& texts)
{
    if (texts.yAxis)
        setCaptionIfChanged(form.Label8, QString::fromStdString(*texts.yAxis));
    setCaptionIfChanged(form.Label6, QString::fromStdString(texts.xAxisFirst));
    setCaptionIfChanged(form.Label7, QString::fromStdString(texts.xAxisSecond));
}

// The canvas, with the y-axis label written the moment the tracing reaches
// x = 0, as the user watches it grow.
class CanvasWithYAxisLabel : public plot::SegmentSink {
public:
    explicit CanvasWithYAxisLabel(core::RetainedCanvas& canvas) : canvas_(canvas) {}
    void moveTo(std::int64_t x, std::int64_t y) override { canvas_.moveTo(x, y); }
    void lineTo(std::int64_t x, std::int64_t y) override { canvas_.lineTo(x, y); }
    void reachedYAxis(double ordinate) override
    {
        TForm28::setCaption(Form28->Label8, QString::fromStdString(plot::yAxisText(ordinate, decimalSeparator())));
    }

private:
    core::RetainedCanvas& canvas_;
};

// A draw request at the fine step, watched as it grows: every point goes
// through the pacing pen, and the info box changes as the tracing goes.
core::Status drawWatched(const plot::Coefficients& curve)
{
    TForm28& form = *Form28;
    platform::DrawingSurface& surface = *form.Canvas;
    TForm28::setCaption(form.Label6, QString());
    TForm28::setCaption(form.Label7, QString());
    CanvasWithYAxisLabel canvas(surface.canvas());
    plot::TraceResult result;
    {
        // Esc (while the settings panel is hidden) and a click on the drawing
        // area finish the curve at once; other input waits for its end.
        platform::InputHold hold([&form, &surface](QObject* receiver, QEvent* event) {
            if (event->type() == QEvent::KeyPress)
                return static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && form.Panel2->isHidden();
            return event->type() == QEvent::MouseButtonPress && receiver == &surface;
        });
        surface.holdPaintCycles(true);
        platform::PacedPen paced(
            canvas, [&surface] { surface.presentNow(); }, platform::expectedTracePoints(xn, m), kAnimationTime,
            kFrameTime, [&hold, &form] { return hold.finishRequested() || form.isClosing(); });
        result = reco.traceCurve(curve, m, paced, plot::TraceMode::everyPoint());
        surface.holdPaintCycles(false);
        if (form.isClosing())
            hold.discard();
    }
    if (result.failed)
        return result.status();
    const plot::InfoBoxTexts texts = plot::infoBoxTextsOf(curve, result, decimalSeparator());
    TForm28::setCaption(form.Label6, QString::fromStdString(texts.xAxisFirst));
    if (!texts.xAxisSecond.empty())
        TForm28::setCaption(form.Label7, QString::fromStdString(texts.xAxisSecond));
    return {};
}

}  // namespace

core::Status drawfx(double a, double b, double c, double speed)
{
    m = speed;
    const plot::Coefficients curve{a, b, c};
    // A repaint is double-buffered and shows only its end result, so only a
    // draw request at the fine step is watched.
    if (speed == fineStep && !Form28->Canvas->isPainting())
        return drawWatched(curve);
    core::RetainedCanvas& canvas = Form28->Canvas->canvas();
    // The curve a draw request has just stored is traced into its kept
    // trace and played onto the canvas: the repaints that follow replay it.
    if (fxnum > 0 && reco[std::size_t(fxnum) - 1] == curve)
        return drawStoredCurve(std::size_t(fxnum) - 1, speed);
    const plot::TraceResult result = reco.traceCurve(curve, m, canvas, plot::TraceMode::compact(traceReach(canvas)));
    showIntersections(*Form28, plot::infoBoxTextsOf(curve, result, decimalSeparator()));
    return result.status();
}

core::Status drawStoredCurve(std::size_t index, double step)
{
    m = step;
    core::RetainedCanvas& canvas = Form28->Canvas->canvas();
    const plot::RecordedTrace& trace = reco.trace(index, m, traceReach(canvas));
    trace.replay(canvas);
    showIntersections(*Form28, storedCurves.facts(index, m).infoBox);
    return trace.result.status();
}

namespace {

// The stored curves replayed onto the canvas as drawfx would draw them, one
// after the other. All are drawn with the same pen, so their pixels are
// inked at once from the strokes they are known to ink. The failures of
// their tracings are gathered as they go by: a failure is reported once.
class StoredCurvesOnCanvas : public plot::GraphSink {
public:
    StoredCurvesOnCanvas(core::RetainedCanvas& canvas, double step) : canvas_(canvas), step_(step) {}
    void moveTo(std::int64_t x, std::int64_t y) override { canvas_.moveTo(x, y); }
    void lineTo(std::int64_t x, std::int64_t y) override { canvas_.lineTo(x, y); }
    bool takeStoredCurve(std::size_t index, const plot::RecordedTrace& trace) override
    {
        if (trace.result.failed) {
            if (!reco.failureShown(index) && !newFailure)
                newFailure = trace.result.status();
            reco.setFailureShown(index, true);
        }
        return true;
    }
    void curvesDone() override
    {
        const core::PixelSurface& strokes =
            recoStrokes.update(reco, step_, canvas_.width(), canvas_.height(), traceReach(canvas_));
        canvas_.inkStrokes(strokes, recoStrokes.inkedBounds());
    }

    core::Status newFailure;  // of a curve whose failure had not been reported before

private:
    core::RetainedCanvas& canvas_;
    double step_;
};

// Replays the stored curves (the curves half of plot::drawGraph). Each would
// rewrite the info box; since nothing shows before the paint ends, the box is
// written once, with the texts the last rewrite of each label would leave.
// Returns the failure to report, if a curve failed that had not been
// reported before.
core::Status replayStoredCurves(double step)
{
    m = step;
    core::RetainedCanvas& canvas = Form28->Canvas->canvas();
    StoredCurvesOnCanvas onCanvas(canvas, step);
    (void)plot::drawCurves(reco, step, canvas.width(), canvas.height(), onCanvas);
    if (const std::optional<plot::InfoBoxTexts> texts = storedCurves.infoBoxAfterAll(step))
        showIntersections(*Form28, *texts);
    return onCanvas.newFailure;
}

}  // namespace

}  // namespace Unit28

namespace {

// An empty field reads as 0; any other text must be a number.
core::Expected<double> readCoefficient(const QLineEdit* field, const std::string& separator)
{
    const QString text = field->text();
    if (text.isEmpty())
        return 0.0;
    return core::parseFloatField(text.toStdString(), separator);
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

core::Status TForm28::Button1Click()
{
    using namespace Unit28;
    const Step historyStep(*this);  // one that draws nothing is not kept
    const std::string separator = decimalSeparator();
    // Each coefficient is kept as soon as it is read, as far as the reading goes.
    for (auto [field, coefficient] : {std::pair{Edit1, &a}, std::pair{Edit2, &b}, std::pair{Edit3, &c}}) {
        const core::Expected<double> value = readCoefficient(field, separator);
        if (!value)
            return value.error();
        *coefficient = *value;
    }
    const double step = CheckBox1->isChecked() ? fineStep : normalStep;
    if (Edit1->text().isEmpty() && Edit2->text().isEmpty() && Edit3->text().isEmpty())
        return {};

    endExploring();
    const std::size_t slot =
        reco.add({a, b, c}, {Edit1->text().toStdString(), Edit2->text().toStdString(), Edit3->text().toStdString()});
    forgetFieldUndo();
    graphChanged();
    const core::Status failure = drawfx(a, b, c, step);
    reco.setFailureShown(slot, failure.has_value());  // reported now, by the error box
    return failure;
}

core::Status TForm28::FormPaint()
{
    using namespace Unit28;
    if (!CheckBox2->isChecked()) {
        paintxy();
        return {};
    }
    // A stored curve whose tracing fails is traced as far as it goes and the
    // replay goes on; a failure is reported once, after the repaint, and only
    // if it was not reported before.
    TemporaryCaption caption(this, QString::fromUtf8("重整中……"));
    paintxy();
    return replayStoredCurves(currentStep());
}

void TForm28::Button2Click()
{
    {
        Step historyStep(*this);
        endExploring();
        historyStep.removeCurves();
        // Flashing the eraser panel invalidates the drawing area under it, which
        // the next paint cycle erases and redraws (axes only, now).
        Panel4->show();
        Panel4->hide();
        setCaption(Label6, QString());
        setCaption(Label7, QString());
        setCaption(Label8, QString());
        // Emptied with their own undo history: Ctrl+Z now undoes the clear.
        Edit1->setText(QString());
        Edit2->setText(QString());
        Edit3->setText(QString());
        Edit1->setFocus();
        graphChanged();
        // The erase belongs to the step: it is done now, not at the next turn
        // of the event loop.
        platform::guarded([this] { return Canvas->paintPendingArea(); });
    }
    // The curves' traces are gone (the step keeps the curves alone); so is
    // their memory.
    platform::releaseFreedMemory();
}
