#pragma once

#include <cstdint>

// The moving average of the numbers drawn since the last reset.
class RunningAverage
{
public:
    // Adds value and returns the new average rounded to 2 decimals. The drawn numbers are whole,
    // so the mean is the exact fraction sum / count, and a mean exactly halfway between two
    // values of 2 decimals goes to the even one.
    double UpdateAverage(double value);
    void Reset();

    double DrawCount = 0;
    // Wider than a double, so that many huge draws cannot overflow the sum.
    long double DrawSum = 0;

private:
    // The sum again, exactly, while every value was whole and the sum fits 64 bits; the average
    // is then rounded from the exact fraction, else from DrawSum / DrawCount.
    std::int64_t m_wholeSum = 0;
    bool m_wholeSumExact = true;
};
