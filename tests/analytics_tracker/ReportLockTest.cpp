#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "analytics/tracker/ReportLock.h"

namespace {

using namespace std::chrono_literals;
using varen::tracking::ReportGuard;
using varen::tracking::ReportLock;

// A crash inside a report runs the crash report on the same thread: it must
// not wait for itself.
TEST(ReportLock, ThisThreadDoesNotWaitForItself) {
    ReportLock lock;
    ReportGuard outer(lock);
    ASSERT_TRUE(outer.held());
    ReportGuard inner(lock);
    EXPECT_FALSE(inner.held());
    ReportGuard bounded(lock, 10s);
    EXPECT_FALSE(bounded.held());
}

TEST(ReportLock, TheCrashReportWaitsABoundedTime) {
    ReportLock lock;
    std::atomic<bool> holding{false}, done{false};
    std::thread holder([&] {
        ReportGuard guard(lock);
        holding = true;
        while (!done) std::this_thread::sleep_for(1ms);
    });
    while (!holding) std::this_thread::sleep_for(1ms);
    const auto start = std::chrono::steady_clock::now();
    {
        ReportGuard crash(lock, 100ms);
        EXPECT_FALSE(crash.held());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    done = true;
    holder.join();
    ReportGuard after(lock, 100ms);
    EXPECT_TRUE(after.held());
}

}  // namespace
