#include "runtime/rounding.h"

#include <cassert>
#include <charconv>
#include <cmath>

double roundHalfEven(double value, int decimals)
{
    assert(decimals >= 0 && decimals <= 15);
    if (!std::isfinite(value) || std::fabs(value) >= 0x1p52) // from 2^52 on every double is whole
        return value;
    if (decimals == 0)
        return roundToWhole(value);

    // Scaling by a power of ten would round the product and could make a half out of a value
    // that is not one. The fixed-point conversion works on the exact binary value instead and
    // breaks exact ties to even; reading its text back gives the nearest double.
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    double rounded = value;
    std::from_chars(text, written.ptr, rounded);
    return rounded;
}
