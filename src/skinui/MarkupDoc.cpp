#include "skinui/MarkupDoc.h"

#include "skinui/MarkupParser.h"
#include "skinui/SkinFile.h"
#include "skinui/TextDecoding.h"

namespace SkinUI {

bool CMarkupDoc::Load(std::wstring_view text) {
    Release();
    CMarkupParser parser(*this, text);
    return parser.Run();
}

bool CMarkupDoc::LoadFromFile(const std::wstring& name, int encoding) {
    Release();
    SkinFileResult file = ReadSkinFile(name);
    if (!file.Ok()) {
        SetError(file.error, {});
        return false;
    }
    std::optional<std::wstring> text = DecodeSkinText(file.bytes, encoding);
    if (!text) {
        SetError(L"Unsupported text encoding", {});
        return false;
    }
    return Load(*text);
}

void CMarkupDoc::Release() {
    elements_.clear();
    count_ = 0;
    pool_.clear();
    error_.clear();
    location_.clear();
}

CMarkupElem CMarkupDoc::GetRoot() const {
    return IsValid() ? CMarkupElem(this, 1) : CMarkupElem();
}

void CMarkupDoc::SetError(std::wstring_view message, std::wstring_view location) {
    std::wstring keptMessage(message.substr(0, 99));
    std::wstring keptLocation(location.substr(0, 49));
    Release();
    error_ = std::move(keptMessage);
    location_ = std::move(keptLocation);
}

}  // namespace SkinUI
