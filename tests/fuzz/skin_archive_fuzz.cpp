// Any bytes as a 7z skin archive: opening must fail cleanly or give entries
// whose lookups and extraction agree with what was decoded.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "skinui/SkinArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto archive = SkinUI::CSkinArchive::OpenMemory(data, size);
    if (!archive) return 0;
    for (const auto& entry : archive->Entries()) {
        auto found = archive->Find(entry.name);
        if (!found) __builtin_trap();
        const auto& first =
            *std::find_if(archive->Entries().begin(), archive->Entries().end(),
                          [&](const auto& e) { return e.itemIndex == found->index; });
        std::vector<uint8_t> copy(static_cast<size_t>(found->size));
        if (!archive->Extract(found->index, copy.data())) __builtin_trap();
        if (!copy.empty() && std::memcmp(copy.data(), first.content.data(), copy.size()) != 0) {
            __builtin_trap();
        }
    }
    return 0;
}
