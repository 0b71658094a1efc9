#include "utils/Thread.h"

#include <cassert>

#include "platform/Thread.h"
#include "utils/DebugLog.h"

namespace Utils {

Thread::Thread(void* parameter, std::wstring name, Procedure procedure)
    : procedure_(std::move(procedure)), parameter_(parameter), name_(std::move(name)) {
    uint32_t id = 0;
    handle_ = platform::CreateSuspendedThread(&Thread::CallBack, this, id);
    if (handle_ == platform::kNoHandle) return;
    threadId_ = id;
    platform::SetThreadName(handle_, threadId_, DebuggerName());
}

Thread::~Thread() {
    Close();
    name_.clear();
    procedure_ = nullptr;
}

bool Thread::Resume() {
    if (handle_ == platform::kNoHandle || !platform::ResumeThread(handle_)) return false;
    resumed_ = true;
    return true;
}

void Thread::Join() {
    Close();
}

void Thread::Close() {
    if (handle_ == platform::kNoHandle) return;
    if (threadId_ == platform::CurrentThreadId()) {
        // Waiting for itself would never end: the owner broke the rule.
        assert(!"a Utils::Thread joined or destroyed from its own thread");
        platform::DetachThread(handle_);
    } else {
        if (!resumed_) {
            cancelled_ = true;
            platform::ResumeThread(handle_);
        }
        platform::JoinThread(handle_);
    }
    threadId_ = kNoThreadId;
}

std::wstring Thread::DebuggerName() const {
    return name_.empty() ? L"t" + std::to_wstring(threadId_) : name_;
}

std::wstring Thread::SystemName() const {
    return platform::GetThreadName(handle_);
}

uint32_t Thread::CallBack(void* thread) {
    auto* self = static_cast<Thread*>(thread);
    if (self->cancelled_) return 0;
    DEBUG_LOG(L"THREAD BEGIN");
    if (self->procedure_) self->procedure_(self->parameter_);
    DEBUG_LOG(L"THREAD END");
    return 0;
}

}  // namespace Utils
