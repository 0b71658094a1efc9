#pragma once
#include <string>

namespace varen::tracking {

// The tracker's log file.
class TrackLogger {
public:
    virtual ~TrackLogger() = default;
    virtual void Open(const std::string& path) = 0;
    virtual void Close() = 0;
};

}  // namespace varen::tracking
