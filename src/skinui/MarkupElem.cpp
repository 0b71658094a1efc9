#include <cwchar>

#include "skinui/MarkupDoc.h"

namespace SkinUI {

CMarkupElem CMarkupElem::GetParent() const {
    return IsValid() ? CMarkupElem(doc_, doc_->At(index_).parent) : CMarkupElem();
}
CMarkupElem CMarkupElem::GetSibling() const {
    return IsValid() ? CMarkupElem(doc_, doc_->At(index_).next) : CMarkupElem();
}
CMarkupElem CMarkupElem::GetChild() const {
    return IsValid() ? CMarkupElem(doc_, doc_->At(index_).child) : CMarkupElem();
}
bool CMarkupElem::HasChildren() const {
    return IsValid() && doc_->At(index_).child != 0;
}

const wchar_t* CMarkupElem::GetName() const {
    return IsValid() ? doc_->PoolAt(doc_->At(index_).name) : L"";
}
const wchar_t* CMarkupElem::GetValue() const {
    return IsValid() ? doc_->PoolAt(doc_->At(index_).text) : L"";
}

void CMarkupElem::LoadAttributes() const {
    if (attributesLoaded_) return;
    attributesLoaded_ = true;
    if (!IsValid()) return;
    uint32_t offset = doc_->At(index_).name;
    offset += static_cast<uint32_t>(std::wcslen(doc_->PoolAt(offset))) + 1;
    while (attributeCount_ < kMaxAttributes && *doc_->PoolAt(offset) != 0) {
        uint32_t value = offset + static_cast<uint32_t>(std::wcslen(doc_->PoolAt(offset))) + 1;
        attributes_[attributeCount_][0] = offset;
        attributes_[attributeCount_][1] = value;
        ++attributeCount_;
        offset = value + static_cast<uint32_t>(std::wcslen(doc_->PoolAt(value))) + 1;
    }
}

bool CMarkupElem::HasAttributes() const {
    return GetAttributeCount() > 0;
}

int CMarkupElem::GetAttributeCount() const {
    LoadAttributes();
    return attributeCount_;
}

const wchar_t* CMarkupElem::GetAttributeName(int index) const {
    LoadAttributes();
    return index >= 0 && index < attributeCount_ ? doc_->PoolAt(attributes_[index][0]) : L"";
}

const wchar_t* CMarkupElem::GetAttributeValue(int index) const {
    LoadAttributes();
    return index >= 0 && index < attributeCount_ ? doc_->PoolAt(attributes_[index][1]) : L"";
}

const wchar_t* CMarkupElem::GetAttributeValue(std::wstring_view name) const {
    LoadAttributes();
    for (int i = 0; i < attributeCount_; ++i) {
        if (name == doc_->PoolAt(attributes_[i][0])) return doc_->PoolAt(attributes_[i][1]);
    }
    return L"";
}

bool CMarkupElem::GetAttributeValue(std::wstring_view name, wchar_t* buffer, size_t size) const {
    LoadAttributes();
    for (int i = 0; i < attributeCount_; ++i) {
        if (name != doc_->PoolAt(attributes_[i][0])) continue;
        if (size == 0) return true;
        std::wstring_view value = doc_->PoolAt(attributes_[i][1]);
        size_t length = std::min(value.size(), size - 1);
        value.copy(buffer, length);
        buffer[length] = 0;
        return true;
    }
    return false;
}

}  // namespace SkinUI
