#include "utils/Stopwatch.h"

#include "platform/Clock.h"

namespace Utils {

void Stopwatch::Start() {
    startTick = platform::TickCount();
    started = true;
}

float ElapsedSeconds(const Stopwatch& stopwatch) {
    if (!stopwatch.started) return 0.0f;
    const uint32_t elapsed = platform::TickCount() - stopwatch.startTick;
    return static_cast<float>(elapsed) / 1000.0f;
}

}  // namespace Utils
