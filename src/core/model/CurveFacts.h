#pragma once
// Everything the program says about one stored curve besides its pixels: the
// info box's texts its tracing leaves, its exact forms, and its points of
// interest. Worked out in one place, from the curve, the texts it was typed
// as and the result of its tracing; every view reads them from here.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/exact/ExactForms.h"
#include "core/exact/Explanation.h"
#include "core/plot/CurveTable.h"
#include "core/plot/InfoBoxTexts.h"

namespace model {

struct PointOfInterest {
    enum class Kind { Vertex, XIntercept, YIntercept };
    Kind kind = Kind::Vertex;
    double x = 0, y = 0;  // as the tracing's arithmetic gives them
    std::string exact;     // "(3/2,-5/4)"; empty where there is no short exact form
    std::string decimals;  // "(1.5,-1.25)", in the info box's number text
    // Where the tracing puts it; none beyond the 64-bit plane.
    std::optional<plot::PixelPoint> pixel;

    // "顶点", "与x轴交点", "与y轴交点".
    std::string_view name() const;
    // What a screen reader says of it: "顶点 (3/2,-5/4)", "与x轴交点 (2.61803398874989,0)".
    std::string spoken() const;
};

struct CurveFacts {
    plot::Coefficients curve;
    plot::FieldTexts fields;
    exact::Tracing tracing = exact::Tracing::Whole;
    plot::InfoBoxTexts infoBox;              // the labels as its tracing leaves them
    std::optional<exact::ExactForms> forms;  // none where the typed numbers cannot be written exactly
    std::vector<PointOfInterest> points;     // in x order
    std::string formula;                     // "y=x²-3x+1", from the typed coefficients

    // The texts the worked solution, the summary and Copy's text are made of.
    exact::CurveTexts texts() const;
};

CurveFacts factsOf(const plot::Coefficients& curve, const plot::FieldTexts& fields, const plot::TraceResult& result,
                   const plot::PlotGeometry& geometry, std::string_view decimalSeparator);

}  // namespace model
