#pragma once
#include <stdexcept>
#include <string>

namespace varen::tracking {

// The one error the tracker layer raises; it never leaves the layer (the
// wrapper turns it into one output line).
class KxException : public std::exception {
public:
    KxException(std::string message, std::string file, std::string function, int line)
        : message_(std::move(message)),
          file_(std::move(file)),
          function_(std::move(function)),
          line_(line) {}

    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& file() const { return file_; }
    const std::string& function() const { return function_; }
    int line() const { return line_; }

    int code = -1;
    int subCode = -1;

private:
    std::string message_;
    std::string file_;
    std::string function_;
    int line_;
};

// The source names the layer's errors carry, as the collector's dashboards know them.
inline constexpr const char* kImplSource = "source\\src\\UsageTrackerImpl";
inline constexpr const char* kContextSource = "source\\src\\KxContextProperties";
inline constexpr const char* kUserTrackerSource = "source\\src\\NativeUserTracker";

}  // namespace varen::tracking
