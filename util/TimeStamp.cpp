#include "util/TimeStamp.h"

int tickMs = 0;

time_t (*TimeStamp::clockSource)() = nullptr;

TimeStamp TimeStamp::Now() {
    TimeStamp stamp;
    time_t now = clockSource ? clockSource() : time(nullptr);
    stamp.seconds = static_cast<int64_t>(now);
    // The millisecond part is the event loop's tick, so two stamps taken in
    // one pass of the loop always share it.
    stamp.millisecond = tickMs;
    struct tm local;
    if (now == static_cast<time_t>(-1) || !localtime_r(&now, &local)) {
        stamp.invalid = true;
        return stamp;
    }
    stamp.year = local.tm_year + 1900;
    stamp.month = local.tm_mon + 1;
    stamp.weekday = local.tm_wday;
    stamp.day = local.tm_mday;
    stamp.hour = local.tm_hour;
    stamp.minute = local.tm_min;
    stamp.second = local.tm_sec;
    return stamp;
}

int64_t TimeStamp::ElapsedMs(const TimeStamp& now) const {
    if (invalid || now.invalid) return 0;
    // Unsigned arithmetic wraps instead of overflowing on absurd inputs.
    uint64_t ms = (static_cast<uint64_t>(now.seconds) - static_cast<uint64_t>(seconds)) * 1000u +
                  static_cast<uint64_t>(static_cast<int64_t>(now.millisecond)) -
                  static_cast<uint64_t>(static_cast<int64_t>(millisecond));
    return static_cast<int64_t>(ms);
}
