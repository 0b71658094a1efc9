#pragma once
// The tracker keeps its paths as UTF-8 text, like every other string of the
// layer; these turn them into the system's own.
#include <filesystem>
#include <string>

namespace varen::tracking {

std::filesystem::path NativePath(const std::string& utf8Path);
std::wstring WidePath(const std::string& utf8Path);

// folder + the system's separator + name, with exactly one separator between.
std::string JoinUtf8Path(const std::string& folder, const std::string& name);

// True when the folder exists or every missing level of it could be created;
// either separator may be used in the text.
bool CreateFolderPath(const std::string& path);

}  // namespace varen::tracking
