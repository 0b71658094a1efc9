#pragma once
#include <exception>
#include <string>

namespace Utils {

// What pipe and process creation throw; their owners catch it. The message is
// kept in the ANSI code page.
class Exception : public std::exception {
public:
    explicit Exception(const std::wstring& message = {});
    // The message, or "Unknown exception" when there is none.
    const char* what() const noexcept override;

private:
    std::string message_;
};

}  // namespace Utils
