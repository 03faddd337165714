#pragma once
// A list of curves as a text file: one curve a line, its three field texts
// (a, b, c) as typed, separated by tabs. Saved and opened by the window,
// read by the command line's --curves. Qt-free.
//
// Reading takes either of two kinds of text; its first non-blank line decides
// which:
// - a list: every non-blank line is three tab-separated fields;
// - Copy's text (exact::graphPlainText): a line of six tab-separated columns
//   starts each curve, its first three the fields; the worked-solution lines
//   after it, which hold no tab, are passed over.
// Either may start with a UTF-8 byte-order mark, end its lines with "\n" or
// "\r\n", leave its last line without one, and hold blank lines (empty or
// spaces only). A curve whose three texts are empty draws nothing and is
// left out, as a draw request with three empty fields is.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/number/UserError.h"
#include "core/plot/Curve.h"
#include "core/plot/CurveTable.h"

namespace io {

// The longest text read, in bytes (1 MB), and the most curves in one.
inline constexpr std::size_t kMaxCurveListBytes = 1u << 20;
inline constexpr std::size_t kMaxListedCurves = 10'000;

// A curve as typed: its field texts and the coefficients read from them.
struct TypedCurve {
    plot::FieldTexts texts;
    plot::Coefficients coefficients;

    bool operator==(const TypedCurve&) const = default;
};

// "a\tb\tc\n" for each curve. The texts of a drawn curve hold no tab nor
// line end (no field accepts one), so each line reads back as it was.
std::string curveListText(const std::vector<plot::FieldTexts>& curves);
// The table's stored curves, in drawing order.
std::string curveListText(const plot::CurveTable& table);

// The coefficients the fields read from the texts (an empty text is 0), or
// the first the fields refuse: "coefficient b: 'x' is not a valid floating
// point value".
core::Expected<plot::Coefficients> readCoefficients(const plot::FieldTexts& texts, std::string_view decimalSeparator);

// Every curve of the text in order, all-empty ones left out, read with the
// fields' decimal separator; or, and then no curve, the first fault:
//   "line 3: not three fields separated by tabs (a, b and c)"
//   "line 5: not a curve's line of copied text (six columns separated by tabs)"
//   "line 2, coefficient a: 'abc' is not a valid floating point value"
//   "line 4: not UTF-8 text"
//   "line 10003: more than 10,000 curves"
//   "more than 1 MB (1,048,576 bytes)"
core::Expected<std::vector<TypedCurve>> readCurveList(std::string_view text, std::string_view decimalSeparator);

}  // namespace io
