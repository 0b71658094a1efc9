#pragma once
#include <fstream>
#include <mutex>
#include <string>

#include "analytics/tracker/TrackLogger.h"

namespace varen::tracking {

// Keeps the tracker's log file open (created empty when missing), so the
// installed product finds it where it expects it.
class NativeTrackLogger : public TrackLogger {
public:
    NativeTrackLogger() = default;
    NativeTrackLogger(const NativeTrackLogger&) = delete;
    NativeTrackLogger& operator=(const NativeTrackLogger&) = delete;
    ~NativeTrackLogger() override;

    // Nothing when that path is open already.
    void Open(const std::string& path) override;
    void Close() override;

    std::string path() const;
    bool IsOpen() const;

private:
    mutable std::mutex lock_;
    std::string path_;
    std::ofstream file_;
};

}  // namespace varen::tracking
