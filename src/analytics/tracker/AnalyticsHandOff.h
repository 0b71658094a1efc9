#pragma once
#include <string>

namespace varen::tracking {

// Where the installed product keeps its data: the user's roaming application
// data + "VarenData" + "Quillmark", else the shared documents folder.
std::wstring ProductDataFolder();

// Tells the installed product where its analytics state lives: "set.ini" in
// the install folder gets the installer's name, the product, a new device id
// and the path of "KXAnalytics.ini" in the product data folder, which gets
// the time of this update. Written whether analytics are on or not; write
// failures are ignored.
void WriteAnalyticsStateFile(const std::wstring& installFolder);
void WriteAnalyticsStateFile(const std::wstring& installFolder,
                             const std::wstring& productDataFolder);

}  // namespace varen::tracking
