#include "core/exact/Explanation.h"

#include <optional>

#include "core/number/Concat.h"

namespace exact {

using core::concat;

namespace {

// A coefficient as typed, tidied: no spaces, no "+", "0" before a leading
// separator, no trailing separator, "E" for the exponent; empty is "0".
std::string tidy(std::string_view text, std::string_view separator)
{
    std::string out;
    for (char ch : text) {
        if (ch == ' ' || (ch == '+' && out.empty())) continue;
        out += ch == 'e' ? 'E' : ch;
    }
    if (out.empty() || out == "-") return concat({out, "0"});
    const bool negative = out[0] == '-';
    const std::string body = negative ? out.substr(1) : out;
    std::string fixed = body.compare(0, separator.size(), separator) == 0 ? concat({"0", body}) : body;
    const std::size_t exponent = fixed.find('E');
    std::string mantissa = fixed.substr(0, exponent);
    if (mantissa.size() >= separator.size() &&
        mantissa.compare(mantissa.size() - separator.size(), separator.size(), separator) == 0)
        mantissa.erase(mantissa.size() - separator.size());
    const std::string_view exponentPart = exponent == std::string::npos ? std::string_view() : std::string_view(fixed).substr(exponent);
    return concat({negative ? "-" : "", mantissa, exponentPart});
}

std::string parenthesized(const std::string& number)
{
    return number[0] == '-' ? concat({"(", number, ")"}) : number;
}

// "(2.61803398874989,0)" → "2.61803398874989"; "无" stays.
std::string decimalOf(const std::string& label)
{
    if (label.size() > 4 && label.front() == '(' && label.compare(label.size() - 3, 3, ",0)") == 0)
        return label.substr(1, label.size() - 4);
    return label;
}

// The decimals of the roots in ascending order, joined by "、".
std::string rootDecimals(const CurveTexts& curve, const ExactForms& forms)
{
    std::string first = decimalOf(curve.xAxisFirst), second = decimalOf(curve.xAxisSecond);
    if (second.empty()) return first;
    // The info box gives the root with +√Δ first: the larger when a > 0.
    if (forms.opensUpward) std::swap(first, second);
    return concat({first, "、", second});
}

// The info box's roots alone, as it gives them, joined by "、".
std::string infoBoxRoots(const CurveTexts& curve)
{
    const std::string first = decimalOf(curve.xAxisFirst), second = decimalOf(curve.xAxisSecond);
    return second.empty() ? first : concat({first, "、", second});
}

std::string rootsSentence(const CurveTexts& curve, const ExactForms& forms, bool worked)
{
    const std::string decimals = rootDecimals(curve, forms);
    const std::string approximately = decimals.empty() ? std::string() : concat({"，约为 ", decimals});
    if (forms.roots == "无实数根" || forms.roots == "无" || forms.roots == "无数") return forms.roots;
    if (forms.roots.empty()) return decimals.empty() ? std::string() : concat({"x 约为 ", decimals});
    if (forms.doubleRoot) return concat({worked ? "x₁=x₂=" : "x=", forms.roots, "（二重根）", approximately});
    const std::size_t comma = forms.roots.find("、");
    if (comma != std::string::npos)
        return concat({"x₁=", std::string_view(forms.roots).substr(0, comma), "，x₂=",
                       std::string_view(forms.roots).substr(comma + std::string_view("、").size()), approximately});
    return concat({"x=", forms.roots, approximately});
}

std::string discriminantLine(const CurveTexts& curve, const ExactForms& forms, std::string_view separator)
{
    const std::string a = tidy(curve.fields[0], separator), b = tidy(curve.fields[1], separator),
                      c = tidy(curve.fields[2], separator);
    const char* comparison = forms.discriminantSign > 0 ? ">0" : forms.discriminantSign < 0 ? "<0" : "=0";
    if (forms.discriminant.empty()) return concat({"Δ=b²-4ac", comparison});
    // A zero discriminant is its own comparison: "…=0", not "…=0=0".
    return concat({"Δ=b²-4ac=", parenthesized(b), "²-4×", parenthesized(a), "×", parenthesized(c), "=",
                   forms.discriminant, forms.discriminant == "0" ? "" : comparison});
}

// A tracing that stopped leaves the x-axis labels empty, and the y-axis
// label too when it stopped at its first point.
std::string_view untracedNote(Tracing tracing)
{
    return tracing == Tracing::NotAtAll ? "数值过大，无法绘制此图象" : "数值过大，此图象只绘制了一部分";
}

std::string vertexLine(const ExactForms& forms)
{
    const char* opening = forms.opensUpward ? "开口向上" : "开口向下";
    if (forms.vertex.empty()) return opening;
    return concat({"顶点 ", forms.vertex, "，对称轴 x=", forms.axis, "，", opening});
}

}  // namespace

std::string formulaText(const CurveTexts& curve, std::string_view decimalSeparator)
{
    const std::optional<ExactForms> forms = exactForms(curve.fields, decimalSeparator);
    static const char* const powers[] = {"x²", "x", ""};
    std::string formula;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string number = tidy(curve.fields[i], decimalSeparator);
        const int sign = forms ? forms->signs[i] : (number == "0" ? 0 : number[0] == '-' ? -1 : 1);
        if (sign == 0) continue;
        const bool unit = forms && forms->units[i] && i < 2;
        const std::string term = unit ? concat({sign < 0 ? "-" : "", powers[i]}) : concat({number, powers[i]});
        if (!formula.empty() && sign > 0) formula += "+";
        formula += term;
    }
    return concat({"y=", formula.empty() ? std::string_view("0") : std::string_view(formula)});
}

std::string workedSolution(const CurveTexts& curve, std::string_view decimalSeparator)
{
    std::string text = formulaText(curve, decimalSeparator);
    const std::optional<ExactForms> forms = exactForms(curve.fields, decimalSeparator);
    if (!forms) {
        // Numbers too long to write exactly: the info box's decimals alone.
        const std::string decimals = infoBoxRoots(curve);
        if (decimals == "无" || decimals == "无数")
            text += concat({"\n与x轴交点 ", decimals});
        else if (!decimals.empty())
            text += concat({"\n与x轴交点 约为 ", decimals});
    } else if (forms->quadratic) {
        text += concat({"\n", discriminantLine(curve, *forms, decimalSeparator), "\n",
                        rootsSentence(curve, *forms, true), "\n", vertexLine(*forms)});
    } else {
        const std::string roots = rootsSentence(curve, *forms, true);
        text += "\n";
        text += roots == "无" ? std::string_view("与x轴无交点") : roots == "无数" ? "x轴上处处是交点" : std::string_view(roots);
    }
    if (!curve.yAxis.empty()) text += concat({"\n与y轴交点 ", curve.yAxis});
    if (curve.tracing != Tracing::Whole) text += concat({"\n", untracedNote(curve.tracing)});
    return text;
}

std::string curveSummary(const CurveTexts& curve, std::string_view decimalSeparator)
{
    std::string text = formulaText(curve, decimalSeparator);
    const std::optional<ExactForms> forms = exactForms(curve.fields, decimalSeparator);
    if (forms && forms->quadratic) text += concat({"，", vertexLine(*forms)});
    if (forms && !forms->quadratic) text += forms->signs[1] != 0 ? "，直线" : "，水平直线";
    if (curve.tracing != Tracing::Whole) {
        text += concat({"，", untracedNote(curve.tracing)});
        if (!curve.yAxis.empty()) text += concat({"，与y轴交点 ", curve.yAxis});
        return text;
    }
    std::string roots;
    if (forms)
        roots = rootsSentence(curve, *forms, false);
    else if (const std::string decimals = infoBoxRoots(curve); decimals.empty() || decimals == "无" || decimals == "无数")
        roots = decimals;
    else
        roots = concat({"约为 ", decimals});
    if (roots == "无实数根" || roots == "无")
        text += "，与x轴无交点";
    else if (roots == "无数")
        text += "，整条x轴都在图象上";
    else if (!roots.empty())
        text += concat({"，与x轴交点 ", roots});
    if (!curve.yAxis.empty()) text += concat({"，与y轴交点 ", curve.yAxis});
    return text;
}

std::string graphSummary(const std::vector<CurveTexts>& curves, std::string_view decimalSeparator)
{
    if (curves.empty()) return "坐标系中尚未绘制函数图像";
    std::string text = concat({"共 ", std::to_string(curves.size()), " 条函数图像。"});
    for (std::size_t i = 0; i < curves.size(); ++i)
        text += concat({"第 ", std::to_string(i + 1), " 条：", curveSummary(curves[i], decimalSeparator), "。"});
    return text;
}

}  // namespace exact
