// The exact forms and the words beside the info box, against hand-worked
// solutions.

#include "core/exact/ExactForms.h"

#include <gtest/gtest.h>

#include "core/exact/Explanation.h"

namespace {

using exact::CurveTexts;
using exact::exactForms;
using exact::ExactForms;

TEST(ExactForms, RootsVertexAndAxisInLowestTerms)
{
    struct Case {
        exact::FieldTexts fields;
        const char* roots;
        const char* discriminant;
        const char* vertex;
        const char* axis;
        bool upward;
        const char* apart;  // each root alone, ascending, joined by " | "
    };
    const Case cases[] = {
        {{"1", "-3", "1"}, "(3±√5)/2", "5", "(3/2,-5/4)", "3/2", true, "(3-√5)/2 | (3+√5)/2"},
        {{"1", "", "-2"}, "±√2", "8", "(0,-2)", "0", true, "-√2 | √2"},
        {{"2", "-7", "3"}, "1/2、3", "25", "(7/4,-25/8)", "7/4", true, "1/2 | 3"},
        {{"1", "2", "1"}, "-1", "0", "(-1,0)", "-1", true, "-1"},
        {{"1", "0", "1"}, "无实数根", "-4", "(0,1)", "0", true, ""},
        {{"-1", "0", "4"}, "-2、2", "16", "(0,4)", "0", false, "-2 | 2"},
        // 0.5x² + x − 1: Δ = 3, roots −1 ± √3.
        {{"0.5", "1", "-1"}, "-1±√3", "3", "(-1,-3/2)", "-1", true, "-1-√3 | -1+√3"},
        // 3x² − 1: ±√3/3; 12 = 2²·3 under the root.
        {{"3", "0", "-1"}, "±√3/3", "12", "(0,-1)", "0", true, "-√3/3 | √3/3"},
        // x² − 12 = 0: ±2√3.
        {{"1", "0", "-12"}, "±2√3", "48", "(0,-12)", "0", true, "-2√3 | 2√3"},
        // Huge and tiny coefficients stay exact: 1E20·x² − 1 → ±1/10^10.
        {{"1E20", "", "-1"}, "-1/10000000000、1/10000000000", "400000000000000000000",
         "(0,-1)", "0", true, "-1/10000000000 | 1/10000000000"},
        {{"0.000015", "", "-0.000015"}, "-1、1", "9/10000000000", "(0,-3/200000)", "0", true, "-1 | 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fields[0] + " | " + c.fields[1] + " | " + c.fields[2]);
        const std::optional<ExactForms> forms = exactForms(c.fields, ".");
        ASSERT_TRUE(forms.has_value());
        ASSERT_TRUE(forms->quadratic);
        EXPECT_EQ(forms->roots, c.roots);
        EXPECT_EQ(forms->discriminant, c.discriminant);
        EXPECT_EQ(forms->vertex, c.vertex);
        EXPECT_EQ(forms->axis, c.axis);
        EXPECT_EQ(forms->opensUpward, c.upward);
        std::string apart;
        for (const std::string& root : forms->rootList) apart += (apart.empty() ? "" : " | ") + root;
        EXPECT_EQ(apart, c.apart);
    }
}

TEST(ExactForms, LinesLongFormsAndWhatIsNotANumber)
{
    // a = 0: the single root −c/b, "无", "无数".
    EXPECT_EQ(exactForms({"", "2", "-1"}, ".")->roots, "1/2");
    EXPECT_EQ(exactForms({"-0", "0", "3"}, ".")->roots, "无");
    EXPECT_EQ(exactForms({"0", "", "0"}, ".")->roots, "无数");
    EXPECT_EQ(exactForms({"", "3", "1,5"}, ",")->roots, "-1/2");
    // −0 is 0, and spaces and signs are read as the fields read them.
    const std::optional<ExactForms> negativeZero = exactForms({" -0 ", "+2", "-0.0"}, ".");
    ASSERT_TRUE(negativeZero.has_value());
    EXPECT_FALSE(negativeZero->quadratic);
    EXPECT_EQ(negativeZero->roots, "0");
    // Fifteen-digit decimals: Δ = 0.123456789012345² + 4 has a 31-digit
    // denominator, so the root's exact form is longer than 40 characters.
    const std::optional<ExactForms> long15 = exactForms({"1", "0.123456789012345", "-1"}, ".");
    ASSERT_TRUE(long15.has_value());
    EXPECT_EQ(long15->roots, "");
    EXPECT_EQ(long15->discriminantSign, 1);
    // Not numbers the fields accept (beyond the Double range too), or too
    // long to be worth it: no exact forms, no hang.
    for (const std::string& text : {std::string("abc"), std::string(" "), std::string("1e500"), std::string("1,5"),
                                    std::string("1E309"), std::string("-.2E309"), std::string("1E-400"),
                                    "1." + std::string(150, '3'), "0." + std::string(500, '0') + "1"})
        EXPECT_FALSE(exactForms({text, "1", "1"}, ".").has_value()) << text;
}

TEST(Explanation, WorkedSolutionAndSummariesForScreenReaders)
{
    const CurveTexts golden{{"1", "-3", "1"}, "(2.61803398874989,0)", "(0.381966011250105,0)", "(0,1)"};
    EXPECT_EQ(exact::workedSolution(golden, "."),
              "y=x²-3x+1\n"
              "Δ=b²-4ac=(-3)²-4×1×1=5>0\n"
              "x=(3±√5)/2，约为 0.381966011250105、2.61803398874989\n"
              "顶点 (3/2,-5/4)，对称轴 x=3/2，开口向上\n"
              "与y轴交点 (0,1)");
    const CurveTexts downward{{"-2", "", "0.5"}, "(-0.5,0)", "(0.5,0)", "(0,0.5)"};
    EXPECT_EQ(exact::workedSolution(downward, "."),
              "y=-2x²+0.5\n"
              "Δ=b²-4ac=0²-4×(-2)×0.5=4>0\n"
              "x₁=-1/2，x₂=1/2，约为 -0.5、0.5\n"
              "顶点 (0,1/2)，对称轴 x=0，开口向下\n"
              "与y轴交点 (0,0.5)");
    const CurveTexts doubleRoot{{"1", "2", "1"}, "(-1,0)", "", "(0,1)"};
    EXPECT_EQ(exact::workedSolution(doubleRoot, "."),
              "y=x²+2x+1\n"
              "Δ=b²-4ac=2²-4×1×1=0\n"
              "x₁=x₂=-1（二重根），约为 -1\n"
              "顶点 (-1,0)，对称轴 x=-1，开口向上\n"
              "与y轴交点 (0,1)");
    // Typed non-zero but drawn as the Double 0: only what the info box shows.
    const CurveTexts belowDoubles{{"1E-400", "", ""}, "无数", "", "(0,0)"};
    EXPECT_EQ(exact::workedSolution(belowDoubles, "."), "y=1E-400x²\n与x轴交点 无数\n与y轴交点 (0,0)");
    const CurveTexts line{{"", "-1", ""}, "(0,0)", "", "(0,0)"};
    EXPECT_EQ(exact::workedSolution(line, "."), "y=-x\nx=0，约为 0\n与y轴交点 (0,0)");
    EXPECT_EQ(exact::graphSummary({golden, line}, "."),
              "共 2 条函数图像。"
              "第 1 条：y=x²-3x+1，顶点 (3/2,-5/4)，对称轴 x=3/2，开口向上，与x轴交点 x=(3±√5)/2，约为 "
              "0.381966011250105、2.61803398874989，与y轴交点 (0,1)。"
              "第 2 条：y=-x，直线，与x轴交点 x=0，约为 0，与y轴交点 (0,0)。");
    EXPECT_EQ(exact::graphSummary({}, "."), "坐标系中尚未绘制函数图像");
}

}  // namespace
