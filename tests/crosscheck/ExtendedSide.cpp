// One side of the cross-check: the program's arithmetic in whichever
// extended type this compilation selects (see ExtendedSides.h).

#include "ExtendedSides.h"

#include <algorithm>

#include "core/number/NumberParse.h"
#include "core/number/NumberText.h"
#include "core/plot/InfoBoxTexts.h"
#include "core/plot/Trace.h"
#include "core/plot/TraceCurve.h"

namespace crosscheck::VELTRANO_EXTENDED_NAMESPACE {

namespace {

class Recorder : public plot::SegmentSink {
public:
    explicit Recorder(TracedCurve& out) : out_(out) {}
    void moveTo(std::int64_t x, std::int64_t y) override { out_.operations.insert(out_.operations.end(), {0, x, y}); }
    void lineTo(std::int64_t x, std::int64_t y) override { out_.operations.insert(out_.operations.end(), {1, x, y}); }
    void reachedYAxis(double ordinate) override { out_.yAxisReports.push_back(ordinate); }

private:
    TracedCurve& out_;
};

// One tracer a geometry, as in the program, so the abscissa tables are reused.
plot::CurveTracer& tracerFor(const plot::PlotGeometry& geometry)
{
    static std::vector<plot::CurveTracer> tracers;
    auto found = std::find_if(tracers.begin(), tracers.end(),
                              [&](const plot::CurveTracer& tracer) { return tracer.geometry() == geometry; });
    if (found == tracers.end()) found = tracers.insert(tracers.end(), plot::CurveTracer(geometry));
    return *found;
}

}  // namespace

TracedCurve trace(const TracingRequest& request)
{
    TracedCurve out;
    Recorder recorder(out);
    const plot::TraceMode mode = request.compactReach ? plot::TraceMode::compact(*request.compactReach)
                                                      : plot::TraceMode::everyPoint();
    const plot::TraceResult result = tracerFor(request.geometry).trace(request.curve, request.step, recorder, mode);
    out.pointsTraced = result.pointsTraced;
    out.failed = result.failed;
    out.yIntercept = result.yIntercept;

    for (const char* separator : {".", ","}) {
        const plot::InfoBoxTexts texts = plot::infoBoxTextsOf(request.curve, result, separator);
        out.labels.insert(out.labels.end(), {texts.xAxisFirst, texts.xAxisSecond, texts.yAxis.value_or("(none)")});
    }
    return out;
}

long double operate(Operation operation, long double x, long double y)
{
    const core::Extended a = x, b = y;
    switch (operation) {
    case Operation::Add: return static_cast<long double>(a + b);
    case Operation::Subtract: return static_cast<long double>(a - b);
    case Operation::Multiply: return static_cast<long double>(a * b);
    case Operation::Divide: return static_cast<long double>(a / b);
    case Operation::SquareRoot: return static_cast<long double>(core::sqrt(a));
    case Operation::ToDouble: return static_cast<double>(a);
    }
    return 0;
}

std::vector<std::optional<std::int64_t>> roundings(long double x)
{
    std::vector<std::optional<std::int64_t>> out;
    for (int mode = 0; mode < 4; ++mode) {
        const core::Expected<std::int64_t> rounded = plot::cl45(mode, x);
        out.push_back(rounded ? std::optional<std::int64_t>(*rounded) : std::nullopt);
    }
    return out;
}

std::string text(long double x, const std::string& separator) { return core::formatGeneral15(x, separator); }

core::Expected<double> parse(const std::string& text, const std::string& separator)
{
    return core::parseFloatField(text, separator);
}

}  // namespace crosscheck::VELTRANO_EXTENDED_NAMESPACE
