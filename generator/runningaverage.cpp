#include "generator/runningaverage.h"

#include "runtime/errors.h"
#include "runtime/rounding.h"

#include <charconv>
#include <cmath>

namespace {

__extension__ using Wide = __int128;

// Adds value to sum when value is whole and the sum stays within 64 bits.
bool addWhole(std::int64_t &sum, double value)
{
    if (!(std::fabs(value) < 0x1p63) || value != std::trunc(value))
        return false;
    return !__builtin_add_overflow(sum, static_cast<std::int64_t>(value), &sum);
}

// numerator / denominator to the nearest whole number, exact halves to the even one.
Wide divideHalfEven(Wide numerator, Wide denominator)
{
    Wide quotient = numerator / denominator;
    Wide remainder = numerator % denominator;
    if (remainder < 0) { // round towards minus infinity, so that the remainder is not negative
        quotient -= 1;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0))
        quotient += 1;
    return quotient;
}

// The double nearest hundredths / 100.
double hundredthsToDouble(Wide hundredths)
{
    if (hundredths > -(Wide { 1 } << 53) && hundredths < (Wide { 1 } << 53))
        return static_cast<double>(hundredths) / 100; // both exact: one correctly rounded division
    // Beyond 2^53 the division would round twice: read the decimal text instead.
    char text[48];
    char *digit = text + sizeof text;
    const bool negative = hundredths < 0;
    Wide magnitude = negative ? -hundredths : hundredths;
    for (int position = 0; magnitude != 0 || position < 3; ++position) {
        if (position == 2)
            *--digit = '.';
        *--digit = static_cast<char>('0' + static_cast<int>(magnitude % 10));
        magnitude /= 10;
    }
    if (negative)
        *--digit = '-';
    double value = 0;
    std::from_chars(digit, text + sizeof text, value);
    return value;
}

} // namespace

double RunningAverage::UpdateAverage(double value)
{
    DrawCount += 1;
    DrawSum += value;
    m_wholeSumExact = m_wholeSumExact && addWhole(m_wholeSum, value);
    if (m_wholeSumExact) {
        const auto count = static_cast<std::int64_t>(DrawCount);
        return hundredthsToDouble(divideHalfEven(Wide { m_wholeSum } * 100, Wide { count }));
    }
    // While the sum fits a double exactly, divide in doubles: the same average a double sum gives.
    const auto sum = static_cast<double>(DrawSum);
    const double average = static_cast<long double>(sum) == DrawSum ? sum / DrawCount
                                                                  : static_cast<double>(DrawSum / DrawCount);
    return roundHalfEven(checkedFinite(average, "the moving average"), 2);
}

void RunningAverage::Reset()
{
    DrawCount = 0;
    DrawSum = 0;
    m_wholeSum = 0;
    m_wholeSumExact = true;
}
