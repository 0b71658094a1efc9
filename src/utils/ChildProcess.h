#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/Process.h"
#include "utils/Pipe.h"

namespace Utils {

// A child process, started hidden, whose standard error, output and input are
// pipes. The owner reads outPipe.readEnd, polls or waits for the exit code and
// may feed the input. The error stream is read by the object itself in the
// background, so that a child writing much to it never blocks on a full pipe
// while its owner reads only the output.
class ChildProcess {
public:
    // The largest command line: what fits the 1,024-character buffer of the
    // process-creation call with its terminating NUL.
    static constexpr size_t kMaxCommandLine = 1023;
    // The error stream is kept up to this many bytes; the rest is read and dropped.
    static constexpr size_t kMaxErrorOutput = 1 << 20;

    // Creates the three pipes (error, output, input, in this order); throws
    // Utils::Exception when the system refuses one.
    ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Starts the command line with the pipes as its standard handles and
    // closes the child's ends here. Throws Utils::Exception for a command line
    // longer than kMaxCommandLine, when already started, or when the system
    // cannot start it.
    void Start(const std::wstring& commandLine);

    // Writes all of the data to the child's input; false when it is closed.
    bool WriteInput(std::string_view data);
    // Ends the child's input, so that it reads end of file.
    void CloseInput();

    // platform::kStillActive while the child runs, then its exit code.
    uint32_t ExitCode() { return process.ExitCode(); }
    uint32_t Wait() { return process.Wait(); }
    uint32_t ProcessId() const { return process.Id(); }
    // What the child wrote to its standard error; waits until that stream has
    // ended (the child and whoever shares the stream have closed it).
    std::string ErrorOutput();

    // Closes the process and every pipe end still open. A child still
    // running goes on without its pipes.
    void Close();

    std::wstring commandLine;
    Pipe errPipe;
    Pipe outPipe;
    Pipe inPipe;
    platform::Process process;

private:
    struct ErrorReader;
    std::shared_ptr<ErrorReader> errorReader_;
};

}  // namespace Utils
