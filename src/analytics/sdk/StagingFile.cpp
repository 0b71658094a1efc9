#include "analytics/sdk/StagingFile.h"

#include <fstream>
#include <system_error>

namespace telemetry {

namespace {

std::filesystem::path FromUtf8Path(const std::string& path) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
}

bool IsRecordLine(const std::string& line) {
    return !line.empty() && line.front() == '{' && line.back() == '}';
}

}  // namespace

StagingFile::StagingFile(const std::string& path) : path_(FromUtf8Path(path)) {}

std::deque<std::string> StagingFile::Load(size_t keepLast) const {
    std::deque<std::string> lines;
    if (keepLast == 0) return lines;
    std::ifstream file(path_);
    for (std::string line; std::getline(file, line);) {
        // Text mode already folds the platform's line end; a file written
        // elsewhere may still carry a carriage return.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!IsRecordLine(line)) continue;
        lines.push_back(std::move(line));
        if (lines.size() > keepLast) lines.pop_front();
    }
    return lines;
}

bool StagingFile::Replace(const std::vector<std::string_view>& texts) const {
    std::filesystem::path fresh = path_;
    fresh += ".new";
    {
        std::ofstream file(fresh, std::ios::trunc);
        if (!file) return false;
        for (const auto& text : texts) {
            file.write(text.data(), static_cast<std::streamsize>(text.size()));
            file << '\n';
        }
        file.flush();
        if (!file) {
            file.close();
            std::error_code ignored;
            std::filesystem::remove(fresh, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(fresh, path_, error);
    if (error) {
        std::filesystem::remove(fresh, error);
        return false;
    }
    return true;
}

}  // namespace telemetry
