#pragma once
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace varen::tracking {

// Serialises the installer's reports. A report made on the thread that holds
// the lock already (a crash in the middle of a report) is skipped instead of
// waiting for itself.
class ReportLock {
public:
    // Waits without limit; false when this thread holds the lock already.
    bool Acquire();
    // Waits at most the given time.
    bool TryAcquireFor(std::chrono::milliseconds limit);
    void Release();

private:
    bool HeldByThisThread() const;

    std::timed_mutex mutex_;
    std::atomic<std::thread::id> owner_{};
};

// Holds the lock for one report, when it could be had.
class ReportGuard {
public:
    explicit ReportGuard(ReportLock& lock) : lock_(lock), held_(lock.Acquire()) {}
    ReportGuard(ReportLock& lock, std::chrono::milliseconds limit)
        : lock_(lock), held_(lock.TryAcquireFor(limit)) {}
    ReportGuard(const ReportGuard&) = delete;
    ReportGuard& operator=(const ReportGuard&) = delete;
    ~ReportGuard() {
        if (held_) lock_.Release();
    }
    bool held() const { return held_; }

private:
    ReportLock& lock_;
    bool held_;
};

}  // namespace varen::tracking
