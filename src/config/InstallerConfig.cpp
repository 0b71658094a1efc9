#include "config/InstallerConfig.h"

#include <cmath>

#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Profile.h"
#include "utils/Numbers.h"
#include "utils/Strings.h"
#include "utils/SystemVersion.h"

namespace {

constexpr size_t kValueBuffer = 260;

// The progress arithmetic needs a share between 0 and 1; anything else keeps
// the built-in share.
double UsableScale(double scale) {
    return std::isfinite(scale) && scale >= 0.0 && scale <= 1.0 ? scale : kDefaultDownloadScale;
}

}  // namespace

InstallerConfig& GetInstallerConfig() {
    static InstallerConfig config;
    return config;
}

std::wstring DownloadRouteFor(const std::wstring& osLabel) {
    return osLabel.find(L"XP") != std::wstring::npos ? L"download_silent_xp" : L"download_silent";
}

std::wstring ResolveDownloadRoute(const std::wstring& url) {
    static const std::wstring kPlaceholder = L"${ROUTE}";
    if (url.find(kPlaceholder) == std::wstring::npos) return url;
    std::wstring family, label;
    Utils::GetOsName(family, label);
    return Utils::ReplaceAll(url, kPlaceholder, DownloadRouteFor(label));
}

void SetDownloadUrl(InstallerConfig& config, const std::wstring& url) {
    config.DownloadUrl = ResolveDownloadRoute(url);
}

void LoadConfiguration(InstallerConfig& config, const std::wstring& modulePath) {
    config = InstallerConfig();
    SetDownloadUrl(config, kDefaultDownloadUrl);
    config.ExeName = platform::FileNamePart(modulePath);

    const std::wstring file =
        platform::JoinPath(platform::FolderPart(modulePath), kConfigFileName);
    if (platform::FileExists(file)) {
        auto read = [&](const wchar_t* key, const wchar_t* fallback) {
            return platform::ReadProfileString(kConfigSection, key, fallback, file, kValueBuffer);
        };
        SetDownloadUrl(config, read(L"DownloadUrl", kDefaultDownloadUrl));
        config.DownloadType = platform::ReadProfileInt(kConfigSection, L"DownloadType", 1, file);
        config.IsCheckNet = read(L"IsCheckNet", L"true") == L"true";
        config.IsEnableAnalytics = read(L"IsEnableAnalytics", L"true") == L"true";
        config.DlAppNameSuffix = read(L"DlAppNameSuffix", L".downloader");
        config.DlAppVersion = read(L"m_DlAppVersion", L"");
        // A value without a number in front is a share of 0.
        config.DownloadScale =
            UsableScale(Utils::ParseLeadingDouble(read(L"DownloadScale", L"0.7")).value_or(0.0));
        config.InstCmd = read(L"InstCmd", L"");
        config.AnalyticsServerUrl = read(L"AnalyticsServerUrl", L"");
    }
    config.ProductName = L"Quillmark";
    config.ProductVersion = L"1.7.9";
}

void LoadConfiguration() { LoadConfiguration(GetInstallerConfig(), platform::ModuleFileName()); }

void ApplyCommandLine(InstallerConfig& config, const Utils::CommandLineArgs& args) {
    if (args.Has(L"-downloadurl")) SetDownloadUrl(config, args.GetString(L"-downloadurl"));
    if (args.Has(L"-downloadtype")) config.DownloadType = args.GetInt(L"-downloadtype");
    if (args.Has(L"-downloadscale")) {
        config.DownloadScale =
            UsableScale(args.GetDouble(L"-downloadscale", kDefaultDownloadScale));
    }
    if (args.Has(L"-ischecknet")) config.IsCheckNet = args.GetBool(L"-ischecknet");
    if (args.Has(L"-isenableanalytics")) {
        config.IsEnableAnalytics = args.GetBool(L"-isenableanalytics");
    }
    if (args.Has(L"-dlappnamesuffix")) config.DlAppNameSuffix = args.GetString(L"-dlappnamesuffix");
    if (args.Has(L"-dlappversion")) config.DlAppVersion = args.GetString(L"-dlappversion");
    if (args.Has(L"-instcmd")) config.InstCmd = args.GetString(L"-instcmd");
}

void ApplyCommandLine() {
    Utils::CommandLineArgs args;
    args.Add(platform::ProcessArguments());
    ApplyCommandLine(GetInstallerConfig(), args);
}
