#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace sdk_tests {

// The collector tool, started for one test and ended with it (its standard
// input is ours; closing it ends the server).
class CollectorProcess {
public:
    explicit CollectorProcess(const std::filesystem::path& out,
                              const std::vector<std::wstring>& options = {});

    int port() const { return server_.port(); }
    std::string Url() const;
    // The records it accepted, one compact JSON text each, in arrival order.
    std::vector<std::string> Records() const;

private:
    std::filesystem::path out_;
    testing_support::ServerTool server_;
};

// The path as the SDK takes it, in UTF-8.
std::string Utf8Path(const std::filesystem::path& path);
std::vector<std::string> ReadLines(const std::filesystem::path& file);
// Runs a tool of tools/ with the given standard input and returns its output.
std::string RunTool(const char* name, const std::wstring& arguments, const std::string& input);
// A loopback port that nothing listens on (taken and given back at once).
int UnusedPort();

}  // namespace sdk_tests
