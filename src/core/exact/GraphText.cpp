#include "core/exact/GraphText.h"

#include "core/plot/Graph.h"
#include "core/plot/InfoBoxTexts.h"

namespace exact {

std::vector<CurveTexts> storedCurveTexts(plot::CurveTable& table, double step, int width, int height,
                                         std::string_view decimalSeparator)
{
    std::vector<CurveTexts> curves;
    const plot::PixelBox reach = plot::graphReach(width, height);
    for (std::size_t i = 0, count = std::size_t(table.count()); i < count; ++i) {
        plot::InfoBoxRewrites rewrites;
        rewrites.traced(table[i], table.trace(i, step, reach).result);
        CurveTexts curve{table.fieldTexts(i), {}, {}, {}};
        if (const std::optional<plot::InfoBoxTexts> texts = rewrites.texts(decimalSeparator)) {
            curve.xAxisFirst = texts->xAxisFirst;
            curve.xAxisSecond = texts->xAxisSecond;
            curve.yAxis = texts->yAxis.value_or(std::string());
        }
        curves.push_back(std::move(curve));
    }
    return curves;
}

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
