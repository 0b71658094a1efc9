#pragma once
#include <memory>

#include "download/Downloader.h"

// The downloader of a configured download type: 2 the system downloader, 3 the
// multi-part downloader, anything else the single-stream downloader.
std::unique_ptr<CDownloader> CreateDownloader(int downloadType, DownloadCallback callback,
                                              std::wstring url, std::wstring targetPath);
