#include <windows.h>

#include "platform/Clock.h"

namespace platform {

uint32_t TickCount() {
    return GetTickCount();
}

}  // namespace platform
