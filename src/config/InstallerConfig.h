#pragma once
#include <string>

#include "utils/CommandLineArgs.h"

// The installer's settings, filled from built-in defaults, then the file
// "VarenInstallerConfig.ini" beside the executable, then the command line.
struct InstallerConfig {
    std::wstring ProductName = L"Quillmark";
    std::wstring ProductVersion = L"1.7.9";
    std::wstring ExeName;
    std::wstring DlAppNameSuffix = L".downloader";
    std::wstring DlAppVersion;
    std::wstring InstCmd;
    std::wstring DownloadUrl;
    int DownloadType = 1;
    bool IsCheckNet = false;
    bool IsEnableAnalytics = true;
    double DownloadScale = 0.7;
    bool LibcurlReady = true;
    std::wstring AbGroup = L"IN";
    // The analytics collector; empty means the built-in one.
    std::wstring AnalyticsServerUrl;
};

inline constexpr const wchar_t* kDefaultDownloadUrl =
    L"http://dl.quillmark-reader.example/software/166";
inline constexpr double kDefaultDownloadScale = 0.7;
inline constexpr const wchar_t* kConfigFileName = L"VarenInstallerConfig.ini";
inline constexpr const wchar_t* kConfigSection = L"Install";

// The process-wide record. Written during start-up only, then read without locks.
InstallerConfig& GetInstallerConfig();

// Defaults, then the configuration file beside the given executable path.
void LoadConfiguration(InstallerConfig& config, const std::wstring& modulePath);
// Defaults and the file beside the running executable, into the process record.
void LoadConfiguration();

// The switches present in args override their fields.
void ApplyCommandLine(InstallerConfig& config, const Utils::CommandLineArgs& args);
// The process's own command line, over the process record.
void ApplyCommandLine();

// Stores the URL with its "${ROUTE}" placeholders resolved.
void SetDownloadUrl(InstallerConfig& config, const std::wstring& url);
// Every "${ROUTE}" replaced by the route of the running system.
std::wstring ResolveDownloadRoute(const std::wstring& url);
// The route for a system version label: "download_silent_xp" for any label
// that contains "XP", else "download_silent".
std::wstring DownloadRouteFor(const std::wstring& osLabel);
