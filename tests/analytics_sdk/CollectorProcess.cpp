#include "CollectorProcess.h"

#include <fstream>
#include <stdexcept>

#include "platform/CommandLine.h"
#include "platform/Pipe.h"
#include "platform/Socket.h"
#include "support/TestSupport.h"

namespace sdk_tests {

namespace {

std::filesystem::path ToolPath(const char* name) {
    return testing_support::ProgramFolder().parent_path() / "tools" / name;
}

}  // namespace

CollectorProcess::CollectorProcess(const std::filesystem::path& out,
                                   const std::vector<std::wstring>& options)
    : out_(out) {
    const auto tool = ToolPath(QM_COLLECTOR);
    std::wstring commandLine = platform::QuoteArgument(tool.wstring()) + L" --port 0 --out " +
                               platform::QuoteArgument(out.wstring()) + L" --exit-on-eof";
    for (const auto& option : options) commandLine += L" " + option;

    platform::NativeHandle inRead, outRead, outWrite;
    if (!platform::CreatePipe(inRead, input_) || !platform::CreatePipe(outRead, outWrite)) {
        throw std::runtime_error("no pipe for the collector");
    }
    platform::SpawnOptions spawn;
    spawn.stdIn = inRead;
    spawn.stdOut = outWrite;
    const bool started = process_.Start(commandLine, spawn);
    platform::CloseHandle(inRead);
    platform::CloseHandle(outWrite);
    std::string line;
    char c;
    while (started && platform::ReadHandle(outRead, &c, 1) == 1 && c != '\n') line += c;
    platform::CloseHandle(outRead);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("port=", 0) != 0) throw std::runtime_error("collector did not start: " + line);
    port_ = std::stoi(line.substr(5));
}

CollectorProcess::~CollectorProcess() {
    platform::CloseHandle(input_);
    process_.Wait();
}

std::string CollectorProcess::Url() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/sa?project=pc";
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
    const bool started =
        process.Start(platform::QuoteArgument(ToolPath(name).wstring()) + L" " + arguments, spawn);
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
