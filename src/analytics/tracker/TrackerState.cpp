#include "analytics/tracker/TrackerState.h"

#include "analytics/tracker/TrackerFiles.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/Text.h"

namespace varen::tracking {
namespace {

// Wide enough for a collector URL or a folder path: a value cut short would
// read back as another URL (and reset the user) or another file.
constexpr size_t kReadBuffer = 1024;
const std::wstring kBase = L"Base";

std::string Read(const std::wstring& section, const wchar_t* key, const std::wstring& file) {
    return platform::ToUtf8(platform::ReadProfileString(section, key, L"", file, kReadBuffer));
}

void Write(const std::wstring& section, const wchar_t* key, const std::string& value,
           const std::wstring& file) {
    platform::WriteProfileString(section, key, platform::FromUtf8(value), file);
}

}  // namespace

void LoadState(TrackerState& state, GuidSource guids) {
    state.userId.clear();
    state.distinctId.clear();
    state.primaryDistinctId.clear();
    state.loggedIn = false;
    state.storedUrl.clear();
    const std::wstring file = WidePath(state.stateFilePath);
    if (!file.empty() && platform::FileExists(file)) {
        state.distinctId = Read(kBase, L"DistinctId", file);
        state.primaryDistinctId = Read(kBase, L"PrimaryDistinctId", file);
        if (state.primaryDistinctId.empty()) state.primaryDistinctId = state.distinctId;
        state.userId = Read(kBase, L"UserId", file);
        state.vipLevel = platform::ReadProfileInt(kBase, L"UserVipLevel", 0, file);
        state.loggedIn = Read(kBase, L"isLogined", file) == "OK";
        state.storedUrl = Read(kBase, L"URL", file);
    }
    if (state.distinctId.empty()) {
        state.distinctId = NewDistinctId(guids);
        SaveState(state);
    }
}

void SaveState(const TrackerState& state) {
    const std::wstring file = WidePath(state.stateFilePath);
    if (file.empty()) return;
    Write(kBase, L"DistinctId", state.distinctId, file);
    Write(kBase, L"PrimaryDistinctId", state.primaryDistinctId, file);
    Write(kBase, L"UserId", state.userId, file);
    Write(kBase, L"UserVipLevel", std::to_string(state.vipLevel), file);
    Write(kBase, L"URL", state.storedUrl, file);
    Write(kBase, L"isLogined", state.loggedIn ? "OK" : "NG", file);
}

void WriteAppInfo(const TrackerState& state, const std::string& appStore,
                  const std::string& appName, const std::string& appVersion) {
    const std::wstring file = WidePath(state.stateFilePath);
    if (file.empty()) return;
    Write(L"UninstallInfo", L"AppStore", appStore, file);
    Write(L"UninstallInfo", L"AppName", appName, file);
    Write(L"UninstallInfo", L"AppVersion", appVersion, file);
}

std::string StateFileFromSettings(const std::wstring& settingsFile) {
    if (!platform::FileExists(settingsFile)) return {};
    std::wstring path =
        platform::ReadProfileString(L"Install", L"KXAnalyticsIni", L"", settingsFile, kReadBuffer);
    for (auto& c : path) {
        if (c == L'/') c = platform::kPathSeparator;
    }
    return platform::ToUtf8(path);
}

}  // namespace varen::tracking
