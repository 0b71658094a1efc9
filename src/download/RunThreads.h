#pragma once
// The run threads of a downloader. A new run may be started from inside the
// callback of the run that is ending, on that run's own thread: that thread
// cannot be waited for there, so it is kept aside and waited for by the next
// Start or by the destructor, and no thread outlives its downloader.
#include <memory>
#include <mutex>

#include "utils/Thread.h"

class RunThreads {
public:
    // Starts procedure(parameter) on a new thread named "ABDEF", after waiting
    // for the earlier run thread unless it is the calling thread. False once
    // Stop has been called.
    bool StartRun(void* parameter, Utils::Thread::Procedure procedure);
    // No run starts afterwards; waits for every run thread (except the
    // calling one).
    void Stop();

private:
    void JoinUnlessCurrent(std::unique_ptr<Utils::Thread>& thread);

    std::mutex lock_;
    bool stopped_ = false;
    std::unique_ptr<Utils::Thread> current_;
    std::unique_ptr<Utils::Thread> ending_;
};
