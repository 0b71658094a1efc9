#pragma once
#include <cstdint>

namespace varen::tracking {

struct SplitTime {
    int64_t seconds = 0;
    int32_t milliseconds = 0;
};

// Callers give times in seconds or in milliseconds since 1970; a value larger
// than any time in seconds before the year 7000 is taken as milliseconds.
inline SplitTime SplitTrackerTime(int64_t value) {
    constexpr int64_t kLargestSeconds = 157789439999;
    if (value <= kLargestSeconds) return {value, 0};
    return {value / 1000, static_cast<int32_t>(value % 1000)};
}

}  // namespace varen::tracking
