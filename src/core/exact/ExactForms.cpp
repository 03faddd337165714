#include "core/exact/ExactForms.h"

#include <array>
#include <gmpxx.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/number/Concat.h"
#include "core/number/NumberParse.h"

namespace exact {

namespace {

constexpr std::size_t kMostSignificantDigits = 100;
constexpr long kLargestExponent = 400;
constexpr unsigned long kTrialPrimesBelow = 1000;

// A field's text as an exact rational: spaces, sign, digits with the
// separator, an optional exponent, spaces; an empty text is 0.
std::optional<mpq_class> readField(std::string_view text, std::string_view separator)
{
    if (text.empty())
        return mpq_class(0);
    std::size_t at = 0;
    const auto skipSpaces = [&] {
        while (at < text.size() && text[at] == ' ') ++at;
    };
    skipSpaces();
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    std::string digits;
    long exponent = 0;
    bool any = false;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') digits += text[at++], any = true;
    if (!separator.empty() && text.substr(at, separator.size()) == separator) {
        at += separator.size();
        any = true;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') digits += text[at++], --exponent;
    }
    if (!any) return std::nullopt;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        bool negativeExponent = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) negativeExponent = text[at++] == '-';
        long value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            if (value >= 500) return std::nullopt;  // as the fields refuse it
            value = value * 10 + (text[at++] - '0');
        }
        exponent += negativeExponent ? -value : value;
    }
    skipSpaces();
    if (at != text.size()) return std::nullopt;

    // Significant digits only: leading zeros dropped, trailing ones moved
    // into the exponent.
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return mpq_class(0);
    const std::size_t last = digits.find_last_not_of('0');
    exponent += long(digits.size() - 1 - last);
    digits = digits.substr(first, last - first + 1);
    if (digits.size() > kMostSignificantDigits || std::labs(exponent) > kLargestExponent) return std::nullopt;

    mpz_class mantissa(digits, 10);
    if (negative) mantissa = -mantissa;
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(exponent)));
    mpq_class value = exponent >= 0 ? mpq_class(mantissa * scale) : mpq_class(mantissa, scale);
    value.canonicalize();
    return value;
}

std::string integerText(const mpz_class& value)
{
    return value.get_str(10);
}

// "3", "-5/4".
std::string fractionText(const mpq_class& value)
{
    if (value.get_den() == 1) return integerText(value.get_num());
    return core::concat({integerText(value.get_num()), "/", integerText(value.get_den())});
}

// Empty when longer than a form may be (counted in characters, not bytes).
std::string bounded(std::string text)
{
    const auto characters = std::count_if(text.begin(), text.end(), [](char byte) { return (byte & 0xC0) != 0x80; });
    return std::size_t(characters) <= kLongestForm ? text : std::string();
}

// The primes below kTrialPrimesBelow, sieved once.
const std::vector<unsigned long>& trialPrimes()
{
    static const std::vector<unsigned long> primes = [] {
        std::vector<bool> composite(kTrialPrimesBelow, false);
        std::vector<unsigned long> found;
        for (unsigned long n = 2; n < kTrialPrimesBelow; ++n) {
            if (composite[n]) continue;
            found.push_back(n);
            for (unsigned long multiple = n * n; multiple < kTrialPrimesBelow; multiple += n) composite[multiple] = true;
        }
        return found;
    }();
    return primes;
}

// m = k²·r with r free of the square factors found by trial division by the
// primes below kTrialPrimesBelow and of a square cofactor; a bounded search,
// so r may keep the square of a larger prime.
void splitSquare(const mpz_class& m, mpz_class& k, mpz_class& r)
{
    k = 1;
    r = 1;
    mpz_class rest = m;
    for (const unsigned long prime : trialPrimes()) {
        if (rest == 1) break;
        if (!mpz_divisible_ui_p(rest.get_mpz_t(), prime)) continue;
        // mpz_remove divides by powers of the prime at once: a denominator
        // of 10^800 would otherwise take 1600 divisions.
        const mpz_class factor(prime);
        const unsigned long times = mpz_remove(rest.get_mpz_t(), rest.get_mpz_t(), factor.get_mpz_t());
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), prime, times / 2);
        k *= power;
        if (times % 2 == 1) r *= prime;
    }
    if (rest > 1) {
        if (mpz_perfect_square_p(rest.get_mpz_t())) {
            mpz_class root;
            mpz_sqrt(root.get_mpz_t(), rest.get_mpz_t());
            k *= root;
        } else {
            r *= rest;
        }
    }
}

// The roots (−b ± √Δ) / 2a of a quadratic with Δ > 0, together ("(3±√5)/2")
// and apart, ascending.
std::string twoRootsText(const mpq_class& a, const mpq_class& b, const mpq_class& discriminant,
                         std::vector<std::string>& apart)
{
    // The coefficients are decimals, so D has no prime factors but 2 and 5:
    // D = e²·f with f dividing 10, and √(N/D) = √(N·f)/(e·f) = k·√r/(e·f).
    // Splitting N·f rather than N·D keeps the numbers to trial-divide short.
    mpz_class e, f, k, r;
    splitSquare(discriminant.get_den(), e, f);
    splitSquare(discriminant.get_num() * f, k, r);
    const mpq_class radical(k, e * f);  // the factor in front of √r
    const mpq_class twoA = 2 * a;
    if (r == 1) {
        mpq_class low = (-b - radical) / twoA, high = (-b + radical) / twoA;
        low.canonicalize();
        high.canonicalize();
        if (low > high) std::swap(low, high);
        apart = {bounded(fractionText(low)), bounded(fractionText(high))};
        return core::concat({fractionText(low), "、", fractionText(high)});
    }
    // (P ± Q√r) / S with integers P, Q ≥ 0, S > 0 sharing no factor.
    const mpq_class p = -b / twoA, q = radical / twoA;
    mpz_class s;
    mpz_lcm(s.get_mpz_t(), mpq_class(p).get_den_mpz_t(), mpq_class(q).get_den_mpz_t());
    mpz_class pn = p.get_num() * (s / p.get_den()), qn = q.get_num() * (s / q.get_den());
    if (qn < 0) qn = -qn;
    const std::string surd = core::concat({qn == 1 ? std::string() : integerText(qn), "√", integerText(r)});
    const std::string denominator = s == 1 ? std::string() : core::concat({"/", integerText(s)});
    // P − Q√r < P + Q√r: the root with the minus sign is the lower one.
    const auto form = [&](std::string_view sign) {
        if (pn == 0) return core::concat({sign == "+" ? std::string_view() : sign, surd, denominator});
        const std::string inner = core::concat({integerText(pn), sign, surd});
        return s == 1 ? inner : core::concat({"(", inner, ")", denominator});
    };
    apart = {bounded(form("-")), bounded(form("+"))};
    return form("±");
}

}  // namespace

std::optional<ExactForms> exactForms(const FieldTexts& texts, std::string_view decimalSeparator)
{
    // Only what the fields accept: a number the field refuses (beyond the
    // Double range, say) was never drawn.
    std::array<double, 3> drawn{};
    for (std::size_t i = 0; i < 3; ++i) {
        if (texts[i].empty()) continue;
        const core::Expected<double> value = core::parseFloatField(texts[i], decimalSeparator);
        if (!value) return std::nullopt;
        drawn[i] = *value;
    }
    const std::optional<mpq_class> a = readField(texts[0], decimalSeparator);
    const std::optional<mpq_class> b = readField(texts[1], decimalSeparator);
    const std::optional<mpq_class> c = readField(texts[2], decimalSeparator);
    if (!a || !b || !c) return std::nullopt;
    const std::array<const mpq_class*, 3> coefficients{&*a, &*b, &*c};
    // A typed number too small for a Double ("1E-400") is drawn as 0: the
    // exact forms of what was typed would contradict the drawn curve.
    for (std::size_t i = 0; i < 3; ++i)
        if ((drawn[i] == 0.0) != (sgn(*coefficients[i]) == 0)) return std::nullopt;

    ExactForms forms;
    forms.constantTerm = bounded(fractionText(*c));
    for (std::size_t i = 0; i < 3; ++i) {
        forms.signs[i] = sgn(*coefficients[i]);
        forms.units[i] = abs(*coefficients[i]) == 1;
    }
    if (*a == 0) {
        if (*b != 0) {
            mpq_class root = -*c / *b;
            root.canonicalize();
            forms.roots = bounded(fractionText(root));
            forms.rootList = {forms.roots};
        } else {
            forms.roots = *c != 0 ? "无" : "无数";
        }
        return forms;
    }

    forms.quadratic = true;
    forms.opensUpward = *a > 0;
    mpq_class discriminant = *b * *b - 4 * *a * *c;
    discriminant.canonicalize();
    forms.discriminantSign = sgn(discriminant);
    forms.discriminant = bounded(fractionText(discriminant));
    mpq_class axis = -*b / (2 * *a);
    axis.canonicalize();
    mpq_class top = (4 * *a * *c - *b * *b) / (4 * *a);
    top.canonicalize();
    forms.axis = bounded(fractionText(axis));
    forms.vertex = bounded(core::concat({"(", fractionText(axis), ",", fractionText(top), ")"}));
    if (forms.discriminantSign < 0) {
        forms.roots = "无实数根";
    } else if (forms.discriminantSign == 0) {
        forms.doubleRoot = true;
        forms.roots = forms.axis;
        forms.rootList = {forms.axis};
    } else {
        forms.roots = bounded(twoRootsText(*a, *b, discriminant, forms.rootList));
    }
    return forms;
}

std::string exactValueAt(const FieldTexts& texts, std::string_view xText, std::string_view decimalSeparator)
{
    if (xText.empty() || !exactForms(texts, decimalSeparator)) return {};
    const core::Expected<double> drawn = core::parseFloatField(xText, decimalSeparator);
    const std::optional<mpq_class> x = readField(xText, decimalSeparator);
    if (!drawn || !x || (*drawn == 0.0) != (sgn(*x) == 0)) return {};
    const std::optional<mpq_class> a = readField(texts[0], decimalSeparator);
    const std::optional<mpq_class> b = readField(texts[1], decimalSeparator);
    const std::optional<mpq_class> c = readField(texts[2], decimalSeparator);
    mpq_class y = (*a * *x + *b) * *x + *c;
    y.canonicalize();
    const std::string xForm = bounded(fractionText(*x)), yForm = bounded(fractionText(y));
    if (xForm.empty() || yForm.empty()) return {};
    return core::concat({"x=", xForm, " 时 y=", yForm});
}

}  // namespace exact
