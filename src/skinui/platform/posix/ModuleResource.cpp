#include <cwctype>
#include <mutex>
#include <vector>

#include "skinui/platform/ModuleResource.h"

namespace SkinUI::platform {
namespace {

struct LinkedResource {
    std::wstring name;
    std::wstring type;
    std::span<const uint8_t> bytes;
};

// Registration runs from static initialisers of the generated sources, before
// main; the function-local table is therefore built on first use.
std::vector<LinkedResource>& LinkedResources() {
    static std::vector<LinkedResource> resources;
    return resources;
}

std::mutex& TableMutex() {
    static std::mutex mutex;
    return mutex;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::wstring ResourceIdName(unsigned id) {
    return L"#" + std::to_wstring(id);
}

std::span<const uint8_t> FindModuleResource(void* module, const std::wstring& name,
                                            const std::wstring& type) {
    // Only the running program carries linked resources.
    if (module != nullptr) return {};
    std::lock_guard lock(TableMutex());
    for (const LinkedResource& resource : LinkedResources()) {
        if (SameName(resource.name, name) && SameName(resource.type, type)) return resource.bytes;
    }
    return {};
}

bool RegisterLinkedResource(const wchar_t* name, const wchar_t* type, const uint8_t* data,
                            size_t size) {
    std::lock_guard lock(TableMutex());
    LinkedResources().push_back({name, type, {data, size}});
    return true;
}

}  // namespace SkinUI::platform
