#include "core/model/CurveFacts.h"

#include <algorithm>

#include "core/number/Concat.h"
#include "core/number/NumberText.h"
#include "core/plot/Trace.h"

namespace model {

using core::concat;

namespace {

std::string pointText(std::string_view x, std::string_view y)
{
    return concat({"(", x, ",", y, ")"});
}

PointOfInterest point(PointOfInterest::Kind kind, double x, double y, std::string exact,
                      const plot::PlotGeometry& geometry, std::string_view separator)
{
    return {kind,
            x,
            y,
            std::move(exact),
            pointText(core::formatGeneral15(x, separator), core::formatGeneral15(y, separator)),
            plot::pixelOf(geometry, x, y)};
}

std::vector<PointOfInterest> pointsOfInterest(const plot::Coefficients& curve,
                                              const std::optional<exact::ExactForms>& forms,
                                              const plot::PlotGeometry& geometry, std::string_view separator)
{
    using Kind = PointOfInterest::Kind;
    std::vector<PointOfInterest> points;
    if (curve.a != 0.0) {
        const double x = plot::vertexAbscissa(curve.a, curve.b);
        points.push_back(point(Kind::Vertex, x, plot::ordinateAt(curve, x), forms ? forms->vertex : std::string(),
                               geometry, separator));
    }
    // The info box gives the root with +√D first; the exact roots come ascending.
    const plot::XAxisRoots roots = plot::xAxisRoots(curve.a, curve.b, curve.c);
    const plot::XAxisTexts labels = plot::xAxisTexts(curve.a, curve.b, curve.c, separator);
    for (std::size_t k = 0; k < roots.roots.size(); ++k) {
        const double x = roots.roots[k];
        const std::size_t rank = roots.roots.size() == 2 && (x > roots.roots[1 - k] || (x == roots.roots[1 - k] && k == 1));
        const bool exactKnown = forms && forms->rootList.size() == roots.roots.size() && !forms->rootList[rank].empty();
        PointOfInterest root =
            point(Kind::XIntercept, x, 0.0, exactKnown ? pointText(forms->rootList[rank], "0") : std::string(), geometry,
                  separator);
        root.decimals = k == 0 ? labels.first : labels.second;
        points.push_back(std::move(root));
    }
    points.push_back(point(Kind::YIntercept, 0.0, plot::ordinateAt(curve, 0.0),
                           forms && !forms->constantTerm.empty() ? pointText("0", forms->constantTerm) : std::string(),
                           geometry, separator));
    std::stable_sort(points.begin(), points.end(),
                     [](const PointOfInterest& left, const PointOfInterest& right) { return left.x < right.x; });
    return points;
}

}  // namespace

std::string_view PointOfInterest::name() const
{
    switch (kind) {
    case Kind::Vertex:
        return "顶点";
    case Kind::XIntercept:
        return "与x轴交点";
    case Kind::YIntercept:
        return "与y轴交点";
    }
    return {};
}

std::string PointOfInterest::spoken() const
{
    // The vertex by its exact form; the intersections as the info box gives them.
    const std::string& where = kind == Kind::Vertex && !exact.empty() ? exact : decimals;
    return concat({name(), " ", where});
}

exact::CurveTexts CurveFacts::texts() const
{
    return {fields, infoBox.xAxisFirst, infoBox.xAxisSecond, infoBox.yAxis.value_or(std::string()), tracing};
}

CurveFacts factsOf(const plot::Coefficients& curve, const plot::FieldTexts& fields, const plot::TraceResult& result,
                   const plot::PlotGeometry& geometry, std::string_view decimalSeparator)
{
    CurveFacts facts;
    facts.curve = curve;
    facts.fields = fields;
    facts.tracing = !result.failed           ? exact::Tracing::Whole
                    : result.pointsTraced > 0 ? exact::Tracing::PartWay
                                              : exact::Tracing::NotAtAll;
    facts.infoBox = plot::infoBoxTextsOf(curve, result, decimalSeparator);
    facts.forms = exact::exactForms(fields, decimalSeparator);
    facts.points = pointsOfInterest(curve, facts.forms, geometry, decimalSeparator);
    facts.formula = exact::formulaText(facts.texts(), decimalSeparator);
    return facts;
}

}  // namespace model
