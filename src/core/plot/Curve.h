#pragma once
// A curve y = a·x² + b·x + c as the program stores and traces it.

namespace plot {

struct Coefficients {
    double a = 0;  // of x²
    double b = 0;  // of x
    double c = 0;  // the constant term

    bool operator==(const Coefficients&) const = default;
};

}  // namespace plot
