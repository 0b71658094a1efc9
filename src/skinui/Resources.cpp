#include "skinui/Resources.h"

#include <memory>

#include "platform/Paths.h"
#include "skinui/SkinArchive.h"

namespace SkinUI {
namespace {

constexpr wchar_t kMemoryArchiveName[] = L"membuffer";

struct ResourceState {
    void* instance = nullptr;
    void* resourceInstance = nullptr;
    std::wstring path;
    std::wstring zipName;
    bool cached = false;
    bool sevenZip = true;
    std::unique_ptr<CSkinArchive> archive;
};

ResourceState& State() {
    static ResourceState state;
    return state;
}

std::unique_ptr<CSkinArchive> OpenArchiveBytes(const uint8_t* bytes, size_t length) {
    return State().sevenZip ? CSkinArchive::OpenMemory(bytes, length) : nullptr;
}

}  // namespace

void SetInstance(void* module) {
    State().instance = module;
}
void* GetInstance() {
    return State().instance;
}
void SetResourceInstance(void* module) {
    State().resourceInstance = module;
}
void* GetResourceInstance() {
    return State().resourceInstance ? State().resourceInstance : State().instance;
}

void SetResourcePath(const std::wstring& path) {
    State().path = path;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') {
        State().path += ::platform::kPathSeparator;
    }
}

const std::wstring& GetResourcePath() {
    return State().path;
}

void SetResourceZipFile(const std::wstring& name, bool cached) {
    ResourceState& state = State();
    if (name == state.zipName && cached == state.cached) return;
    state.archive.reset();
    state.zipName = name;
    state.cached = cached;
    if (cached && state.sevenZip) state.archive = CSkinArchive::OpenFile(state.path + name);
}

void SetResourceZipMemory(const uint8_t* bytes, size_t length) {
    ResourceState& state = State();
    if (state.zipName == kMemoryArchiveName) return;
    state.archive.reset();
    state.zipName = kMemoryArchiveName;
    state.cached = true;
    state.archive = OpenArchiveBytes(bytes, length);
}

void SetArchiveKind(bool sevenZip) {
    State().sevenZip = sevenZip;
}

const std::wstring& GetResourceZipName() {
    return State().zipName;
}
const CSkinArchive* GetCachedArchive() {
    return State().archive.get();
}
bool IsSevenZipKind() {
    return State().sevenZip;
}
bool IsArchiveCached() {
    return State().cached;
}

void ResetResources() {
    ResourceState& state = State();
    state.archive.reset();
    state.zipName.clear();
    state.cached = false;
}

}  // namespace SkinUI
