// Any bytes as an INI file: decoding, parsing and lookups must stay in bounds,
// and whatever a lookup finds must be a key of the document.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/posix/IniFile.h"

namespace {

bool Owns(const platform::ini::Document& document, const platform::ini::Key* key) {
    for (const auto& section : document.sections) {
        for (const auto& candidate : section.keys) {
            if (&candidate == key) return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const platform::ini::Document document = platform::ini::Parse(platform::ini::DecodeFile(bytes));
    for (const auto& section : document.sections) {
        if (!section.name) continue;
        for (const auto& key : section.keys) {
            const platform::ini::Key* found = platform::ini::Find(document, *section.name, key.name);
            if (found && !Owns(document, found)) __builtin_trap();
        }
    }
    return 0;
}
