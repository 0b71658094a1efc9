#include "skinui/SkinFile.h"

#include <memory>

#include "skinui/Resources.h"
#include "skinui/SkinArchive.h"
#include "skinui/platform/FileAccess.h"

namespace SkinUI {
namespace {

SkinFileResult Failure(const wchar_t* text) {
    return {{}, text};
}

SkinFileResult ReadFromDisk(const std::wstring& path) {
    auto file = platform::OpenReadOnlyFile(path);
    if (!file) return Failure(L"Error opening file");
    uint64_t size = file->Size();
    if (size == 0) return Failure(L"File is empty");
    if (size > kMaxSkinFileSize) return Failure(L"File too large");
    SkinFileResult result;
    result.bytes.resize(static_cast<size_t>(size));
    if (file->Read(result.bytes.data(), result.bytes.size()) < result.bytes.size()) {
        return Failure(L"Could not read file");
    }
    return result;
}

SkinFileResult ReadFromArchive(const CSkinArchive* archive, const std::wstring& name) {
    if (!archive) return Failure(L"Error opening zip file");
    auto found = archive->Find(name);
    if (!found) return Failure(L"Could not find ziped file");
    if (found->size == 0) return Failure(L"File is empty");
    if (found->size > kMaxSkinFileSize) return Failure(L"File too large");
    SkinFileResult result;
    result.bytes.resize(static_cast<size_t>(found->size));
    if (!archive->Extract(found->index, result.bytes.data()))
        return Failure(L"Could not unzip file");
    return result;
}

}  // namespace

SkinFileResult ReadSkinFile(const std::wstring& name) {
    const std::wstring& zipName = GetResourceZipName();
    if (zipName.empty()) return ReadFromDisk(GetResourcePath() + name);
    // ZIP archives are not read by this toolkit: for them no archive opens.
    if (!IsSevenZipKind()) return Failure(L"Error opening zip file");
    if (IsArchiveCached()) return ReadFromArchive(GetCachedArchive(), name);
    std::unique_ptr<CSkinArchive> opened = CSkinArchive::OpenFile(GetResourcePath() + zipName);
    return ReadFromArchive(opened.get(), name);
}

}  // namespace SkinUI
