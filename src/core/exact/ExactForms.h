#pragma once
// The exact solution of a curve from its coefficients as typed: the field
// texts are exact decimal numbers, so the discriminant, the roots (with the
// square-free part under the root), the vertex and the axis of symmetry are
// exact too. These are the roots of the polynomial the user typed, not of
// its nearest Doubles. Qt-free; rational arithmetic by GMP.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace exact {

// The texts of the fields for a, b and c; an empty text is 0.
using FieldTexts = std::array<std::string, 3>;

struct ExactForms {
    // Every form below is written the program's way (ASCII "-", the decimal
    // separator given, no spaces), and left empty where it would be longer
    // than kLongestForm characters: then only the decimals are shown.
    bool quadratic = false;   // a ≠ 0
    int discriminantSign = 0; // of Δ = b² − 4ac, for a quadratic
    std::string discriminant; // Δ
    // "(3±√5)/2", "±√2", "1/2、3" (ascending), "-1" (a double root), the
    // single root of a line, or "无实数根", "无", "无数".
    std::string roots;
    bool doubleRoot = false;
    // Each real root alone, ascending: "(3-√5)/2", "(3+√5)/2"; one for a
    // double root or a line, none for "无实数根", "无" and "无数". An entry is
    // empty where that root's form would be too long.
    std::vector<std::string> rootList;
    std::string constantTerm; // c, "1/2" for 0.5
    std::string vertex;       // "(3/2,-5/4)"
    std::string axis;         // "3/2", the axis of symmetry x = −b/2a
    bool opensUpward = false;
    // For writing the formula: the sign of a, b and c, and whether each is ±1.
    std::array<int, 3> signs{};
    std::array<bool, 3> units{};
};

inline constexpr std::size_t kLongestForm = 40;

// Empty when a text is not a number the fields accept, or when the numbers
// are too long to be worth writing exactly (more than a hundred significant
// digits, or a decimal exponent beyond ±400: no Double the program draws
// needs more); bounded work in every case.
std::optional<ExactForms> exactForms(const FieldTexts& texts, std::string_view decimalSeparator);

// The curve typed as `texts` at the abscissa typed as `xText` (the fields'
// syntax), exactly: "x=1/2 时 y=-1/4". Empty where the curve has no exact
// forms, the text is not a number the fields accept, or a form would be too
// long.
std::string exactValueAt(const FieldTexts& texts, std::string_view xText, std::string_view decimalSeparator);

}  // namespace exact
