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

namespace exact {

std::string graphPlainText(const std::vector<CurveTexts>& curves, std::string_view decimalSeparator);

}  // namespace exact
