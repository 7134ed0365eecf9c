// Broken-down local time whose millisecond part is the event loop's
// software tick, not a clock reading.
#pragma once
#include <cstdint>
#include <ctime>

// Software millisecond counter, 0 to 999, advanced by the event loop by 10 on
// every idle tick.
extern int tickMs;

struct TimeStamp {
    int32_t year = 0, month = 0, weekday = 0, day = 0;
    int32_t hour = 0, minute = 0, second = 0, millisecond = 0;
    int64_t seconds = 0; // calendar time
    bool invalid = false;

    static TimeStamp Now();
    int64_t ElapsedMs(const TimeStamp& now) const;

    // Test seam: the source of calendar seconds used by Now (time() when null).
    static time_t (*clockSource)();
};
