#include "FakePrograms.h"

#include <gtest/gtest.h>

#include <ostream>

#include "platform/CommandLine.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

namespace pipeline_test {

namespace fs = std::filesystem;

fs::path ToolPath(const std::string& name) {
#ifdef _WIN32
    const std::string suffix = ".exe";
#else
    const std::string suffix;
#endif
    return testing_support::ToolPath(name + suffix);
}

std::wstring Wide(const fs::path& path) {
    const std::u8string utf8 = path.u8string();
    return platform::FromUtf8(std::string(utf8.begin(), utf8.end()));
}

void MakeFake(const std::string& tool, const std::string& script, const fs::path& out,
              const fs::path& attach) {
    const fs::path scriptFile = out.string() + ".script";
    testing_support::WriteFile(scriptFile, script);
    std::wstring line = platform::QuoteArgument(Wide(ToolPath("make-fake-package"))) +
                        L" --program " + platform::QuoteArgument(Wide(ToolPath(tool))) +
                        L" --script " + platform::QuoteArgument(Wide(scriptFile)) + L" --out " +
                        platform::QuoteArgument(Wide(out));
    if (!attach.empty()) line += L" --attach " + platform::QuoteArgument(Wide(attach));
    const auto result = testing_support::RunProgram(line);
    ASSERT_EQ(result.exitCode, 0u) << result.output;
}

std::ostream& operator<<(std::ostream& out, const Event& event) {
    return out << "{" << event.code << ", " << event.value << ", \"" << platform::ToUtf8(event.text)
               << "\"}";
}

StatusCallback EventLog::Callback() {
    return [this](int code, double value, const wchar_t* text) {
        std::lock_guard<std::mutex> guard(lock_);
        events_.push_back({code, value, text});
    };
}

void EventLog::Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    events_.clear();
}

std::vector<Event> EventLog::Events() const {
    std::lock_guard<std::mutex> guard(lock_);
    return events_;
}

std::vector<int> EventLog::Codes() const {
    std::vector<int> codes;
    for (const auto& event : Events()) codes.push_back(event.code);
    return codes;
}

bool EventLog::WaitFor(int code, int timeoutMs) const {
    return testing_support::WaitUntil(
        [&] {
            for (const auto& event : Events()) {
                if (event.code == code) return true;
            }
            return false;
        },
        timeoutMs);
}

}  // namespace pipeline_test
