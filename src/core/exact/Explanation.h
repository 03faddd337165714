#pragma once
// The words the program adds beside the info box: a worked solution in the
// notation of Chinese textbooks (the info box's tooltip), and the summary of
// the graph that screen readers read out. Qt-free.

#include <string>
#include <string_view>
#include <vector>

#include "core/exact/ExactForms.h"

namespace exact {

// How far a curve's tracing got: the whole way, part of the way (a point
// too far outside stopped it), or not even to its first point.
enum class Tracing { Whole, PartWay, NotAtAll };

// One curve: its field texts as typed, and the info box's texts for it.
struct CurveTexts {
    FieldTexts fields;
    std::string xAxisFirst, xAxisSecond, yAxis;  // "(2.61803398874989,0)", "", "(0,1)"
    Tracing tracing = Tracing::Whole;
};

// "y=x²-3x+1", from the typed coefficients.
std::string formulaText(const CurveTexts& curve, std::string_view decimalSeparator);

// The worked solution, one line each: formula, discriminant, roots with their
// decimals, vertex and axis, y-axis intersection.
std::string workedSolution(const CurveTexts& curve, std::string_view decimalSeparator);

// One curve in one sentence: formula, opening, vertex, intersections.
std::string curveSummary(const CurveTexts& curve, std::string_view decimalSeparator);

// The whole graph: how many curves and each in drawing order.
std::string graphSummary(const std::vector<CurveTexts>& curves, std::string_view decimalSeparator);

}  // namespace exact
