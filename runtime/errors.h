#pragma once

#include <stdexcept>

// Errors that no handler of the program expects. The application reports them and ends.

// An arithmetic result that is not a finite double.
class FloatingPointError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Returns value when it is finite and throws FloatingPointError otherwise; what names the operation.
inline double checkedFinite(double value, const char *what)
{
    if (value - value != 0.0) // true for infinities and NaN
        throw FloatingPointError(std::string("Overflow or invalid result in ") + what);
    return value;
}
