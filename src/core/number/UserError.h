#pragma once
// The program's own errors: what the user typed or asked for cannot be done.
// They travel as values from where they arise to the event handler, which
// hands them to the error box; nothing throws them.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace core {

struct UserError {
    std::string message;  // the error box's text, before its full stop

    bool operator==(const UserError&) const = default;

    // A field's text is not a number.
    static UserError notAFloat(std::string_view text)
    {
        std::string message;
        message.reserve(text.size() + 40);
        message.append("'").append(text).append("' is not a valid floating point value");
        return {std::move(message)};
    }
    // A value read into a Double is beyond the Double range.
    static UserError floatOverflow() { return {"Floating point overflow"}; }
    // A rounding to a 64-bit integer of a value outside its range, or of NaN.
    static UserError invalidFloatOp() { return {"Invalid floating point operation"}; }
};

// Success, or the error to show.
using Status = std::optional<UserError>;

// A value, or the error that kept it from being computed.
template <class T>
class Expected {
public:
    Expected(T value) : state_(std::move(value)) {}
    Expected(UserError error) : state_(std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<0>(state_); }
    const T& operator*() const { return value(); }
    const UserError& error() const { return std::get<1>(state_); }
    Status status() const { return ok() ? Status() : Status(error()); }

private:
    std::variant<T, UserError> state_;
};

}  // namespace core
