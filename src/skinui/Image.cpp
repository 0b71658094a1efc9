#include "skinui/Image.h"

#include "skinui/Resources.h"
#include "skinui/SkinArchive.h"
#include "skinui/SkinFile.h"
#include "skinui/ValueSyntax.h"
#include "skinui/platform/FileAccess.h"
#include "skinui/platform/ModuleResource.h"

namespace SkinUI {
namespace {

// Images have no size limit of their own beyond what a skin could hold.
constexpr uint64_t kMaxImageFileSize = 64u << 20;

std::vector<uint8_t> ReadWholeFile(const std::wstring& path) {
    auto file = platform::OpenReadOnlyFile(path);
    if (!file || file->Size() == 0 || file->Size() > kMaxImageFileSize) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(file->Size()));
    if (file->Read(bytes.data(), bytes.size()) != bytes.size()) return {};
    return bytes;
}

std::vector<uint8_t> ReadFromArchive(const std::wstring& name) {
    const CSkinArchive* archive = GetCachedArchive();
    std::unique_ptr<CSkinArchive> opened;
    if (!archive && !IsArchiveCached()) {
        opened = CSkinArchive::OpenFile(GetResourcePath() + GetResourceZipName());
        archive = opened.get();
    }
    if (!archive) return {};
    auto found = archive->Find(name);
    if (!found || found->size == 0 || found->size > kMaxImageFileSize) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(found->size));
    if (!archive->Extract(found->index, bytes.data())) return {};
    return bytes;
}

std::vector<uint8_t> ReadImageBytes(const std::wstring& name) {
    std::vector<uint8_t> bytes = GetResourceZipName().empty()
                                     ? ReadWholeFile(GetResourcePath() + name)
                                     : ReadFromArchive(name);
    // An image outside the skin (an absolute path, or one relative to the
    // current folder) still loads.
    if (bytes.empty()) bytes = ReadWholeFile(name);
    return bytes;
}

ImagePtr ColorImage(const std::wstring& name, uint32_t mask) {
    auto image = std::make_shared<TLoadedImage>();
    image->width = 1;
    image->height = 1;
    uint32_t pixel = Premultiply(ParseColor(name));
    image->hasAlpha = (pixel >> 24) != 255;
    if (pixel == mask) {
        pixel = 0;
        image->hasAlpha = true;
    }
    image->pixels.push_back(pixel);
    return image;
}

}  // namespace

ImagePtr LoadImage(const std::wstring& name, const std::wstring& type, uint32_t mask) {
    if (type == kColorImageType) return ColorImage(name, mask);
    if (!type.empty()) {
        auto bytes = platform::FindModuleResource(GetResourceInstance(), name, type);
        return DecodeImage(bytes.data(), bytes.size(), mask);
    }
    std::vector<uint8_t> bytes = ReadImageBytes(name);
    return DecodeImage(bytes.data(), bytes.size(), mask);
}

}  // namespace SkinUI
