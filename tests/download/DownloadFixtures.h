#pragma once
// The pieces the download tests share: package content made on the fly, the
// package-server tool started for one test, and a recorder that owns a
// downloader the way the install pipeline does.
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "download/DownloadReporter.h"
#include "download/Downloader.h"
#include "platform/Process.h"
#include "support/TestSupport.h"

namespace download_tests {

// size bytes that differ from one seed to the next and never repeat in short cycles.
std::string MakeContent(size_t size, uint32_t seed = 1);
std::string ReadFileBytes(const std::filesystem::path& path);
std::string NarrowPath(const std::filesystem::path& path);

// The package-server tool serving one folder; ended with the object.
class PackageServer {
public:
    explicit PackageServer(const std::filesystem::path& root, int port = 0);

    int port() const { return server_.port(); }
    // "http://127.0.0.1:<port>" followed by the path.
    std::wstring Url(const std::string& path) const;
    // The request log: "METHOD TARGET STATUS RANGE" per request.
    std::vector<std::string> LogLines() const;
    // The GET requests for /files/ only, as their range texts ("-" for none).
    std::vector<std::string> BodyRanges() const;
    // Ends the server now; later connections are refused.
    void Stop();

private:
    std::filesystem::path log_;
    testing_support::ServerTool server_;
};

struct Event {
    int code;
    double value;
    std::wstring text;
};

// Owns one downloader like the pipeline: Start again on DL_CODE_RETRY (after
// the optional hook), the target deleted on DL_CODE_FAIL.
class DownloadRecorder {
public:
    DownloadRecorder(int type, const std::wstring& url, const std::filesystem::path& target);
    ~DownloadRecorder();

    void Start();
    // Waits for DL_CODE_SUCCESS or DL_CODE_FAIL; false when the time ran out.
    bool WaitFinal(int timeoutMs = 60000);
    // Waits for the first event with this code.
    bool WaitFor(int code, int timeoutMs = 20000);
    // Destroys the downloader now; any later event is a fault (see LateEvents).
    void Destroy();

    std::vector<Event> Events() const;
    // Every event except DL_CODE_PROGRESS.
    std::vector<Event> Milestones() const;
    std::vector<double> Progress() const;
    int LateEvents() const { return lateEvents_; }
    std::function<void()> beforeRetry;

private:
    void OnEvent(int code, double value, const wchar_t* text);

    std::filesystem::path target_;
    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::vector<Event> events_;
    bool destroyed_ = false;
    int lateEvents_ = 0;
    std::unique_ptr<CDownloader> downloader_;
};

// A reporter that records what the tracker would send; installed while it lives.
class RecordingReporter : public DownloadReporter {
public:
    RecordingReporter();
    ~RecordingReporter() override;
    void ReportLengthQueryFailed(const std::wstring& reason) override;
    std::vector<std::wstring> Reasons() const;

private:
    mutable std::mutex lock_;
    std::vector<std::wstring> reasons_;
};

// Milestones as (code, text) pairs, for comparing against a table.
std::vector<std::pair<int, std::wstring>> CodesAndTexts(const std::vector<Event>& events);

}  // namespace download_tests
