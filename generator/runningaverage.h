#pragma once

// The moving average of the numbers drawn since the last reset.
struct RunningAverage
{
    // Adds value and returns the new average rounded to 2 decimals, halves to even.
    double UpdateAverage(double value);
    void Reset();

    double DrawCount = 0;
    // Wider than a double, so that many huge draws cannot overflow the sum.
    long double DrawSum = 0;
};
