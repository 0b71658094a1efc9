#pragma once
// One installation: removes the old copy when there is one, downloads the
// package into the install folder, runs it and cleans the package file up.
// Every event of the three stages goes unchanged to the window's callback.
#include <memory>
#include <string>

#include "download/Downloader.h"
#include "pipeline/PackageRunner.h"
#include "pipeline/UnInstaller.h"

class CDownloadInstaller {
public:
    // The callback takes events from any worker thread and must never block.
    explicit CDownloadInstaller(DownloadCallback callback);
    CDownloadInstaller(const CDownloadInstaller&) = delete;
    CDownloadInstaller& operator=(const CDownloadInstaller&) = delete;
    // Releases the downloader, then the runner and the uninstaller, each of
    // which waits for its running program, and only then the callback.
    ~CDownloadInstaller();

    void SetParams(std::wstring downloadUrl, std::wstring oldUninstaller, std::wstring installDir,
                   bool desktopShortcut, bool quickLaunch, bool adminAct, bool authorizationAct);

    // Begins a run and returns at once; called on the window's thread.
    void Start();

    const std::wstring& packagePath() const { return packagePath_; }

private:
    void OnDownloadEvent(int code, double value, const wchar_t* text);
    void OnRemovalEvent(int code, double value, const wchar_t* text);
    void OnInstallEvent(int code, double value, const wchar_t* text);
    void DeletePackage();

    std::unique_ptr<UnInstaller> unInstaller_;
    std::unique_ptr<CDownloader> downloader_;
    std::unique_ptr<PackageRunner> packageRunner_;
    std::wstring downloadUrl_;
    std::wstring oldUninstaller_;
    std::wstring installDir_;
    std::wstring packagePath_;
    bool desktopShortcut_ = true;
    bool quickLaunch_ = true;
    bool adminAct_ = true;
    bool authorizationAct_ = false;
    DownloadCallback callback_;
};
