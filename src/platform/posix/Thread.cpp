#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/Text.h"
#include "platform/Thread.h"

namespace platform {
namespace {

// pthreads have no suspended state: the new thread reports its kernel id and
// then waits at this gate until it is resumed.
struct ThreadState {
    ThreadEntry entry = nullptr;
    void* argument = nullptr;
    pthread_t thread{};
    std::mutex lock;
    std::condition_variable changed;
    bool idKnown = false;
    uint32_t id = 0;
    bool resumed = false;
};

// A handle and the running thread each own the state, so either may go first.
using SharedState = std::shared_ptr<ThreadState>;

SharedState& StateOf(NativeHandle thread) {
    return *reinterpret_cast<SharedState*>(thread);
}

void* Run(void* start) {
    SharedState state = std::move(*static_cast<SharedState*>(start));
    delete static_cast<SharedState*>(start);
    {
        std::unique_lock<std::mutex> guard(state->lock);
        state->id = static_cast<uint32_t>(::syscall(SYS_gettid));
        state->idKnown = true;
        state->changed.notify_all();
        state->changed.wait(guard, [&] { return state->resumed; });
    }
    state->entry(state->argument);
    return nullptr;
}

}  // namespace

NativeHandle CreateSuspendedThread(ThreadEntry entry, void* argument, uint32_t& threadId) {
    auto state = std::make_shared<ThreadState>();
    state->entry = entry;
    state->argument = argument;
    auto* start = new SharedState(state);
    if (::pthread_create(&state->thread, nullptr, Run, start) != 0) {
        delete start;
        return kNoHandle;
    }
    std::unique_lock<std::mutex> guard(state->lock);
    state->changed.wait(guard, [&] { return state->idKnown; });
    threadId = state->id;
    return reinterpret_cast<NativeHandle>(new SharedState(state));
}

bool ResumeThread(NativeHandle thread) {
    if (thread == kNoHandle) return false;
    ThreadState& state = *StateOf(thread);
    std::lock_guard<std::mutex> guard(state.lock);
    state.resumed = true;
    state.changed.notify_all();
    return true;
}

void JoinThread(NativeHandle& thread) {
    if (thread == kNoHandle) return;
    auto* state = &StateOf(thread);
    ::pthread_join((*state)->thread, nullptr);
    delete state;
    thread = kNoHandle;
}

void DetachThread(NativeHandle& thread) {
    if (thread == kNoHandle) return;
    auto* state = &StateOf(thread);
    ::pthread_detach((*state)->thread);
    delete state;
    thread = kNoHandle;
}

void SetThreadName(NativeHandle thread, uint32_t, const std::wstring& name) {
    if (thread == kNoHandle) return;
    // The kernel keeps 15 bytes; a cut never splits a UTF-8 sequence.
    std::string text = ToUtf8(name);
    if (text.size() > 15) {
        size_t cut = 15;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        text.resize(cut);
    }
    ::pthread_setname_np(StateOf(thread)->thread, text.c_str());
}

std::wstring GetThreadName(NativeHandle thread) {
    if (thread == kNoHandle) return {};
    char name[16] = {};
    if (::pthread_getname_np(StateOf(thread)->thread, name, sizeof name) != 0) return {};
    return FromUtf8(name);
}

}  // namespace platform
