#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Process.h"

namespace Utils {

// A worker thread with a name that debuggers show. It is created suspended and
// runs its procedure once after Resume; "THREAD BEGIN" and "THREAD END" frame
// the run in the log. It is owned by one thread, which must not be the worker
// itself when it joins or destroys it (checked in debug builds).
class Thread {
public:
    using Procedure = std::function<uint32_t(void* parameter)>;
    static constexpr uint32_t kNoThreadId = 0xFFFFFFFF;

    Thread(void* parameter, std::wstring name, Procedure procedure);
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    // Waits for the thread without a time limit.
    ~Thread();

    // True when there is a thread and it could be resumed.
    bool Resume();
    // Waits for the thread without a time limit and closes it.
    void Join();

    uint32_t threadId() const { return threadId_; }
    bool HasThread() const { return handle_ != platform::kNoHandle; }
    const std::wstring& name() const { return name_; }
    // The name as debuggers see it: the name, or "t" and the id when it is empty.
    std::wstring DebuggerName() const;
    // The name as the system keeps it for the running thread.
    std::wstring SystemName() const;

    static uint32_t CallBack(void* thread);

private:
    void Close();

    uint32_t threadId_ = kNoThreadId;
    platform::NativeHandle handle_ = platform::kNoHandle;
    Procedure procedure_;
    void* parameter_;
    std::wstring name_;
    // A thread that was never resumed is let go without running its procedure,
    // so that closing it cannot wait forever for a thread that never starts.
    bool resumed_ = false;
    std::atomic<bool> cancelled_{false};
};

}  // namespace Utils
