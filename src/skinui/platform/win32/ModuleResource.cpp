#include <windows.h>

#include "skinui/platform/ModuleResource.h"

namespace SkinUI::platform {

std::wstring ResourceIdName(unsigned id) {
    return L"#" + std::to_wstring(id);
}

std::span<const uint8_t> FindModuleResource(void* module, const std::wstring& name,
                                            const std::wstring& type) {
    auto instance = static_cast<HMODULE>(module ? module : GetModuleHandleW(nullptr));
    HRSRC found = FindResourceW(instance, name.c_str(), type.c_str());
    if (!found) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    DWORD size = SizeofResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return {};
    return {static_cast<const uint8_t*>(bytes), size};
}

// Win32 programs carry their resources in the module; nothing registers.
bool RegisterLinkedResource(const wchar_t*, const wchar_t*, const uint8_t*, size_t) {
    return false;
}

}  // namespace SkinUI::platform
