#include "CollectorProcess.h"

#include <fstream>
#include <stdexcept>

#include "platform/CommandLine.h"
#include "platform/Pipe.h"
#include "platform/Socket.h"
#include "support/TestSupport.h"

namespace sdk_tests {

namespace {

std::wstring CollectorArguments(const std::filesystem::path& out,
                                const std::vector<std::wstring>& options) {
    std::wstring arguments = L"--port 0 --out " + platform::QuoteArgument(out.wstring());
    for (const auto& option : options) arguments += L" " + option;
    return arguments;
}

}  // namespace

CollectorProcess::CollectorProcess(const std::filesystem::path& out,
                                   const std::vector<std::wstring>& options)
    : out_(out), server_(QM_COLLECTOR, CollectorArguments(out, options)) {}

std::string CollectorProcess::Url() const {
    return "http://127.0.0.1:" + std::to_string(port()) + "/sa?project=pc";
}

std::vector<std::string> CollectorProcess::Records() const {
    return ReadLines(out_);
}

std::string Utf8Path(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::vector<std::string> ReadLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string RunTool(const char* name, const std::wstring& arguments, const std::string& input) {
    platform::NativeHandle inRead, inWrite, outRead, outWrite;
    if (!platform::CreatePipe(inRead, inWrite) || !platform::CreatePipe(outRead, outWrite)) {
        throw std::runtime_error("no pipe for the tool");
    }
    platform::SpawnOptions spawn;
    spawn.stdIn = inRead;
    spawn.stdOut = outWrite;
    platform::Process process;
    const bool started = process.Start(
        platform::QuoteArgument(testing_support::ToolPath(name).wstring()) + L" " + arguments,
        spawn);
    platform::CloseHandle(inRead);
    platform::CloseHandle(outWrite);
    // The commands are small enough for the pipe's buffer.
    if (started) platform::WriteHandle(inWrite, input.data(), input.size());
    platform::CloseHandle(inWrite);
    std::string output;
    char buffer[4096];
    for (long n; started && (n = platform::ReadHandle(outRead, buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<size_t>(n));
    }
    platform::CloseHandle(outRead);
    if (!started) throw std::runtime_error(std::string("cannot start ") + name);
    process.Wait();
    return output;
}

int UnusedPort() {
    platform::Socket probe = platform::Socket::ListenLoopback(0);
    return probe.LocalPort();
}

}  // namespace sdk_tests
