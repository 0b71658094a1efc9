#pragma once
#include <cstdint>

namespace telemetry {

// Milliseconds since 1970-01-01 00:00:00 UTC.
int64_t NowMilliseconds();

struct CalendarTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
// The seconds since 1970 as local wall-clock time; times the C library cannot
// convert (before 1970 on some systems) come out in UTC.
CalendarTime ToLocalCalendar(int64_t seconds);

}  // namespace telemetry
