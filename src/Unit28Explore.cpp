// Exploring the graph: the coordinates under the pointer and the curve it
// snaps to, a click that pins a curve, the trace point the keys move along
// the chosen curve, the marks at its points of interest, the ticks' values,
// and every step handed to screen readers as a move of the focus. All of it
// is an overlay or an accessible object: nothing is drawn into the canvas.

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <array>
#include <cmath>

#include "Unit28.h"
#include "core/explore/CurvePixels.h"
#include "core/explore/GraphReading.h"
#include "core/explore/OwnerImage.h"
#include "core/explore/TracePoint.h"
#include "core/number/NumberParse.h"
#include "core/plot/Trace.h"
#include "platform/Application.h"
#include "platform/DrawingSurface.h"
#include "platform/ExplorerOverlay.h"

namespace {

// The accessible objects that take turns to stand for the trace point. A
// screen reader that falls behind quick keys reads the focus once it catches
// up, and says nothing if that is the object it spoke last: with two, every
// second quick step would be lost.
constexpr int kTraceItems = 8;

// The highlights of the curves highlighted last: the pointer goes back and
// forth between neighbours.
struct KeptHighlight {
    std::size_t curve;
    std::vector<QRect> runs;  // device pixels
    std::uint64_t key;        // new for every highlight made
};

class KeptHighlights {
public:
    // Each drawn pixel of the curve painted over 2 pixels wide, at the
    // drawing area's frame scale.
    const KeptHighlight& of(std::size_t curve, const plot::RecordedTrace& trace, const platform::DrawingSurface& area)
    {
        constexpr std::size_t kKept = 16;
        const int scale = area.frameScale();
        const std::uint64_t generation = Unit28::reco.generation() ^ (std::uint64_t(area.width()) << 32) ^
                                         (std::uint64_t(area.height()) << 8) ^ std::uint64_t(scale) ^
                                         (std::uint64_t(Unit28::currentStep() == Unit28::fineStep) << 63);
        if (generation_ != generation) {
            kept_.clear();
            generation_ = generation;
        }
        for (const KeptHighlight& kept : kept_)
            if (kept.curve == curve)
                return kept;
        std::vector<QRect> runs;
        // The pen is `scale` device pixels wide; widened by as much again.
        for (const explore::PixelRun& run : pixels_.runsOf(trace, area.width(), area.height(), scale))
            runs.push_back(QRect(run.left, run.y, run.right - run.left + scale, scale + 1));
        if (kept_.size() == kKept)
            kept_.erase(kept_.begin());
        kept_.push_back({curve, std::move(runs), ++keys_});
        return kept_.back();
    }

private:
    explore::CurvePixels pixels_;
    std::vector<KeptHighlight> kept_;
    std::uint64_t generation_ = 0;
    std::uint64_t keys_ = 0;
};

}  // namespace

struct TForm28::Exploration {
    explicit Exploration(QWidget* surface) : overlay(surface) {}

    explore::OwnerImage owners;
    std::optional<QPoint> pointer;      // over the drawing area
    std::optional<std::size_t> under;   // the curve the pointer is on
    std::optional<double> traceX;       // the trace point on the chosen curve
    std::string traceExact;             // the exact value at a typed abscissa
    QString typed;                      // an abscissa being typed
    // The objects standing for the trace point take turns, so that every
    // move is a move of the focus that a screen reader speaks.
    int traceItem = 0;
    std::array<QString, kTraceItems> traceSpoken;
    bool spoken = false;  // words were said through the items since exploring began
    platform::ExplorerOverlay overlay;
    KeptHighlights highlights;
};

namespace {

std::string separator()
{
    return Unit28::storedCurves.decimalSeparator();
}

const model::CurveFacts& factsOf(std::size_t index)
{
    return Unit28::storedCurves.facts(index, Unit28::currentStep());
}

core::PixelRect toPixelRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
}

// The pixel under a pointer position in client coordinates (fractional on
// scaled screens).
QPoint pixelAt(const QPointF& position)
{
    return QPoint(int(std::floor(position.x())), int(std::floor(position.y())));
}

}  // namespace

void TForm28::ExplorationEnd::operator()(Exploration* exploration) const
{
    delete exploration;
}

void TForm28::wireExploring()
{
    exploration_.reset(new Exploration(Canvas));
    Canvas->setOverlay(&exploration_->overlay);
    Canvas->setMouseTracking(true);
    connect(Canvas, &platform::DrawingSurface::pointerOverChild, this, [this] { pointerLeftGraph(); });
    Canvas->setAccessibleItems(
        {[this] { return Unit28::fxnum + (exploration_->traceX || exploration_->spoken ? kTraceItems : 0); },
         [this](int index) { return accessibleItemName(index); }});
}

// The drawing area's rectangle below the top bar: where the overlay stays.
QRect TForm28::exploredArea() const
{
    const int top = Panel1->geometry().bottom() + 1;
    return QRect(0, top, Canvas->width(), std::max(0, Canvas->height() - top));
}

QString TForm28::accessibleItemName(int index) const
{
    const std::size_t count = std::size_t(Unit28::fxnum);
    // The same words as the drawing area's description of that curve.
    if (index >= 0 && std::size_t(index) < count)
        return curveDescription(std::size_t(index));
    const int trace = index - int(count);
    return trace >= 0 && trace < kTraceItems ? exploration_->traceSpoken[std::size_t(trace)] : QString();
}

std::optional<std::size_t> TForm28::highlightedCurve() const
{
    if (exploration_->under)
        return exploration_->under;
    if (selectedCurve_ != kWholeGraph && selectedCurve_ < std::size_t(Unit28::fxnum))
        return selectedCurve_;
    return std::nullopt;
}

std::optional<std::size_t> TForm28::curveNear(const QPoint& pixel)
{
    Exploration& state = *exploration_;
    if (Unit28::fxnum == 0)
        return std::nullopt;
    state.owners.update(Unit28::reco, Unit28::currentStep(), Canvas->width(), Canvas->height(),
                        plot::graphReach(Canvas->width(), Canvas->height()));
    return state.owners.nearestCurve(pixel.x(), pixel.y());
}

void TForm28::refreshOverlay()
{
    Exploration& state = *exploration_;
    const plot::PlotGeometry geometry = Unit28::geometry();
    const std::string sep = separator();
    platform::OverlayScene scene;
    scene.area = exploredArea();
    for (QWidget* control : std::initializer_list<QWidget*>{Panel2, Panel3, Button2})
        if (control->isVisible())
            scene.controls.push_back(control->geometry());
    const auto inArea = [&scene](const std::optional<plot::PixelPoint>& pixel) {
        return pixel && scene.area.contains(QPoint(int(std::clamp<std::int64_t>(pixel->x, -1, 1 << 20)),
                                                   int(std::clamp<std::int64_t>(pixel->y, -1, 1 << 20))));
    };

    if (const std::optional<std::size_t> curve = highlightedCurve()) {
        const plot::RecordedTrace& trace =
            Unit28::reco.trace(*curve, Unit28::currentStep(), plot::graphReach(Canvas->width(), Canvas->height()));
        const KeptHighlight& kept = state.highlights.of(*curve, trace, *Canvas);
        scene.highlightKey = kept.key;
        scene.highlight = kept.runs;
        scene.highlightScale = Canvas->frameScale();
        for (const model::PointOfInterest& point : factsOf(*curve).points)
            if (inArea(point.pixel))
                scene.marks.push_back({QPoint(int(point.pixel->x), int(point.pixel->y)),
                                       QString::fromStdString(explore::markLabel(point, sep))});
    }

    if (state.pointer) {
        scene.pointer = state.pointer;
        if (state.under) {
            const model::CurveFacts& facts = factsOf(*state.under);
            const explore::GraphPoint point = explore::snappedPoint(geometry, facts.curve, state.pointer->x());
            scene.pointerText = QString::fromStdString(explore::snappedText(facts.formula, point, sep));
            const std::optional<plot::PixelPoint> pixel = plot::pixelOf(geometry, point.x, point.y);
            if (inArea(pixel))
                scene.dot = QPoint(int(pixel->x), int(pixel->y));
        } else {
            scene.pointerText = QString::fromStdString(
                explore::pointText(explore::pointUnder(geometry, state.pointer->x(), state.pointer->y()), sep));
        }
    }

    if (state.traceX && selectedCurve_ < std::size_t(Unit28::fxnum)) {
        const plot::Coefficients& curve = Unit28::reco[selectedCurve_];
        scene.trace = explore::traceMarker(curve, *state.traceX, geometry, toPixelRect(scene.area));
        scene.traceText = QString::fromStdString(explore::traceCoordinates(factsOf(selectedCurve_), *state.traceX, sep));
    }
    if (selectedCurve_ < std::size_t(Unit28::fxnum) && !state.typed.isEmpty()) {
        // The abscissa being typed shows where the trace point is, or would start.
        if (!scene.trace)
            scene.trace = explore::traceMarker(Unit28::reco[selectedCurve_], 0.0, geometry, toPixelRect(scene.area));
        scene.traceText = QString::fromUtf8("x=") + state.typed + QString::fromUtf8("▏");
    }

    scene.tickLabels = state.pointer.has_value() || Canvas->hasFocus();
    if (scene.tickLabels) {
        scene.origin = QPoint(geometry.ox, geometry.oy);
        scene.ticks = explore::tickLabels(geometry);
    }
    const QRegion dirty = state.overlay.setScene(std::move(scene));
    if (!dirty.isEmpty())
        Canvas->update(dirty);
}

void TForm28::pointerLeftGraph()
{
    Exploration& state = *exploration_;
    if (!state.pointer && !state.under)
        return;
    state.pointer.reset();
    state.under.reset();
    refreshOverlay();
}

// A draw request, a clear or an animation: the overlay goes, and so does a
// pinned or chosen curve with its trace point.
void TForm28::endExploring()
{
    if (!exploration_)
        return;
    Exploration& state = *exploration_;
    state.pointer.reset();
    state.under.reset();
    state.traceX.reset();
    state.traceExact.clear();
    state.typed.clear();
    state.spoken = false;
    selectedCurve_ = kWholeGraph;
    if (Canvas->focusedAccessibleItem() >= 0)
        Canvas->focusAccessibleItem(-1);
    state.overlay.setScene({});
    Canvas->update();
}

// The mouse and the focus on the drawing area. Returns true where the event
// is used up.
bool TForm28::explorePointerEvent(QEvent* event)
{
    Exploration& state = *exploration_;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QPoint pixel = pixelAt(static_cast<QMouseEvent*>(event)->position());
        state.pointer = pixel;
        state.under = curveNear(pixel);
        refreshOverlay();
        return false;
    }
    case QEvent::Leave:
        pointerLeftGraph();
        return false;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        // A click pins the curve under the pointer; on empty space it unpins.
        const std::optional<std::size_t> curve = curveNear(pixelAt(mouse->position()));
        chooseCurve(curve.value_or(kWholeGraph));
        return true;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        refreshOverlay();
        return false;
    default:
        return false;
    }
}

void TForm28::chooseCurve(std::size_t curve)
{
    Exploration& state = *exploration_;
    selectedCurve_ = curve < std::size_t(Unit28::fxnum) ? curve : kWholeGraph;
    state.traceX.reset();
    state.traceExact.clear();
    state.typed.clear();
    describeCanvas();
    refreshOverlay();
    Canvas->focusAccessibleItem(selectedCurve_ == kWholeGraph ? -1 : int(selectedCurve_));
}

void TForm28::moveTracePoint(double x, std::string exactValue)
{
    Exploration& state = *exploration_;
    state.traceX = x;
    state.traceExact = std::move(exactValue);
    state.typed.clear();
    const std::string spoken = explore::traceSpeech(factsOf(selectedCurve_), x, Unit28::geometry(),
                                                    toPixelRect(exploredArea()), separator(), state.traceExact);
    refreshOverlay();
    say(QString::fromStdString(spoken));
}

// Words for the screen reader: the focus moves to the next of the items that
// take turns, named with them.
void TForm28::say(const QString& text)
{
    Exploration& state = *exploration_;
    state.traceItem = (state.traceItem + 1) % kTraceItems;
    // Never the item focused last: with fewer curves (an undo) the next item
    // can be that very object, and a screen reader says nothing of a focus
    // that did not move.
    if (Unit28::fxnum + state.traceItem == lastSpokenItem_)
        state.traceItem = (state.traceItem + 1) % kTraceItems;
    lastSpokenItem_ = Unit28::fxnum + state.traceItem;
    state.traceSpoken[std::size_t(state.traceItem)] = text;
    state.spoken = true;
    Canvas->focusAccessibleItem(Unit28::fxnum + state.traceItem);
}

// The keys that explore the chosen curve (Up and Down, which choose it, are
// in canvasKeyPressed). Returns true where the key is used up.
bool TForm28::exploreKeyPressed(QKeyEvent* event)
{
    Exploration& state = *exploration_;
    const bool chosen = selectedCurve_ < std::size_t(Unit28::fxnum);
    if (event->key() == Qt::Key_Escape) {
        // Esc closes the settings panel while it is shown, as ever.
        if (Panel2->isVisible())
            return false;
        if (!state.typed.isEmpty()) {
            state.typed.clear();
            refreshOverlay();
        } else {
            chooseCurve(kWholeGraph);
        }
        return true;
    }
    if (!chosen)
        return false;

    const bool shift = event->modifiers() & Qt::ShiftModifier;
    std::optional<explore::TraceMove> move;
    switch (event->key()) {
    case Qt::Key_Left:
        move = shift ? explore::TraceMove::UnitLeft : explore::TraceMove::Left;
        break;
    case Qt::Key_Right:
        move = shift ? explore::TraceMove::UnitRight : explore::TraceMove::Right;
        break;
    case Qt::Key_Home:
        move = explore::TraceMove::Home;
        break;
    case Qt::Key_End:
        move = explore::TraceMove::End;
        break;
    case Qt::Key_PageUp:
        move = explore::TraceMove::PreviousPoint;
        break;
    case Qt::Key_PageDown:
        move = explore::TraceMove::NextPoint;
        break;
    default:
        break;
    }
    if (move) {
        moveTracePoint(explore::movedAbscissa(state.traceX, *move, Unit28::geometry(), factsOf(selectedCurve_).points));
        // A step along the curve is heard as a short tone at its height too.
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)
            playTraceTone(*state.traceX, plot::ordinateAt(factsOf(selectedCurve_).curve, *state.traceX));
        return true;
    }

    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !state.typed.isEmpty()) {
        platform::guarded([this, &state]() -> core::Status {
            const std::string typed = state.typed.toStdString();
            const core::Expected<double> x = core::parseFloatField(typed, separator());
            if (!x)
                return x.error();
            moveTracePoint(*x, exact::exactValueAt(factsOf(selectedCurve_).fields, typed, separator()));
            return {};
        });
        return true;
    }
    if (event->key() == Qt::Key_Backspace && !state.typed.isEmpty()) {
        state.typed.chop(1);
        refreshOverlay();
        return true;
    }
    // The fields' own syntax: digits, the decimal separator, signs, an exponent, spaces.
    const QString text = event->text();
    const QString decimalSeparator = QString::fromStdString(separator());
    if (text.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
        (text[0].isDigit() || QStringLiteral("+-eE ").contains(text[0]) || text == decimalSeparator)) {
        state.typed += text;
        refreshOverlay();
        return true;
    }
    return false;
}

// With a curve under the pointer, the drawing area's menu copies the point
// on it: "(x,y)" in the info box's number text.
QAction* TForm28::addCopyPointAction(QMenu& menu, const QPoint& position)
{
    const QPoint pixel = pixelAt(QPointF(position));
    const std::optional<std::size_t> curve = curveNear(pixel);
    if (!curve)
        return nullptr;
    const explore::GraphPoint point = explore::snappedPoint(Unit28::geometry(), Unit28::reco[*curve], pixel.x());
    const QString text = QString::fromStdString(explore::pointText(point, separator()));
    QAction* action = menu.addAction(QString::fromUtf8("复制坐标"));
    action->setObjectName("CopyPoint");
    connect(action, &QAction::triggered, this, [text] { QApplication::clipboard()->setText(text); });
    return action;
}
