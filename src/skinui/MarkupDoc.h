#pragma once
// A parsed window description. The parser makes one forward pass and keeps
// every name, value and text zero-terminated in one character pool; elements
// are records of offsets into that pool, numbered from 1 in document order.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace SkinUI {

class CMarkupElem;

class CMarkupDoc {
public:
    // Record 0 is reserved; 0 in a link means "none".
    struct Element {
        uint32_t name;  // pool offset: name, then (attribute name, value)*, then ""
        uint32_t child;
        uint32_t next;
        uint32_t parent;
        uint32_t text;  // pool offset of the element's text
    };

    // Elements may nest this deep at most: deeper nesting is refused with an
    // error instead of exhausting the stack of the recursive consumers.
    static constexpr int kMaxDepth = 256;

    // Text that begins with "<".
    bool Load(std::wstring_view text);
    // A skin file by name (through the resource state); encoding 0 UTF-8,
    // 1 UTF-16 with byte-order mark, 2 the ANSI code page.
    bool LoadFromFile(const std::wstring& name, int encoding = 0);
    void Release();

    bool IsValid() const { return count_ > 1; }
    CMarkupElem GetRoot() const;
    // At most 99 characters; empty after a successful load.
    const std::wstring& GetLastErrorMessage() const { return error_; }
    // Up to 49 characters of text at the failure point.
    const std::wstring& GetLastErrorLocation() const { return location_; }

    void SetPreserveWhitespace(bool preserve) { preserveWhitespace_ = preserve; }
    size_t Count() const { return count_; }
    size_t Capacity() const { return elements_.size(); }

    const Element& At(uint32_t index) const { return elements_[index]; }
    const wchar_t* PoolAt(uint32_t offset) const { return pool_.data() + offset; }

private:
    friend class CMarkupParser;
    void SetError(std::wstring_view message, std::wstring_view location);

    std::vector<Element> elements_;
    size_t count_ = 0;
    std::vector<wchar_t> pool_;
    bool preserveWhitespace_ = true;
    std::wstring error_;
    std::wstring location_;
};

// A cursor on one element. Attributes are read on first access into a cache
// of at most 64; the ones after the 64th are not visible.
class CMarkupElem {
public:
    static constexpr int kMaxAttributes = 64;

    CMarkupElem() = default;
    CMarkupElem(const CMarkupDoc* doc, uint32_t index) : doc_(doc), index_(index) {}

    bool IsValid() const { return doc_ && index_ != 0; }
    CMarkupElem GetParent() const;
    CMarkupElem GetSibling() const;
    CMarkupElem GetChild() const;
    bool HasChildren() const;

    const wchar_t* GetName() const;
    const wchar_t* GetValue() const;  // the element's text

    bool HasAttributes() const;
    int GetAttributeCount() const;
    // Empty strings for an index out of range.
    const wchar_t* GetAttributeName(int index) const;
    const wchar_t* GetAttributeValue(int index) const;
    // Empty when the element has no such attribute.
    const wchar_t* GetAttributeValue(std::wstring_view name) const;
    // Copies the value (cut to size - 1 characters) into buffer; false when
    // the attribute is missing.
    bool GetAttributeValue(std::wstring_view name, wchar_t* buffer, size_t size) const;

private:
    void LoadAttributes() const;

    const CMarkupDoc* doc_ = nullptr;
    uint32_t index_ = 0;
    mutable bool attributesLoaded_ = false;
    mutable int attributeCount_ = 0;
    mutable uint32_t attributes_[kMaxAttributes][2] = {};
};

}  // namespace SkinUI
