#include <iconv.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/Text.h"

namespace platform {
namespace {

bool IsUtf8(unsigned codePage) {
    return codePage == kAnsiCodePage || codePage == kUtf8CodePage;
}

// iconv knows most code pages as "CP<n>"; these it knows only by their names.
const char* CommonName(unsigned codePage) {
    switch (codePage) {
        case 936:
            return "GBK";
        case 950:
            return "BIG5";
        case 20127:
            return "ASCII";
        case 20936:
            return "GB2312";
        case 54936:
            return "GB18030";
        case 28591:
            return "ISO-8859-1";
        case 1200:
            return "UTF-16LE";
        case 1201:
            return "UTF-16BE";
        default:
            return nullptr;
    }
}

// An open conversion, closed when it leaves scope.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(::iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) ::iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return handle_; }

private:
    iconv_t handle_;
};

// Opens the conversion between wchar_t and the code page in the given direction.
std::unique_ptr<Converter> Open(unsigned codePage, bool toWide) {
    const std::string numbered = "CP" + std::to_string(codePage);
    for (const char* name : {numbered.c_str(), CommonName(codePage)}) {
        if (!name) continue;
        auto converter = toWide ? std::make_unique<Converter>("WCHAR_T", name)
                                : std::make_unique<Converter>(name, "WCHAR_T");
        if (converter->ok()) return converter;
    }
    return nullptr;
}

// Runs the whole input through iconv. An input unit that cannot be converted
// is skipped and the replacement appended instead, as the Win32 calls do.
template <typename Out>
bool Convert(const Converter& converter, const char* input, size_t inputBytes, size_t unitBytes,
             const Out& replacement, Out& out) {
    char* in = const_cast<char*>(input);
    size_t inLeft = inputBytes;
    std::vector<char> buffer(4096);
    while (true) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        // Once the input is used up, one more call ends a shifted state.
        const bool flushing = inLeft == 0;
        size_t done = flushing ? ::iconv(converter.get(), nullptr, nullptr, &outPtr, &outLeft)
                               : ::iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
        const int error = done == static_cast<size_t>(-1) ? errno : 0;
        const size_t produced = buffer.size() - outLeft;
        out.append(reinterpret_cast<const typename Out::value_type*>(buffer.data()),
                   produced / sizeof(typename Out::value_type));
        if (error == E2BIG) continue;
        if (!flushing && (error == EILSEQ || error == EINVAL)) {
            const size_t skip = inLeft < unitBytes ? inLeft : unitBytes;
            in += skip;
            inLeft -= skip;
            out += replacement;
            continue;
        }
        if (error != 0) return false;
        if (flushing) return true;
    }
}

}  // namespace

std::optional<std::wstring> DecodeCodePage(std::string_view text, unsigned codePage) {
    if (IsUtf8(codePage)) return FromUtf8(text);
    std::unique_ptr<Converter> converter = Open(codePage, true);
    if (!converter) return std::nullopt;
    std::wstring out;
    if (!Convert(*converter, text.data(), text.size(), 1, std::wstring(1, L'\xFFFD'), out)) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::string> EncodeCodePage(std::wstring_view text, unsigned codePage) {
    if (IsUtf8(codePage)) return ToUtf8(text);
    std::unique_ptr<Converter> converter = Open(codePage, false);
    if (!converter) return std::nullopt;
    std::string out;
    if (!Convert(*converter, reinterpret_cast<const char*>(text.data()),
                 text.size() * sizeof(wchar_t), sizeof(wchar_t), std::string("?"), out)) {
        return std::nullopt;
    }
    return out;
}

}  // namespace platform
