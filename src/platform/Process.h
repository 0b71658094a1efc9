#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

uint32_t CurrentProcessId();
uint32_t CurrentThreadId();

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, milliseconds = 0;
};
LocalTime GetLocalTime();

// Full path of the running executable.
std::wstring ModuleFileName();

// The process's own command line, split into arguments; the first is the
// program as it was started.
std::vector<std::wstring> ProcessArguments();

// Exit code reported while a process still runs (Win32's STILL_ACTIVE).
constexpr uint32_t kStillActive = 259;

// An operating-system handle (Win32 HANDLE) or file descriptor, as an integer.
using NativeHandle = intptr_t;
constexpr NativeHandle kNoHandle = -1;

struct SpawnOptions {
    // Standard handles of the child; kNoHandle inherits the parent's.
    NativeHandle stdIn = kNoHandle;
    NativeHandle stdOut = kNoHandle;
    NativeHandle stdErr = kNoHandle;
};

// A started child process. Moving transfers ownership; the destructor closes
// the handle without waiting for the child.
class Process {
public:
    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    // Starts the program named by the first argument of the command line (split
    // by the shell's rules) without a console window. False when it could not start.
    bool Start(const std::wstring& commandLine, const SpawnOptions& options = {});
    bool Running() const;
    uint32_t Id() const { return id_; }
    // kStillActive while the child runs, its exit code afterwards.
    uint32_t ExitCode();
    // Blocks until the child has ended and returns its exit code.
    uint32_t Wait();
    void Close();

private:
    NativeHandle handle_ = kNoHandle;
    uint32_t id_ = 0;
    bool exited_ = false;
    uint32_t exitCode_ = kStillActive;
};

}  // namespace platform
