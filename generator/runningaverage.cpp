#include "generator/runningaverage.h"

#include "runtime/errors.h"
#include "runtime/rounding.h"

double RunningAverage::UpdateAverage(double value)
{
    DrawCount += 1;
    DrawSum += value;
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
}
