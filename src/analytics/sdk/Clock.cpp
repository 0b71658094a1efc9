#include "analytics/sdk/Clock.h"

#include <chrono>
#include <ctime>
#include <mutex>

namespace telemetry {

int64_t NowMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

namespace {

CalendarTime ToUtcCalendar(int64_t seconds) {
    using namespace std::chrono;
    const sys_seconds at{std::chrono::seconds(seconds)};
    const sys_days day = floor<days>(at);
    const year_month_day date(day);
    const hh_mm_ss<std::chrono::seconds> clock(at - day);
    return {int(date.year()),
            int(unsigned(date.month())),
            int(unsigned(date.day())),
            static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()),
            static_cast<int>(clock.seconds().count())};
}

}  // namespace

CalendarTime ToLocalCalendar(int64_t seconds) {
    // std::localtime shares one result buffer in some C libraries; records are
    // serialised on several threads.
    static std::mutex lock;
    const std::time_t value = static_cast<std::time_t>(seconds);
    if (static_cast<int64_t>(value) == seconds) {
        std::lock_guard<std::mutex> guard(lock);
        if (const std::tm* local = std::localtime(&value)) {
            return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                    local->tm_hour,        local->tm_min,     local->tm_sec};
        }
    }
    return ToUtcCalendar(seconds);
}

}  // namespace telemetry
