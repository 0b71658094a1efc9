#pragma once
#include <atomic>
#include <string>

#include "analytics/tracker/DistinctId.h"

namespace varen::tracking {

// The tracker's identity and files; the identity part survives restarts in
// the state file (section "Base").
struct TrackerState {
    bool loggedIn = false;
    std::string userId;
    std::string distinctId;
    std::string primaryDistinctId;
    int vipLevel = 0;
    std::string logFilePath;
    std::string folder;
    std::string stateFilePath;
    std::string storedUrl;
    std::string localeOverride;
    // Records queued since the last successful send; read and reset by
    // whichever thread sends.
    std::atomic<int> pendingSends{0};
};

// Reads the identity from the state file (nothing when it is missing); a
// state without a distinct id gets a new one, saved at once.
void LoadState(TrackerState& state, GuidSource guids = platform::NewGuid);
// Write failures are silent: the identity is then that of this run only.
void SaveState(const TrackerState& state);
// Tells the product's uninstaller which installer wrote the state.
void WriteAppInfo(const TrackerState& state, const std::string& appStore,
                  const std::string& appName, const std::string& appVersion);

// The state file that the installer's settings file ("Set.ini": section
// "Install", key "KXAnalyticsIni") names; empty when the file or the key is
// missing.
std::string StateFileFromSettings(const std::wstring& settingsFile);

}  // namespace varen::tracking
