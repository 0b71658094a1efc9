#include <windows.h>
#include <shellapi.h>

#include <mutex>


#include "platform/CommandLine.h"
#include "platform/Process.h"

namespace platform {

uint32_t CurrentProcessId() { return GetCurrentProcessId(); }
uint32_t CurrentThreadId() { return GetCurrentThreadId(); }

LocalTime GetLocalTime() {
    SYSTEMTIME t;
    ::GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::wstring ModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::vector<std::wstring> ProcessArguments() { return SplitCommandLine(GetCommandLineW()); }

std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine) {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(commandLine.c_str(), &count);
    if (!argv) return {};
    std::vector<std::wstring> arguments(argv, argv + count);
    LocalFree(argv);
    return arguments;
}

namespace {

// Children inherit only the handles given to them: each is duplicated as an
// inheritable handle just for the spawn. Spawns are serialised so that one
// child never inherits another's handles.
std::mutex g_spawnLock;

HANDLE InheritableCopy(NativeHandle given, DWORD standard) {
    HANDLE source = given != kNoHandle ? reinterpret_cast<HANDLE>(given) : GetStdHandle(standard);
    HANDLE copy = nullptr;
    if (!source || !DuplicateHandle(GetCurrentProcess(), source, GetCurrentProcess(), &copy, 0,
                                    TRUE, DUPLICATE_SAME_ACCESS)) {
        return nullptr;
    }
    return copy;
}

}  // namespace

bool Process::Start(const std::wstring& commandLine, const SpawnOptions& options) {
    Close();
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    const bool redirect = options.stdIn != kNoHandle || options.stdOut != kNoHandle ||
                          options.stdErr != kNoHandle;
    std::lock_guard<std::mutex> lock(g_spawnLock);
    if (redirect) {
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = InheritableCopy(options.stdIn, STD_INPUT_HANDLE);
        startup.hStdOutput = InheritableCopy(options.stdOut, STD_OUTPUT_HANDLE);
        startup.hStdError = InheritableCopy(options.stdErr, STD_ERROR_HANDLE);
    }
    std::wstring mutableLine = commandLine;  // CreateProcessW may write into it
    PROCESS_INFORMATION info = {};
    const BOOL started =
        CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, redirect ? TRUE : FALSE,
                       CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info);
    for (HANDLE copy : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        if (copy) ::CloseHandle(copy);
    }
    if (!started) return false;
    ::CloseHandle(info.hThread);
    handle_ = reinterpret_cast<NativeHandle>(info.hProcess);
    id_ = info.dwProcessId;
    return true;
}

uint32_t Process::ExitCode() {
    if (handle_ == kNoHandle || exited_) return exitCode_;
    DWORD code = kStillActive;
    if (!GetExitCodeProcess(reinterpret_cast<HANDLE>(handle_), &code)) return kStillActive;
    if (code == STILL_ACTIVE &&
        WaitForSingleObject(reinterpret_cast<HANDLE>(handle_), 0) != WAIT_OBJECT_0) {
        return kStillActive;
    }
    exited_ = true;
    exitCode_ = code;
    return code;
}

uint32_t Process::Wait() {
    if (handle_ == kNoHandle) return exitCode_;
    WaitForSingleObject(reinterpret_cast<HANDLE>(handle_), INFINITE);
    return ExitCode();
}

void Process::Close() {
    if (handle_ != kNoHandle) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = kNoHandle;
    id_ = 0;
    exited_ = false;
    exitCode_ = kStillActive;
}

}  // namespace platform
