#include "DownloadFixtures.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "download/DownloaderFactory.h"
#include "platform/CommandLine.h"
#include "platform/Pipe.h"
#include "support/TestSupport.h"

namespace download_tests {

std::string MakeContent(size_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    uint64_t state = 0x9E3779B97F4A7C15ULL * (seed + 1);
    for (size_t i = 0; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        bytes[i] = static_cast<char>(state >> 24);
    }
    return bytes;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string NarrowPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

namespace {

std::filesystem::path NextServerLog(const std::filesystem::path& root) {
    static std::atomic<int> servers{0};
    return root.parent_path() / ("server-" + std::to_string(++servers) + ".log");
}

}  // namespace

PackageServer::PackageServer(const std::filesystem::path& root, int port)
    : log_(NextServerLog(root)),
      server_(QM_PACKAGE_SERVER, L"--root " + platform::QuoteArgument(root.wstring()) +
                                     L" --port " + std::to_wstring(port) + L" --log " +
                                     platform::QuoteArgument(log_.wstring())) {}

void PackageServer::Stop() {
    server_.Stop();
}

std::wstring PackageServer::Url(const std::string& path) const {
    return L"http://127.0.0.1:" + std::to_wstring(port()) + std::wstring(path.begin(), path.end());
}

std::vector<std::string> PackageServer::LogLines() const {
    std::vector<std::string> lines;
    std::ifstream in(log_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> PackageServer::BodyRanges() const {
    std::vector<std::string> ranges;
    for (const auto& line : LogLines()) {
        if (line.rfind("GET /files/", 0) != 0) continue;
        ranges.push_back(line.substr(line.rfind(' ') + 1));
    }
    return ranges;
}

DownloadRecorder::DownloadRecorder(int type, const std::wstring& url,
                                   const std::filesystem::path& target)
    : target_(target) {
    downloader_ = CreateDownloader(
        type, [this](int code, double value, const wchar_t* text) { OnEvent(code, value, text); },
        url, target.wstring());
}

DownloadRecorder::~DownloadRecorder() {
    Destroy();
}

void DownloadRecorder::Start() {
    downloader_->Start();
}

void DownloadRecorder::Destroy() {
    downloader_.reset();
    std::lock_guard<std::mutex> guard(lock_);
    destroyed_ = true;
}

void DownloadRecorder::OnEvent(int code, double value, const wchar_t* text) {
    // The pipeline's own reaction comes first, so a waiter sees its effect.
    if (code == DL_CODE_FAIL) {
        std::error_code ignored;
        std::filesystem::remove(target_, ignored);
    }
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (destroyed_) ++lateEvents_;
        events_.push_back({code, value, text});
    }
    changed_.notify_all();
    if (code == DL_CODE_RETRY) {
        if (beforeRetry) beforeRetry();
        downloader_->Start();
    }
}

bool DownloadRecorder::WaitFinal(int timeoutMs) {
    std::unique_lock<std::mutex> guard(lock_);
    return changed_.wait_for(guard, std::chrono::milliseconds(timeoutMs), [this] {
        return !events_.empty() &&
               (events_.back().code == DL_CODE_SUCCESS || events_.back().code == DL_CODE_FAIL);
    });
}

bool DownloadRecorder::WaitFor(int code, int timeoutMs) {
    std::unique_lock<std::mutex> guard(lock_);
    return changed_.wait_for(guard, std::chrono::milliseconds(timeoutMs), [&] {
        for (const auto& event : events_) {
            if (event.code == code) return true;
        }
        return false;
    });
}

std::vector<Event> DownloadRecorder::Events() const {
    std::lock_guard<std::mutex> guard(lock_);
    return events_;
}

std::vector<Event> DownloadRecorder::Milestones() const {
    std::vector<Event> milestones;
    for (const auto& event : Events()) {
        if (event.code != DL_CODE_PROGRESS) milestones.push_back(event);
    }
    return milestones;
}

std::vector<double> DownloadRecorder::Progress() const {
    std::vector<double> values;
    for (const auto& event : Events()) {
        if (event.code == DL_CODE_PROGRESS) values.push_back(event.value);
    }
    return values;
}

RecordingReporter::RecordingReporter() {
    SetDownloadReporter(this);
}

RecordingReporter::~RecordingReporter() {
    SetDownloadReporter(nullptr);
}

void RecordingReporter::ReportLengthQueryFailed(const std::wstring& reason) {
    std::lock_guard<std::mutex> guard(lock_);
    reasons_.push_back(reason);
}

std::vector<std::wstring> RecordingReporter::Reasons() const {
    std::lock_guard<std::mutex> guard(lock_);
    return reasons_;
}

std::vector<std::pair<int, std::wstring>> CodesAndTexts(const std::vector<Event>& events) {
    std::vector<std::pair<int, std::wstring>> pairs;
    for (const auto& event : events) pairs.emplace_back(event.code, event.text);
    return pairs;
}

}  // namespace download_tests
