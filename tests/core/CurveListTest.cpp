#include "core/io/CurveList.h"

#include <gtest/gtest.h>

#include "core/exact/GraphText.h"

namespace {

std::string lines(std::size_t count, const std::string& line) { std::string text; while (count--) text += line; return text; }

// One row a text: the curves read from it, or the fault (and then no curve).
TEST(CurveList, ReadsCurvesOrTheFirstFaultWithItsLine)
{
    const std::string notThree = "not three fields separated by tabs (a, b and c)";
    const struct { std::string text, separator, message; std::vector<io::TypedCurve> curves = {}; } cases[] = {
        {"", ".", "", {}},
        {"1\t-3\t1", ".", "", {{{"1", "-3", "1"}, {1, -3, 1}}}},
        {"\xEF\xBB\xBF 1 \t\t-2,5e1\r\n\r\n  \n\t\t\n,5\t1e-1\t", ",", "",
         {{{" 1 ", "", "-2,5e1"}, {1, 0, -25}}, {{",5", "1e-1", ""}, {0.5, 0.1, 0}}}},
        {"1\t-3\t1\t(2.6,0)\t(0.38,0)\t(0,1)\ny=x²-3x+1\n\n\t\t\t\t\t\n2\t\t\t\t\t(0,0)\n", ".", "",
         {{{"1", "-3", "1"}, {1, -3, 1}}, {{"2", "", ""}, {2, 0, 0}}}},
        {lines(io::kMaxListedCurves, "1\t\t\n") + "\t\t\n", ".", "", {io::kMaxListedCurves, {{"1", "", ""}, {1, 0, 0}}}},
        {"1\t2\t3\n\n1\t2\t3\t4\n", ".", "line 3: " + notThree},
        {"1\t2\t3\ny=x²+2x+3\n", ".", "line 2: " + notThree},
        {"1\t2\t3\t\t\t(0,3)\ny=x²+2x+3\n1\t2\t3\n", ".",
         "line 3: not a curve's line of copied text (six columns separated by tabs)"},
        {"1\tabc\t3", ".", "line 1, coefficient b: 'abc' is not a valid floating point value"},
        {"1\t2\t1,5\r\n", ".", "line 1, coefficient c: '1,5' is not a valid floating point value"},
        {"1.5\t\t", ",", "line 1, coefficient a: '1.5' is not a valid floating point value"},
        {"1\r\t2\t3", ".", "line 1, coefficient a: '1\r' is not a valid floating point value"},
        {"\t€\t𝟙", ".", "line 1, coefficient b: '€' is not a valid floating point value"},
        {"\t1e400\t", ".", "line 1, coefficient b: Floating point overflow"},
        {"1\t2\t3\n\xEF\xBB\xBF" "1\t2\t3", ".", "line 2, coefficient a: '\xEF\xBB\xBF" "1' is not a valid floating point value"},
        {"1\t2\t3\ny=\xC3(\n", ".", "line 2: not UTF-8 text"},
        {"1\t2\t3\n\n\xC0\xAF", ".", "line 3: not UTF-8 text"},   // overlong
        {"\xED\xA0\x80\t\t", ".", "line 1: not UTF-8 text"},      // a surrogate
        {"\xF4\x90\x80\x80\t\t", ".", "line 1: not UTF-8 text"},  // past U+10FFFF
        {"1\t2\t\xE2\x82", ".", "line 1: not UTF-8 text"},        // cut short
        {lines(io::kMaxCurveListBytes + 1, "\n"), ".", "more than 1 MB (1,048,576 bytes)"},
        {std::string("\n").append(lines(io::kMaxListedCurves + 1, "1\t\t\n")), ".", "line 10002: more than 10,000 curves"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        const auto read = io::readCurveList(c.text, c.separator);
        EXPECT_EQ(read ? "" : read.error().message, c.message);
        if (read) { EXPECT_EQ(read.value(), c.curves); }
    }
}

TEST(CurveList, ReadsBackWhatIsWrittenAndCopied)
{
    const std::vector<io::TypedCurve> curves = {
        {{"1", "-3", "1"}, {1, -3, 1}}, {{"", "", "-,5e1"}, {0, 0, -5}}, {{"2,5", " 4 ", ""}, {2.5, 4, 0}}};
    plot::CurveTable table;  // four stored, the last taken out
    for (const io::TypedCurve& curve : curves) table.add(curve.coefficients, curve.texts);
    table.add({9, 9, 9}, {"9", "9", "9"});
    (void)table.takeFrom(3);
    EXPECT_EQ(io::curveListText(table), "1\t-3\t1\n\t\t-,5e1\n2,5\t 4 \t\n");
    EXPECT_EQ(*io::readCurveList(io::curveListText(table), ","), curves);

    std::vector<exact::CurveTexts> copied;
    for (const io::TypedCurve& curve : curves) copied.push_back({curve.texts, "(1,0)", "", "(0,1)"});
    EXPECT_EQ(*io::readCurveList(exact::graphPlainText(copied, ","), ","), curves);
}

}  // namespace
