#pragma once

#include <cmath>

// Rounds to the nearest value with the given number of decimals (0 to 15). A double that lies
// exactly halfway goes to the even neighbour: 2.5 gives 2, 0.125 with 2 decimals gives 0.12,
// while 1.005 (stored just below the half) gives 1.
double roundHalfEven(double value, int decimals);

// roundHalfEven(value, 0): std::rint rounds halves to the even neighbour in the default
// rounding mode, which the program never changes.
inline double roundToWhole(double value)
{
    return std::rint(value);
}
