#include "download/DownloaderFactory.h"

#include "download/CurlDownloader.h"
#include "download/MTCurlDownloader.h"
#include "download/WinDownloader.h"

std::unique_ptr<CDownloader> CreateDownloader(int downloadType, DownloadCallback callback,
                                              std::wstring url, std::wstring targetPath) {
    switch (downloadType) {
        case 2:
            return std::make_unique<CWinDownloader>(std::move(callback), std::move(url),
                                                    std::move(targetPath));
        case 3:
            return std::make_unique<CMTCurlDownloader>(std::move(callback), std::move(url),
                                                       std::move(targetPath));
        default:
            return std::make_unique<CCurlDownloader>(std::move(callback), std::move(url),
                                                     std::move(targetPath));
    }
}
