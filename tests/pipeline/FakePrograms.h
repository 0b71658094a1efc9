#pragma once
// Fake packages and uninstallers made by make-fake-package, and a receiver
// that keeps the events of a run.
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "pipeline/StatusCodes.h"

namespace pipeline_test {

std::filesystem::path ToolPath(const std::string& name);
std::wstring Wide(const std::filesystem::path& path);

// Makes out from the tool "fake-package" or "fake-uninstaller" with the script.
void MakeFake(const std::string& tool, const std::string& script, const std::filesystem::path& out,
              const std::filesystem::path& attach = {});

struct Event {
    int code;
    double value;
    std::wstring text;
    bool operator==(const Event&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Event& event);

class EventLog {
public:
    StatusCallback Callback();
    void Clear();
    std::vector<Event> Events() const;
    std::vector<int> Codes() const;
    // Waits until an event with the code has arrived.
    bool WaitFor(int code, int timeoutMs = 10000) const;

private:
    mutable std::mutex lock_;
    std::vector<Event> events_;
};

}  // namespace pipeline_test
