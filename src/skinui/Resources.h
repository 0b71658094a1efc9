#pragma once
// The process-wide resource state that every window and image load shares:
// where the skin files come from (plain files under the resource path, an
// archive file there, or an archive held in memory) and the open archive.
// Used from the user-interface thread only.
#include <cstddef>
#include <cstdint>
#include <string>

namespace SkinUI {

class CSkinArchive;

void SetInstance(void* module);
void* GetInstance();
// Where resources are searched; null means the module instance.
void SetResourceInstance(void* module);
void* GetResourceInstance();

// Stores the path, adding this system's separator when it ends in neither
// "\\" nor "/".
void SetResourcePath(const std::wstring& path);
const std::wstring& GetResourcePath();

// Switches to the archive file resource path + name. When cached, the archive
// is opened at once and kept; otherwise every read opens it anew.
void SetResourceZipFile(const std::wstring& name, bool cached);
// Opens the archive held in bytes and keeps it for the rest of the process:
// once an archive from memory is open, later calls do nothing, so every window
// after the first reuses it.
void SetResourceZipMemory(const uint8_t* bytes, size_t length);
// true: 7z archives. false: ZIP, which this toolkit does not read.
void SetArchiveKind(bool sevenZip);
bool IsSevenZipKind();

// The archive name ("membuffer" for memory), empty when files come from disk.
const std::wstring& GetResourceZipName();
// The cached archive, or null.
const CSkinArchive* GetCachedArchive();
bool IsArchiveCached();

// Closes the archive and returns to plain files; used at shut-down.
void ResetResources();

}  // namespace SkinUI
