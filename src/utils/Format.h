#pragma once
// A printf-style wide formatter whose arguments carry their types, so a format
// can never read an argument as something it is not. Every "%s" takes a wide
// string; "%c" a wide character; integer and floating conversions take numbers.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace Utils {

class FormatArg {
public:
    enum class Kind { Signed, Unsigned, Floating, Text, Pointer };

    template <typename T>
        requires std::is_integral_v<T>
    FormatArg(T value) {  // NOLINT: implicit by design
        bytes_ = sizeof(T);
        if constexpr (std::is_same_v<T, bool>) {
            kind_ = Kind::Unsigned;
            unsigned_ = value ? 1 : 0;
        } else if constexpr (std::is_signed_v<T>) {
            kind_ = Kind::Signed;
            signed_ = value;
        } else {
            kind_ = Kind::Unsigned;
            unsigned_ = value;
        }
    }
    template <typename T>
        requires std::is_enum_v<T>
    FormatArg(T value) : FormatArg(static_cast<std::underlying_type_t<T>>(value)) {}
    FormatArg(double value) : kind_(Kind::Floating), floating_(value) {}
    FormatArg(const wchar_t* text) : kind_(Kind::Text), text_(text ? text : L"(null)") {}
    FormatArg(const std::wstring& text) : kind_(Kind::Text), text_(text) {}
    FormatArg(std::wstring_view text) : kind_(Kind::Text), text_(text) {}
    FormatArg(const void* pointer)
        : kind_(Kind::Pointer), unsigned_(reinterpret_cast<uintptr_t>(pointer)) {}

    Kind kind() const { return kind_; }
    int64_t AsSigned() const;
    uint64_t AsUnsigned() const;  // wraps a negative value to its own width
    double AsFloating() const;
    std::wstring_view Text() const { return text_; }

private:
    Kind kind_;
    size_t bytes_ = 8;
    int64_t signed_ = 0;
    uint64_t unsigned_ = 0;
    double floating_ = 0;
    std::wstring_view text_;
};

// Formats like swprintf. Supported: flags "-+ 0#", width, precision, length
// modifiers (accepted and ignored: the arguments know their size), and the
// conversions d i u o x X c s f F e E g G p %. A conversion without an argument
// is copied as written, so a fault shows in the text instead of reading garbage.
std::wstring FormatWide(std::wstring_view format, std::span<const FormatArg> args);
inline std::wstring FormatWide(std::wstring_view format, std::initializer_list<FormatArg> args) {
    return FormatWide(format, std::span<const FormatArg>(args.begin(), args.size()));
}

}  // namespace Utils
