// Prints the installer configuration exactly as the installer would hold it:
// defaults, then VarenInstallerConfig.ini beside this program, then the switches.
#include <charconv>
#include <string>

#include "config/InstallerConfig.h"
#include "platform/StandardStreams.h"
#include "platform/Text.h"

namespace {

// Loaded during static initialisation, as the installer does.
const bool g_configurationLoaded = (LoadConfiguration(), true);

void Print(const char* name, const std::wstring& value) {
    platform::WriteStandardOutput(std::string(name) + "=" + platform::ToUtf8(value) + "\n");
}

void Print(const char* name, bool value) { Print(name, std::wstring(value ? L"true" : L"false")); }

void Print(const char* name, int value) { Print(name, std::to_wstring(value)); }

void Print(const char* name, double value) {
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, value);
    Print(name, platform::FromUtf8(std::string_view(text, result.ptr - text)));
}

}  // namespace

int main() {
    ApplyCommandLine();
    const InstallerConfig& c = GetInstallerConfig();
    Print("ProductName", c.ProductName);
    Print("ProductVersion", c.ProductVersion);
    Print("ExeName", c.ExeName);
    Print("DlAppNameSuffix", c.DlAppNameSuffix);
    Print("DlAppVersion", c.DlAppVersion);
    Print("InstCmd", c.InstCmd);
    Print("DownloadUrl", c.DownloadUrl);
    Print("DownloadType", c.DownloadType);
    Print("IsCheckNet", c.IsCheckNet);
    Print("IsEnableAnalytics", c.IsEnableAnalytics);
    Print("DownloadScale", c.DownloadScale);
    Print("LibcurlReady", c.LibcurlReady);
    Print("AbGroup", c.AbGroup);
    return g_configurationLoaded ? 0 : 1;
}
