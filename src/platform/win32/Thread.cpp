#include <windows.h>
// After windows.h, which they build on.
#include <process.h>

#include <vector>

#include "platform/Thread.h"

namespace platform {
namespace {

struct ThreadStart {
    ThreadEntry entry;
    void* argument;
};

unsigned __stdcall Run(void* start) {
    const ThreadStart copy = *static_cast<ThreadStart*>(start);
    delete static_cast<ThreadStart*>(start);
    return copy.entry(copy.argument);
}

HANDLE AsHandle(NativeHandle thread) {
    return reinterpret_cast<HANDLE>(thread);
}

// The record that debuggers read from the naming exception.
#pragma pack(push, 8)
struct ThreadNameInfo {
    DWORD type;  // 0x1000
    LPCSTR name;
    DWORD threadId;
    DWORD flags;
};
#pragma pack(pop)

constexpr DWORD kSetThreadNameException = 0x406D1388;

// MinGW has no __try: a vectored handler swallows the exception once the
// debugger has seen it, so it can never end the process.
LONG CALLBACK SwallowThreadName(EXCEPTION_POINTERS* info) {
    return info->ExceptionRecord->ExceptionCode == kSetThreadNameException
               ? EXCEPTION_CONTINUE_EXECUTION
               : EXCEPTION_CONTINUE_SEARCH;
}

void AnnounceToDebugger(uint32_t threadId, const std::string& name) {
    if (!IsDebuggerPresent()) return;
    PVOID handler = AddVectoredExceptionHandler(1, SwallowThreadName);
    if (!handler) return;
    ThreadNameInfo info = {0x1000, name.c_str(), threadId, 0};
    RaiseException(kSetThreadNameException, 0, sizeof info / sizeof(ULONG_PTR),
                   reinterpret_cast<const ULONG_PTR*>(&info));
    RemoveVectoredExceptionHandler(handler);
}

template <typename Function>
Function Kernel32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

std::string ToAnsi(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(size));
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer.data(), size, nullptr, nullptr);
    return buffer.data();
}

}  // namespace

NativeHandle CreateSuspendedThread(ThreadEntry entry, void* argument, uint32_t& threadId) {
    auto* start = new ThreadStart{entry, argument};
    unsigned id = 0;
    uintptr_t thread = _beginthreadex(nullptr, 0, Run, start, CREATE_SUSPENDED, &id);
    if (thread == 0) {
        delete start;
        return kNoHandle;
    }
    threadId = id;
    return static_cast<NativeHandle>(thread);
}

bool ResumeThread(NativeHandle thread) {
    return thread != kNoHandle && ::ResumeThread(AsHandle(thread)) != static_cast<DWORD>(-1);
}

void JoinThread(NativeHandle& thread) {
    if (thread == kNoHandle) return;
    WaitForSingleObject(AsHandle(thread), INFINITE);
    ::CloseHandle(AsHandle(thread));
    thread = kNoHandle;
}

void DetachThread(NativeHandle& thread) {
    if (thread == kNoHandle) return;
    ::CloseHandle(AsHandle(thread));
    thread = kNoHandle;
}

void SetThreadName(NativeHandle thread, uint32_t threadId, const std::wstring& name) {
    if (thread == kNoHandle) return;
    AnnounceToDebugger(threadId, ToAnsi(name));
    using SetDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
    if (auto set = Kernel32Function<SetDescription>("SetThreadDescription")) {
        set(AsHandle(thread), name.c_str());
    }
}

std::wstring GetThreadName(NativeHandle thread) {
    if (thread == kNoHandle) return {};
    using GetDescription = HRESULT(WINAPI*)(HANDLE, PWSTR*);
    auto get = Kernel32Function<GetDescription>("GetThreadDescription");
    PWSTR description = nullptr;
    if (!get || FAILED(get(AsHandle(thread), &description)) || !description) return {};
    std::wstring name = description;
    LocalFree(description);
    return name;
}

}  // namespace platform
