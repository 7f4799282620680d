#pragma once

#include <cmath>

// Rounds to the nearest value with the given number of decimals (0 to 15). A double that lies
// exactly halfway goes to the even neighbour: 2.5 gives 2, 0.125 with 2 decimals gives 0.12,
// while 1.005 (stored just below the half) gives 1.
double roundHalfEven(double value, int decimals);

// roundHalfEven(value, 0), cheap enough for every candidate of a batch: adding and taking away
// 2^52 leaves no fraction bits, and the default rounding mode sends halves to even.
inline double roundToWhole(double value)
{
    if (!(std::fabs(value) < 0x1p52)) // whole already, or not finite
        return value;
    const double shift = std::copysign(0x1p52, value);
    return (value + shift) - shift;
}
