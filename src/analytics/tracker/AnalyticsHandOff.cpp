#include "analytics/tracker/AnalyticsHandOff.h"

#include <clocale>

#include "platform/DataFolders.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Profile.h"
#include "utils/Folders.h"
#include "utils/Format.h"
#include "utils/Guid.h"

namespace varen::tracking {

std::wstring ProductDataFolder() {
    const std::wstring roaming = platform::RoamingAppDataFolder();
    const std::wstring base = roaming.empty() ? platform::SharedDocumentsFolder() : roaming;
    return platform::JoinPath(platform::JoinPath(base, L"VarenData"), L"Quillmark");
}

void WriteAnalyticsStateFile(const std::wstring& installFolder) {
    WriteAnalyticsStateFile(installFolder, ProductDataFolder());
}

void WriteAnalyticsStateFile(const std::wstring& installFolder,
                             const std::wstring& productDataFolder) {
    // No folder yet: a hand-off in the working folder would reach no product.
    if (installFolder.empty()) return;
    const std::wstring handOff = platform::JoinPath(installFolder, L"set.ini");
    std::setlocale(LC_ALL, "en_GB.UTF-8");
    const std::wstring section = L"Install";
    platform::WriteProfileString(section, L"APPStore",
                                 platform::FileNamePart(platform::ModuleFileName()), handOff);
    platform::WriteProfileString(section, L"AppName", L"Quillmark", handOff);
    platform::WriteProfileString(section, L"DeviceID", Utils::NewGuidString(), handOff);

    if (!Utils::MakeDirectories(productDataFolder)) return;
    const std::wstring analyticsIni = platform::JoinPath(productDataFolder, L"KXAnalytics.ini");
    platform::WriteProfileString(section, L"KXAnalyticsIni", analyticsIni, handOff);
    const platform::LocalTime t = platform::GetLocalTime();
    platform::WriteProfileString(
        L"Init", L"UpdateTime",
        Utils::FormatWide(L"%d-%02d-%02d %02d:%02d:%02d",
                          {t.year, t.month, t.day, t.hour, t.minute, t.second}),
        analyticsIni);
}

}  // namespace varen::tracking
