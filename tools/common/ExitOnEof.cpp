#include "ExitOnEof.h"

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace tools {

void ExitWhenInputEnds() {
    std::thread([] {
        char buffer[256];
        while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
        }
        std::fflush(stdout);
        std::_Exit(0);
    }).detach();
}

}  // namespace tools
