#pragma once
#include <cstdint>

namespace Utils {

// A start time in system ticks (milliseconds, wrapping at 2^32).
struct Stopwatch {
    uint32_t startTick = 0;
    bool started = false;

    void Start();
};

// Seconds since the start, from the unsigned tick difference (so one wrap of
// the tick count is harmless); 0 when not started.
float ElapsedSeconds(const Stopwatch& stopwatch);

}  // namespace Utils
