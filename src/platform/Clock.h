#pragma once
#include <cstdint>

namespace platform {

// Milliseconds since the system started, wrapping at 2^32 (GetTickCount).
uint32_t TickCount();

}  // namespace platform
