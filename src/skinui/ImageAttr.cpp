#include "skinui/ImageAttr.h"

#include <algorithm>

#include "skinui/ValueSyntax.h"

namespace SkinUI {
namespace {

void ApplyKey(TImageAttr& attr, std::wstring_view key, const std::wstring& value) {
    if (key == L"file") {
        attr.name = value;
    } else if (key == L"res") {
        attr.name = value;
    } else if (key == L"restype") {
        attr.resType = value;
    } else if (key == L"color") {
        attr.name = value;
        attr.resType = kColorImageType;
    } else if (key == L"dest") {
        attr.dest = ParseExtentRect(value);
    } else if (key == L"source") {
        attr.source = ParseExtentRect(value);
    } else if (key == L"corner" || key == L"scale9") {
        attr.corner = ParseExtentRect(value);
    } else if (key == L"mask") {
        attr.mask = ParseColor(value);
    } else if (key == L"fade") {
        attr.fade = static_cast<uint8_t>(std::clamp(ParseInt(value), 0, 255));
    } else if (key == L"hole") {
        attr.hole = ParseBool(value);
    } else if (key == L"xtiled") {
        attr.xtiled = ParseBool(value);
    } else if (key == L"ytiled") {
        attr.ytiled = ParseBool(value);
    } else if (key == L"hsl") {
        attr.hsl = ParseBool(value);
    }
}

}  // namespace

TImageAttr ParseImageAttr(const std::wstring& text) {
    TImageAttr attr;
    attr.attr = text;
    if (text.find(L"='") == std::wstring::npos) {
        attr.name = text;
        return attr;
    }
    size_t pos = 0;
    while (pos < text.size()) {
        size_t equals = text.find(L'=', pos);
        if (equals == std::wstring::npos || equals + 1 >= text.size() ||
            text[equals + 1] != L'\'') {
            break;
        }
        size_t close = text.find(L'\'', equals + 2);
        if (close == std::wstring::npos) break;
        std::wstring_view key(text.data() + pos, equals - pos);
        ApplyKey(attr, key, text.substr(equals + 2, close - equals - 2));
        if (close + 1 >= text.size() || text[close + 1] != L' ') break;
        pos = close + 2;
    }
    return attr;
}

}  // namespace SkinUI
