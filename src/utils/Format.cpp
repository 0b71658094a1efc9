#include "utils/Format.h"

#include <cstdio>

namespace Utils {

int64_t FormatArg::AsSigned() const {
    switch (kind_) {
        case Kind::Signed: return signed_;
        case Kind::Floating: return static_cast<int64_t>(floating_);
        default: return static_cast<int64_t>(unsigned_);
    }
}

uint64_t FormatArg::AsUnsigned() const {
    switch (kind_) {
        case Kind::Signed:
            if (bytes_ >= 8) return static_cast<uint64_t>(signed_);
            return static_cast<uint64_t>(signed_) & ((uint64_t{1} << (bytes_ * 8)) - 1);
        case Kind::Floating: return static_cast<uint64_t>(floating_);
        default: return unsigned_;
    }
}

double FormatArg::AsFloating() const {
    switch (kind_) {
        case Kind::Signed: return static_cast<double>(signed_);
        case Kind::Floating: return floating_;
        default: return static_cast<double>(unsigned_);
    }
}

namespace {

struct Spec {
    std::string flags;
    int width = -1;
    int precision = -1;
    wchar_t conversion = 0;
};

bool IsFlag(wchar_t c) { return c == L'-' || c == L'+' || c == L' ' || c == L'0' || c == L'#'; }

// Reads one conversion after its "%"; returns false when the text is no conversion.
bool ReadSpec(std::wstring_view format, size_t& i, Spec& spec) {
    while (i < format.size() && IsFlag(format[i])) spec.flags += static_cast<char>(format[i++]);
    auto readNumber = [&](int& out) {
        if (i >= format.size() || format[i] < L'0' || format[i] > L'9') return;
        out = 0;
        while (i < format.size() && format[i] >= L'0' && format[i] <= L'9') {
            if (out < 100000) out = out * 10 + (format[i] - L'0');
            ++i;
        }
    };
    readNumber(spec.width);
    if (i < format.size() && format[i] == L'.') {
        ++i;
        spec.precision = 0;
        readNumber(spec.precision);
    }
    // Length modifiers, including Microsoft's I64/I32/I.
    while (i < format.size()) {
        wchar_t c = format[i];
        if (c == L'h' || c == L'l' || c == L'L' || c == L'z' || c == L'j' || c == L't' ||
            c == L'q' || c == L'w') {
            ++i;
        } else if (c == L'I') {
            ++i;
            if (format.substr(i, 2) == L"64" || format.substr(i, 2) == L"32") i += 2;
        } else {
            break;
        }
    }
    if (i >= format.size()) return false;
    spec.conversion = format[i++];
    return std::wstring_view(L"diuoxXcsfFeEgGpS%").find(spec.conversion) !=
           std::wstring_view::npos;
}

void Pad(std::wstring& out, std::wstring_view body, const Spec& spec) {
    size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    size_t fill = width > body.size() ? width - body.size() : 0;
    bool left = spec.flags.find('-') != std::string::npos;
    if (!left) out.append(fill, L' ');
    out.append(body);
    if (left) out.append(fill, L' ');
}

// Numbers go through the narrow C formatter, which behaves the same on both targets.
void AppendNumber(std::wstring& out, const Spec& spec, const FormatArg& arg) {
    std::string directive = "%" + spec.flags;
    if (spec.width >= 0) directive += std::to_string(spec.width);
    if (spec.precision >= 0) {
        // Appended in two steps: GCC 12 at -O3 warns falsely (-Wrestrict) on "." + string.
        directive += '.';
        directive += std::to_string(spec.precision);
    }
    char text[512];
    int n = 0;
    switch (spec.conversion) {
        case L'd':
        case L'i':
            directive += "lld";
            n = std::snprintf(text, sizeof text, directive.c_str(),
                              static_cast<long long>(arg.AsSigned()));
            break;
        case L'p':
            directive = "%#llx";
            [[fallthrough]];
        case L'u':
        case L'o':
        case L'x':
        case L'X':
            if (spec.conversion != L'p') {
                directive += "ll";
                directive += static_cast<char>(spec.conversion);
            }
            n = std::snprintf(text, sizeof text, directive.c_str(),
                              static_cast<unsigned long long>(arg.AsUnsigned()));
            break;
        default:
            directive += static_cast<char>(spec.conversion);
            n = std::snprintf(text, sizeof text, directive.c_str(), arg.AsFloating());
            break;
    }
    if (n < 0) return;
    size_t length = static_cast<size_t>(n) < sizeof text ? static_cast<size_t>(n) : sizeof text - 1;
    for (size_t k = 0; k < length; ++k) out += static_cast<wchar_t>(static_cast<unsigned char>(text[k]));
}

void AppendArg(std::wstring& out, const Spec& spec, const FormatArg& arg) {
    const bool textArg = arg.kind() == FormatArg::Kind::Text;
    switch (spec.conversion) {
        case L's':
        case L'S':
            if (textArg) {
                std::wstring_view text = arg.Text();
                if (spec.precision >= 0) text = text.substr(0, static_cast<size_t>(spec.precision));
                Pad(out, text, spec);
            } else {
                Spec asNumber = spec;
                asNumber.conversion = arg.kind() == FormatArg::Kind::Floating ? L'g' : L'd';
                asNumber.precision = -1;
                AppendNumber(out, asNumber, arg);
            }
            return;
        case L'c': {
            wchar_t c = textArg ? (arg.Text().empty() ? L'\0' : arg.Text().front())
                                : static_cast<wchar_t>(arg.AsUnsigned());
            Pad(out, std::wstring_view(&c, 1), spec);
            return;
        }
        default:
            if (textArg) {
                Pad(out, arg.Text(), spec);  // a string given to a number prints as itself
            } else {
                AppendNumber(out, spec, arg);
            }
    }
}

}  // namespace

std::wstring FormatWide(std::wstring_view format, std::span<const FormatArg> args) {
    std::wstring out;
    out.reserve(format.size() + 16 * args.size());
    auto next = args.begin();
    size_t i = 0;
    while (i < format.size()) {
        wchar_t c = format[i];
        if (c != L'%') {
            out += c;
            ++i;
            continue;
        }
        size_t start = i++;
        Spec spec;
        if (!ReadSpec(format, i, spec)) {
            out.append(format.substr(start, i - start));
            continue;
        }
        if (spec.conversion == L'%') {
            out += L'%';
        } else if (next == args.end()) {
            out.append(format.substr(start, i - start));
        } else {
            AppendArg(out, spec, *next++);
        }
    }
    return out;
}

}  // namespace Utils
