#include "analytics/tracker/NativeTrackLogger.h"

#include "analytics/tracker/TrackerFiles.h"

namespace varen::tracking {

NativeTrackLogger::~NativeTrackLogger() {
    Close();
}

void NativeTrackLogger::Open(const std::string& path) {
    std::lock_guard<std::mutex> guard(lock_);
    if (path == path_ && file_.is_open()) return;
    if (file_.is_open()) file_.close();
    file_.clear();
    // Appending creates the file when it is missing and keeps what is there.
    file_.open(NativePath(path), std::ios::app | std::ios::binary);
    path_ = path;
}

void NativeTrackLogger::Close() {
    std::lock_guard<std::mutex> guard(lock_);
    if (file_.is_open()) file_.close();
}

std::string NativeTrackLogger::path() const {
    std::lock_guard<std::mutex> guard(lock_);
    return path_;
}

bool NativeTrackLogger::IsOpen() const {
    std::lock_guard<std::mutex> guard(lock_);
    return file_.is_open();
}

}  // namespace varen::tracking
