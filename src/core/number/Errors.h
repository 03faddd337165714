#pragma once
// The errors the program can meet while handling an event. Each carries the
// text the error box shows; nothing in the program catches them except the
// application's handler guard.

#include <stdexcept>
#include <string>

namespace core {

class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A field's text is not a number: "'<text>' is not a valid floating point value".
class ConvertError : public AppError {
public:
    using AppError::AppError;
};

// A value read into a Double is beyond the Double range.
class FloatOverflowError : public AppError {
public:
    FloatOverflowError() : AppError("Floating point overflow") {}
};

// A rounding to a 64-bit integer of a value outside its range, or of NaN.
class InvalidFloatOpError : public AppError {
public:
    InvalidFloatOpError() : AppError("Invalid floating point operation") {}
};

}  // namespace core
