#pragma once
// printf and strtold follow the thread's locale and the FPU rounding mode;
// the program's digits and values must depend on neither. While a scope
// lives, the thread's locale is "C" and the rounding is to nearest; both are
// put back when it ends. Internal to src/core/number.

#include <cfenv>
#include <clocale>
#include <locale.h>

namespace core {

class CNumericScope {
public:
    CNumericScope() : previousLocale_(uselocale(cLocale())), previousRounding_(std::fegetround())
    {
        std::fesetround(FE_TONEAREST);
    }
    ~CNumericScope()
    {
        std::fesetround(previousRounding_);
        uselocale(previousLocale_);
    }
    CNumericScope(const CNumericScope&) = delete;
    CNumericScope& operator=(const CNumericScope&) = delete;

    // The "C" locale, made once.
    static locale_t cLocale()
    {
        static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
        // newlocale fails only when out of memory; the global locale is the
        // best that is left then.
        return locale != locale_t{} ? locale : LC_GLOBAL_LOCALE;
    }

private:
    locale_t previousLocale_;
    int previousRounding_;
};

}  // namespace core
