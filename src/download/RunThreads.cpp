#include "download/RunThreads.h"

#include "platform/Process.h"

bool RunThreads::StartRun(void* parameter, Utils::Thread::Procedure procedure) {
    std::lock_guard<std::mutex> guard(lock_);
    if (stopped_) return false;
    JoinUnlessCurrent(ending_);
    if (current_ && current_->threadId() == platform::CurrentThreadId()) {
        ending_ = std::move(current_);
    } else {
        JoinUnlessCurrent(current_);
    }
    current_ = std::make_unique<Utils::Thread>(parameter, L"ABDEF", std::move(procedure));
    return current_->Resume();
}

void RunThreads::Stop() {
    std::unique_ptr<Utils::Thread> current, ending;
    {
        // A run thread may be about to start the next run from its callback;
        // it must find the flag, not wait for this lock while it is joined.
        std::lock_guard<std::mutex> guard(lock_);
        stopped_ = true;
        current = std::move(current_);
        ending = std::move(ending_);
    }
    JoinUnlessCurrent(current);
    JoinUnlessCurrent(ending);
}

void RunThreads::JoinUnlessCurrent(std::unique_ptr<Utils::Thread>& thread) {
    if (!thread) return;
    if (thread->threadId() == platform::CurrentThreadId()) return;
    thread->Join();
    thread.reset();
}
