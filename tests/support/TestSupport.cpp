#include "support/TestSupport.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <mutex>
#include <random>
#include <stdexcept>
#include <thread>

#include "platform/CommandLine.h"
#include "platform/DebugOutput.h"
#include "platform/Pipe.h"
#include "platform/Text.h"

namespace testing_support {

platform::Process StartChild(const std::string& name, const std::vector<std::string>& args,
                             const platform::SpawnOptions& options) {
    std::wstring commandLine =
        L"\"" + platform::ModuleFileName() + L"\" --child=" + platform::FromUtf8(name);
    for (const auto& arg : args)
        commandLine += L" " + platform::QuoteArgument(platform::FromUtf8(arg));
    platform::Process process;
    if (!process.Start(commandLine, options))
        throw std::runtime_error("cannot start child " + name);
    return process;
}

uint32_t RunChild(const std::string& name, const std::vector<std::string>& args) {
    return StartChild(name, args).Wait();
}

ProgramResult RunProgram(const std::wstring& commandLine) {
    platform::NativeHandle readEnd, writeEnd;
    if (!platform::CreatePipe(readEnd, writeEnd)) throw std::runtime_error("no pipe");
    platform::SpawnOptions options;
    options.stdOut = writeEnd;
    platform::Process process;
    const bool started = process.Start(commandLine, options);
    platform::CloseHandle(writeEnd);
    ProgramResult result;
    if (started) {
        char buffer[4096];
        for (long n; (n = platform::ReadHandle(readEnd, buffer, sizeof buffer)) > 0;) {
            result.output.append(buffer, static_cast<size_t>(n));
        }
    }
    platform::CloseHandle(readEnd);
    if (!started) throw std::runtime_error("cannot start program");
    result.exitCode = process.Wait();
    return result;
}

ScratchDir::ScratchDir() {
    std::random_device random;
    std::string leaf =
        "qm-test-" + std::to_string(platform::CurrentProcessId()) + "-" + std::to_string(random());
    path_ = std::filesystem::temp_directory_path() / leaf;
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

namespace {
std::mutex g_linesLock;
std::vector<std::wstring> g_lines;

void CaptureLine(const std::wstring& line) {
    std::lock_guard<std::mutex> lock(g_linesLock);
    g_lines.push_back(line);
}
}  // namespace

LogCapture::LogCapture() {
    {
        std::lock_guard<std::mutex> lock(g_linesLock);
        g_lines.clear();
    }
    platform::SetDebugOutputHook(CaptureLine);
}

LogCapture::~LogCapture() {
    platform::SetDebugOutputHook(nullptr);
}

std::vector<std::wstring> LogCapture::Lines() const {
    std::lock_guard<std::mutex> lock(g_linesLock);
    return g_lines;
}

bool WaitUntil(const std::function<bool()>& predicate, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!predicate()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

std::filesystem::path ProgramFolder() {
    return std::filesystem::path(platform::ModuleFileName()).parent_path();
}

std::filesystem::path ToolPath(const std::string& fileName) {
    return ProgramFolder().parent_path() / "tools" / fileName;
}

ServerTool::ServerTool(const std::string& fileName, const std::wstring& arguments) {
    const std::wstring commandLine = platform::QuoteArgument(ToolPath(fileName).wstring()) + L" " +
                                     arguments + L" --exit-on-eof";
    platform::NativeHandle inRead, outRead, outWrite;
    if (!platform::CreatePipe(inRead, input_)) throw std::runtime_error("no pipe for " + fileName);
    if (!platform::CreatePipe(outRead, outWrite)) {
        platform::CloseHandle(inRead);
        platform::CloseHandle(input_);
        throw std::runtime_error("no pipe for " + fileName);
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
    if (line.rfind("port=", 0) != 0) {
        Stop();
        throw std::runtime_error(fileName + " did not start: " + line);
    }
    port_ = std::stoi(line.substr(5));
}

ServerTool::~ServerTool() {
    Stop();
}

void ServerTool::Stop() {
    if (input_ == platform::kNoHandle) return;
    platform::CloseHandle(input_);
    process_.Wait();
}

}  // namespace testing_support
