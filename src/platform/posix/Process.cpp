#include <spawn.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "platform/CommandLine.h"
#include "platform/Process.h"
#include "platform/Text.h"

extern char** environ;

namespace platform {

uint32_t CurrentProcessId() { return static_cast<uint32_t>(::getpid()); }
uint32_t CurrentThreadId() { return static_cast<uint32_t>(::syscall(SYS_gettid)); }

LocalTime GetLocalTime() {
    timeval now{};
    ::gettimeofday(&now, nullptr);
    tm local{};
    ::localtime_r(&now.tv_sec, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,   local.tm_hour,
            local.tm_min,         local.tm_sec,     static_cast<int>(now.tv_usec / 1000)};
}

std::wstring ModuleFileName() {
    std::string path(256, '\0');
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
        if (n < 0) return {};
        if (static_cast<size_t>(n) < path.size()) {
            path.resize(static_cast<size_t>(n));
            return FromUtf8(path);
        }
        path.resize(path.size() * 2);
    }
}

std::vector<std::wstring> ProcessArguments() {
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::wstring> arguments;
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\0', start);
        if (end == std::string::npos) end = all.size();
        arguments.push_back(FromUtf8(std::string_view(all).substr(start, end - start)));
        start = end + 1;
    }
    return arguments;
}

std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine) {
    return SplitCommandLineLikeShell(commandLine);
}

bool Process::Start(const std::wstring& commandLine, const SpawnOptions& options) {
    Close();
    std::vector<std::wstring> arguments = SplitCommandLine(commandLine);
    if (arguments.empty() || arguments[0].empty()) return false;
    std::vector<std::string> narrow;
    for (const auto& argument : arguments) narrow.push_back(ToUtf8(argument));
    std::vector<char*> argv;
    for (auto& argument : narrow) argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const NativeHandle given[] = {options.stdIn, options.stdOut, options.stdErr};
    for (int target = 0; target < 3; ++target) {
        if (given[target] != kNoHandle) {
            posix_spawn_file_actions_adddup2(&actions, static_cast<int>(given[target]), target);
        }
    }
    pid_t pid = 0;
    int result = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) return false;
    handle_ = pid;
    id_ = static_cast<uint32_t>(pid);
    return true;
}

namespace {
uint32_t DecodeStatus(int status) {
    if (WIFEXITED(status)) return static_cast<uint32_t>(WEXITSTATUS(status));
    // Killed by a signal: report it the way a shell does.
    return 128u + static_cast<uint32_t>(WTERMSIG(status));
}
}  // namespace

uint32_t Process::ExitCode() {
    if (handle_ == kNoHandle || exited_) return exitCode_;
    int status = 0;
    pid_t done = ::waitpid(static_cast<pid_t>(handle_), &status, WNOHANG);
    if (done != static_cast<pid_t>(handle_)) return kStillActive;
    exited_ = true;
    exitCode_ = DecodeStatus(status);
    return exitCode_;
}

uint32_t Process::Wait() {
    if (handle_ == kNoHandle || exited_) return exitCode_;
    int status = 0;
    pid_t done;
    do {
        done = ::waitpid(static_cast<pid_t>(handle_), &status, 0);
    } while (done < 0 && errno == EINTR);
    exited_ = true;
    exitCode_ = done == static_cast<pid_t>(handle_) ? DecodeStatus(status) : kStillActive;
    return exitCode_;
}

void Process::Close() {
    // A child still running when its handle closes is reaped by nobody until
    // the parent ends; that matches a closed Win32 process handle.
    handle_ = kNoHandle;
    id_ = 0;
    exited_ = false;
    exitCode_ = kStillActive;
}

}  // namespace platform
