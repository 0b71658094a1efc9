#include "skinui/SkinArchive.h"

#include <7z.h>
#include <7zAlloc.h>
#include <7zCrc.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "skinui/ValueSyntax.h"
#include "skinui/platform/FileAccess.h"

namespace SkinUI {
namespace {

// A solid block larger than this is refused rather than allocated: the sizes
// come from the archive header, and a damaged header must not make us try to
// allocate gigabytes. The shipped archive unpacks to well under 1 MiB.
constexpr uint64_t kMaxBlockSize = 256ull << 20;

const ISzAlloc kAlloc = {SzAlloc, SzFree};
const ISzAlloc kAllocTemp = {SzAllocTemp, SzFreeTemp};

// The decoder's look-ahead stream over bytes already in memory.
struct MemoryStream {
    ILookInStream vt;
    const uint8_t* data;
    size_t size;
    size_t pos;
};

MemoryStream* Self(ILookInStreamPtr p) {
    return const_cast<MemoryStream*>(reinterpret_cast<const MemoryStream*>(p));
}

SRes Look(ILookInStreamPtr p, const void** buf, size_t* size) {
    MemoryStream* s = Self(p);
    *size = std::min(*size, s->size - s->pos);
    *buf = s->data + s->pos;
    return SZ_OK;
}

SRes Skip(ILookInStreamPtr p, size_t offset) {
    MemoryStream* s = Self(p);
    s->pos += std::min(offset, s->size - s->pos);
    return SZ_OK;
}

SRes Read(ILookInStreamPtr p, void* buf, size_t* size) {
    MemoryStream* s = Self(p);
    *size = std::min(*size, s->size - s->pos);
    if (*size) std::memcpy(buf, s->data + s->pos, *size);
    s->pos += *size;
    return SZ_OK;
}

SRes Seek(ILookInStreamPtr p, Int64* pos, ESzSeek origin) {
    MemoryStream* s = Self(p);
    Int64 base = origin == SZ_SEEK_SET ? 0 : origin == SZ_SEEK_CUR ? Int64(s->pos) : Int64(s->size);
    Int64 target = base + *pos;
    if (target < 0 || target > Int64(s->size)) return SZ_ERROR_READ;
    s->pos = static_cast<size_t>(target);
    *pos = target;
    return SZ_OK;
}

std::wstring EntryName(const CSzArEx& db, uint32_t index) {
    size_t length = SzArEx_GetFileNameUtf16(&db, index, nullptr);
    std::vector<UInt16> utf16(length + 1, 0);
    SzArEx_GetFileNameUtf16(&db, index, utf16.data());
    std::wstring name;
    for (size_t i = 0; i < length && utf16[i] != 0; ++i) {
        char32_t c = utf16[i];
        if constexpr (sizeof(wchar_t) == 4) {
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < length && utf16[i + 1] >= 0xDC00 &&
                utf16[i + 1] < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
            }
        }
        name.push_back(static_cast<wchar_t>(c));
    }
    return name;
}

bool BlockTooLarge(const CSzArEx& db, uint32_t index) {
    uint32_t folder = db.FileToFolder[index];
    if (folder == static_cast<uint32_t>(-1)) return false;
    return SzAr_GetFolderUnpackSize(&db.db, folder) > kMaxBlockSize;
}

class DecodedArchive {
public:
    DecodedArchive() { SzArEx_Init(&db_); }
    ~DecodedArchive() {
        if (cache_) ISzAlloc_Free(&kAlloc, cache_);
        SzArEx_Free(&db_, &kAlloc);
    }
    bool Open(MemoryStream& stream) {
        return SzArEx_Open(&db_, &stream.vt, &kAlloc, &kAllocTemp) == SZ_OK;
    }

    // Decodes the files in archive order until one fails.
    std::vector<CSkinArchive::Entry> Decode(MemoryStream& stream) {
        std::vector<CSkinArchive::Entry> entries;
        for (uint32_t i = 0; i < db_.NumFiles; ++i) {
            if (SzArEx_IsDir(&db_, i)) continue;
            if (BlockTooLarge(db_, i)) break;
            size_t offset = 0;
            size_t processed = 0;
            if (SzArEx_Extract(&db_, &stream.vt, i, &blockIndex_, &cache_, &cacheSize_, &offset,
                               &processed, &kAlloc, &kAllocTemp) != SZ_OK) {
                break;
            }
            CSkinArchive::Entry entry{EntryName(db_, i), i, {}};
            entry.content.assign(cache_ + offset, cache_ + offset + processed);
            entries.push_back(std::move(entry));
        }
        return entries;
    }

private:
    CSzArEx db_;
    UInt32 blockIndex_ = 0xFFFFFFFF;
    Byte* cache_ = nullptr;
    size_t cacheSize_ = 0;
};

std::wstring WithSlashes(std::wstring_view name) {
    std::wstring copy(name);
    std::replace(copy.begin(), copy.end(), L'\\', L'/');
    return copy;
}

}  // namespace

std::unique_ptr<CSkinArchive> CSkinArchive::OpenMemory(const uint8_t* bytes, size_t length) {
    static std::once_flag crcTable;
    std::call_once(crcTable, CrcGenerateTable);
    if (!bytes) return nullptr;
    MemoryStream stream{{Look, Skip, Read, Seek}, bytes, length, 0};
    DecodedArchive decoded;
    if (!decoded.Open(stream)) return nullptr;
    auto archive = std::make_unique<CSkinArchive>();
    archive->entries_ = decoded.Decode(stream);
    return archive;
}

std::unique_ptr<CSkinArchive> CSkinArchive::OpenFile(const std::wstring& path) {
    auto file = platform::OpenReadOnlyFile(path);
    if (!file || file->Size() > SIZE_MAX) return nullptr;
    std::vector<uint8_t> bytes(static_cast<size_t>(file->Size()));
    if (file->Read(bytes.data(), bytes.size()) != bytes.size()) return nullptr;
    return OpenMemory(bytes.data(), bytes.size());
}

std::optional<CSkinArchive::Found> CSkinArchive::Find(std::wstring_view name) const {
    std::wstring wanted = WithSlashes(name);
    for (const Entry& entry : entries_) {
        if (EqualsNoCase(entry.name, wanted)) return Found{entry.itemIndex, entry.content.size()};
    }
    return std::nullopt;
}

bool CSkinArchive::Extract(uint32_t index, void* destination) const {
    for (const Entry& entry : entries_) {
        if (entry.itemIndex != index) continue;
        if (!entry.content.empty())
            std::memcpy(destination, entry.content.data(), entry.content.size());
        return true;
    }
    return false;
}

}  // namespace SkinUI
