#include "analytics/sdk/ErrorStream.h"

#include <iostream>

namespace telemetry {

void WriteError(std::string_view text) {
    std::cerr << text << std::flush;
}

void WriteErrorLine(std::string_view text) {
    std::cerr << text << std::endl;
}

}  // namespace telemetry
