#pragma once
// Shared pieces of the test programs: child entries (the test program starts
// itself again to play a second process), scratch folders and log capture.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/Process.h"

namespace testing_support {

// A child entry runs instead of the tests when the program is started with
// "--child=<name>"; its arguments follow, and its result is the exit code.
using ChildEntry = int (*)(const std::vector<std::string>& args);
bool RegisterChildEntry(const char* name, ChildEntry entry);

#define QM_CHILD_ENTRY(name)                                            \
    static int name##ChildEntry(const std::vector<std::string>& args);  \
    static const bool name##ChildRegistered =                           \
        ::testing_support::RegisterChildEntry(#name, name##ChildEntry); \
    static int name##ChildEntry([[maybe_unused]] const std::vector<std::string>& args)

// Starts this test program as the named child entry with the given arguments.
platform::Process StartChild(const std::string& name, const std::vector<std::string>& args,
                             const platform::SpawnOptions& options = {});
// Runs it to its end and returns the exit code.
uint32_t RunChild(const std::string& name, const std::vector<std::string>& args);

// A folder of its own for one test, removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// Collects the lines of the debug-output channel while it lives.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    std::vector<std::wstring> Lines() const;
};

// Runs a program to its end with its standard output on a pipe.
struct ProgramResult {
    uint32_t exitCode = 0;
    std::string output;
};
ProgramResult RunProgram(const std::wstring& commandLine);

// Polls until the predicate holds or the time is up.
bool WaitUntil(const std::function<bool()>& predicate, int timeoutMs = 10000);

// The folder of the running test program (tools are built beside the tests'
// parent folder, in tools/).
std::filesystem::path ProgramFolder();
// A program of tools/ by its file name.
std::filesystem::path ToolPath(const std::string& fileName);

// A server program of tools/ for one test: started with the given arguments
// and "--exit-on-eof", its first output line "port=N" read, and ended by
// closing its standard input (Stop, or the destructor).
class ServerTool {
public:
    ServerTool(const std::string& fileName, const std::wstring& arguments);
    ~ServerTool();
    ServerTool(const ServerTool&) = delete;
    ServerTool& operator=(const ServerTool&) = delete;

    int port() const { return port_; }
    void Stop();

private:
    platform::Process process_;
    platform::NativeHandle input_ = platform::kNoHandle;
    int port_ = 0;
};

}  // namespace testing_support
