#include "utils/ChildProcess.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/Pipe.h"
#include "utils/Exception.h"

namespace Utils {

// Reads the error stream to its end on a thread of its own. The thread shares
// this record with the ChildProcess, so either may be gone first: Close never
// waits for a child that keeps its error stream open.
struct ChildProcess::ErrorReader {
    std::mutex lock;
    std::condition_variable finished;
    bool done = false;
    std::string text;

    static void Run(std::shared_ptr<ErrorReader> reader, platform::NativeHandle readEnd) {
        char buffer[4096];
        for (long n; (n = platform::ReadHandle(readEnd, buffer, sizeof buffer)) > 0;) {
            std::lock_guard<std::mutex> guard(reader->lock);
            const size_t room = kMaxErrorOutput - reader->text.size();
            reader->text.append(buffer, std::min(room, static_cast<size_t>(n)));
        }
        platform::CloseHandle(readEnd);
        std::lock_guard<std::mutex> guard(reader->lock);
        reader->done = true;
        reader->finished.notify_all();
    }
};

ChildProcess::ChildProcess() = default;

ChildProcess::~ChildProcess() {
    Close();
}

void ChildProcess::Start(const std::wstring& line) {
    if (line.size() > kMaxCommandLine) {
        throw Exception(L"command line longer than " + std::to_wstring(kMaxCommandLine) +
                        L" characters");
    }
    if (process.Running() || errPipe.writeEnd == platform::kNoHandle ||
        outPipe.writeEnd == platform::kNoHandle || inPipe.readEnd == platform::kNoHandle) {
        throw Exception(L"child process already started");
    }
    commandLine = line;
    platform::SpawnOptions options;
    options.stdIn = inPipe.readEnd;
    options.stdOut = outPipe.writeEnd;
    options.stdErr = errPipe.writeEnd;
    if (!process.Start(commandLine, options)) throw Exception();

    platform::CloseHandle(outPipe.writeEnd);
    platform::CloseHandle(errPipe.writeEnd);
    platform::CloseHandle(inPipe.readEnd);

    errorReader_ = std::make_shared<ErrorReader>();
    std::thread(&ErrorReader::Run, errorReader_,
                std::exchange(errPipe.readEnd, platform::kNoHandle))
        .detach();
}

bool ChildProcess::WriteInput(std::string_view data) {
    if (inPipe.writeEnd == platform::kNoHandle) return false;
    while (!data.empty()) {
        long n = platform::WriteHandle(inPipe.writeEnd, data.data(), data.size());
        if (n <= 0) return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void ChildProcess::CloseInput() {
    platform::CloseHandle(inPipe.writeEnd);
}

std::string ChildProcess::ErrorOutput() {
    if (!errorReader_) return {};
    std::unique_lock<std::mutex> guard(errorReader_->lock);
    errorReader_->finished.wait(guard, [&] { return errorReader_->done; });
    return errorReader_->text;
}

void ChildProcess::Close() {
    process.Close();
    errPipe.Close();
    outPipe.Close();
    inPipe.Close();
    errorReader_.reset();
}

}  // namespace Utils
