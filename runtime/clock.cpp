#include "runtime/clock.h"

#include <ctime>

int secondOfMinute()
{
    // One cache per thread; the program draws on its one user-interface thread.
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
