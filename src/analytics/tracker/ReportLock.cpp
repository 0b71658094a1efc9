#include "analytics/tracker/ReportLock.h"

namespace varen::tracking {

bool ReportLock::HeldByThisThread() const {
    return owner_.load() == std::this_thread::get_id();
}

bool ReportLock::Acquire() {
    if (HeldByThisThread()) return false;
    mutex_.lock();
    owner_ = std::this_thread::get_id();
    return true;
}

bool ReportLock::TryAcquireFor(std::chrono::milliseconds limit) {
    if (HeldByThisThread() || !mutex_.try_lock_for(limit)) return false;
    owner_ = std::this_thread::get_id();
    return true;
}

void ReportLock::Release() {
    owner_ = std::thread::id();
    mutex_.unlock();
}

}  // namespace varen::tracking
