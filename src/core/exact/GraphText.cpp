#include "core/exact/GraphText.h"

namespace exact {

std::string graphPlainText(const std::vector<CurveTexts>& curves, std::string_view decimalSeparator)
{
    std::string text;
    for (const CurveTexts& curve : curves) {
        for (const std::string* column : {&curve.fields[0], &curve.fields[1], &curve.fields[2], &curve.xAxisFirst,
                                          &curve.xAxisSecond}) {
            text += *column;
            text += '\t';
        }
        text += curve.yAxis;
        text += '\n';
        text += workedSolution(curve, decimalSeparator);
        text += "\n\n";
    }
    return text;
}

}  // namespace exact
