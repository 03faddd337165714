#pragma once
// The graph as plain text, as Copy puts it on the clipboard and the command
// line prints it: for each stored curve in drawing order, one line with its
// three coefficient texts as typed and the info box's texts for it, separated
// by tabs (an empty text stays an empty column), then that curve's worked
// solution on the lines after it.

#include <string>
#include <string_view>
#include <vector>

#include "core/exact/Explanation.h"
#include "core/plot/CurveTable.h"

namespace exact {

// The texts of each stored curve: its fields, and what the info box shows
// after tracing it at `step` for a drawing area of width × height.
std::vector<CurveTexts> storedCurveTexts(plot::CurveTable& table, double step, int width, int height,
                                         std::string_view decimalSeparator);

std::string graphPlainText(const std::vector<CurveTexts>& curves, std::string_view decimalSeparator);

}  // namespace exact
