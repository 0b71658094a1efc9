#pragma once
// The single forward pass that fills a CMarkupDoc from wide text.
#include <cstdint>
#include <string_view>

#include "skinui/MarkupDoc.h"

namespace SkinUI {

class CMarkupParser {
public:
    CMarkupParser(CMarkupDoc& doc, std::wstring_view text);
    // On failure the document holds the error and no elements.
    bool Run();

private:
    wchar_t Peek(size_t ahead = 0) const;
    void SkipWhitespace();
    std::wstring_view ReadName();
    bool Fail(std::wstring_view message);
    uint32_t NewElement(uint32_t parent, uint32_t& previous);
    uint32_t AppendToPool(std::wstring_view text);
    uint32_t AppendDecoded(size_t begin, size_t end);
    void SkipConstruct();
    bool ParseElement(uint32_t parent, uint32_t& previous, int depth);
    bool ParseAttributes(bool& empty);
    bool ParseContent(uint32_t element, std::wstring_view name, int depth);

    CMarkupDoc& doc_;
    std::wstring_view text_;
    size_t pos_ = 0;
};

}  // namespace SkinUI
