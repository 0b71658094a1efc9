#pragma once
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace telemetry {

// The file that carries unsent record texts over to the next run: one record
// text per line, oldest first.
class StagingFile {
public:
    // The path in UTF-8.
    explicit StagingFile(const std::string& path);

    // The last keepLast lines that look like record texts ("{...}"); a missing
    // or unreadable file has none.
    std::deque<std::string> Load(size_t keepLast) const;
    // Replaces the contents as one step: a new file is written beside it and
    // renamed over it, so a crash leaves either the old or the new contents.
    // False (and the old contents kept) when the new file cannot be written.
    bool Replace(const std::vector<std::string_view>& texts) const;

private:
    std::filesystem::path path_;
};

}  // namespace telemetry
