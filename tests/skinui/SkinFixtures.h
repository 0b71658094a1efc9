#pragma once
// The archives packed from tests/skinui/fixtures at build time, beside the
// test program, and a guard that leaves the process-wide resource state as
// it found it (every test starts from plain files).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "skinui/Resources.h"

namespace skinui_test {

std::filesystem::path FixturePath(const std::string& name);
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
std::wstring WidePath(const std::filesystem::path& path);

class ResourceStateGuard {
public:
    ResourceStateGuard() { Reset(); }
    ~ResourceStateGuard() { Reset(); }

private:
    static void Reset() {
        SkinUI::ResetResources();
        SkinUI::SetResourcePath(L"");
        SkinUI::SetArchiveKind(true);
    }
};

}  // namespace skinui_test
