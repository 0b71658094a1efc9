#include "skinui/ValueSyntax.h"

#include <climits>
#include <cwctype>

namespace SkinUI {
namespace {

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Reads one integer starting at pos and leaves pos after its digits.
int ReadInt(std::wstring_view text, size_t& pos) {
    while (pos < text.size() && (text[pos] == L' ' || text[pos] == L'\t')) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'-' || text[pos] == L'+')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    long long value = 0;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
        if (value <= INT_MAX) value = value * 10 + (text[pos] - L'0');
        ++pos;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// Reads count integers, each followed by one separator character.
void ReadInts(std::wstring_view text, int* values, int count) {
    size_t pos = 0;
    for (int i = 0; i < count && pos < text.size(); ++i) {
        values[i] = ReadInt(text, pos);
        if (pos < text.size()) ++pos;
    }
}

wchar_t FoldCase(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c - L'A' + L'a');
    if (c < 0x80) return c;
    return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

}  // namespace

Color ParseColor(std::wstring_view text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == L' ' || text[pos] == L'\t')) ++pos;
    if (pos < text.size() && text[pos] == L'#') ++pos;
    if (pos + 1 < text.size() && text[pos] == L'0' && (text[pos + 1] | 0x20) == L'x' &&
        pos + 2 < text.size() && HexDigit(text[pos + 2]) >= 0) {
        pos += 2;
    }
    unsigned long long value = 0;
    for (; pos < text.size() && HexDigit(text[pos]) >= 0; ++pos) {
        value = value * 16 + static_cast<unsigned>(HexDigit(text[pos]));
        if (value > 0xFFFFFFFFull) return 0xFFFFFFFFu;
    }
    return static_cast<Color>(value);
}

int ParseInt(std::wstring_view text) {
    size_t pos = 0;
    return ReadInt(text, pos);
}

CRect ParseRect(std::wstring_view text) {
    int v[4] = {0, 0, 0, 0};
    ReadInts(text, v, 4);
    return {v[0], v[1], v[2], v[3]};
}

CSize ParseSize(std::wstring_view text) {
    int v[2] = {0, 0};
    ReadInts(text, v, 2);
    return {v[0], v[1]};
}

int ParseExtent(std::wstring_view text) {
    return Saturate(ParseInt(text), kMaxExtent);
}

CRect ParseExtentRect(std::wstring_view text) {
    CRect r = ParseRect(text);
    return {Saturate(r.left, kMaxExtent), Saturate(r.top, kMaxExtent),
            Saturate(r.right, kMaxExtent), Saturate(r.bottom, kMaxExtent)};
}

CSize ParseExtentSize(std::wstring_view text) {
    CSize s = ParseSize(text);
    return {Saturate(s.cx, kMaxExtent), Saturate(s.cy, kMaxExtent)};
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

}  // namespace SkinUI
