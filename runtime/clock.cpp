#include "runtime/clock.h"

#include <ctime>

int secondOfMinute()
{
    // The local time is worked out again only when the clock has moved on: localtime_r takes
    // about 35 ns here, several times what a whole draw takes, against under 1 ns for time().
    // One cache per thread, for the window thread and a batch's drawing thread both draw.
    thread_local std::time_t cachedTime = -1;
    thread_local int cachedSecond = 0;

    const std::time_t now = std::time(nullptr);
    if (now != cachedTime) {
        std::tm local {};
        localtime_r(&now, &local);
        cachedTime = now;
        cachedSecond = local.tm_sec > 59 ? 59 : local.tm_sec; // a leap second counts as 59
    }
    return cachedSecond;
}
