#pragma once
// The 7z skin archive, decoded whole when opened: every file's content is held
// in memory, so later reads are a lookup and a copy and the archive keeps no
// reference to where it came from.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace SkinUI {

class CSkinArchive {
public:
    struct Entry {
        std::wstring name;   // as stored, "/" separated
        uint32_t itemIndex;  // among all archive items, folders counted
        std::vector<uint8_t> content;
    };
    struct Found {
        uint32_t index;  // the entry's item index, for Extract
        uint64_t size;
    };

    // Null when the archive database cannot be read. A damaged file stops the
    // decoding: the archive then holds the entries before it.
    static std::unique_ptr<CSkinArchive> OpenMemory(const uint8_t* bytes, size_t length);
    static std::unique_ptr<CSkinArchive> OpenFile(const std::wstring& path);

    // "\" and "/" are the same; letter case is ignored; the whole name must match.
    std::optional<Found> Find(std::wstring_view name) const;
    // Copies the entry's content to destination (Found::size bytes); false for
    // an item index no entry has.
    bool Extract(uint32_t index, void* destination) const;

    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

}  // namespace SkinUI
