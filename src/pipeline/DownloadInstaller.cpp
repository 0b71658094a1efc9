#include "pipeline/DownloadInstaller.h"

#include "config/InstallerConfig.h"
#include "download/DownloaderFactory.h"
#include "pipeline/ProgramFile.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "utils/DebugLog.h"
#include "utils/Folders.h"

namespace {

const wchar_t kPackageName[] = L"__Package_Quillmark.exe";
const wchar_t kUninstallerCopyName[] = L"Quillmark_un_asa.exe";

}  // namespace

CDownloadInstaller::CDownloadInstaller(DownloadCallback callback)
    : callback_(std::move(callback)) {}

CDownloadInstaller::~CDownloadInstaller() {
    downloader_.reset();
    packageRunner_.reset();
    unInstaller_.reset();
    callback_ = nullptr;
}

void CDownloadInstaller::SetParams(std::wstring downloadUrl, std::wstring oldUninstaller,
                                   std::wstring installDir, bool desktopShortcut, bool quickLaunch,
                                   bool adminAct, bool authorizationAct) {
    downloadUrl_ = std::move(downloadUrl);
    oldUninstaller_ = std::move(oldUninstaller);
    installDir_ = std::move(installDir);
    desktopShortcut_ = desktopShortcut;
    quickLaunch_ = quickLaunch;
    adminAct_ = adminAct;
    authorizationAct_ = authorizationAct;
}

void CDownloadInstaller::Start() {
    packagePath_ = platform::JoinPath(installDir_, kPackageName);
    const int downloadType = GetInstallerConfig().DownloadType;
    DEBUG_LOG(L"DL_TYPE=%d\r\n", downloadType);
    if (!downloader_) {
        downloader_ = CreateDownloader(
            downloadType,
            [this](int code, double value, const wchar_t* text) {
                OnDownloadEvent(code, value, text);
            },
            downloadUrl_, packagePath_);
    }
    if (!packageRunner_) {
        packageRunner_ = std::make_unique<PackageRunner>(
            [this](int code, double value, const wchar_t* text) {
                OnInstallEvent(code, value, text);
            },
            L"\"" + packagePath_ + L"\"", installDir_);
        packageRunner_->SetRunEndedHandler([this] { DeletePackage(); });
    }
    packageRunner_->SetOptions(installDir_, desktopShortcut_, quickLaunch_, adminAct_,
                               authorizationAct_);
    if (!oldUninstaller_.empty() && platform::FileExists(oldUninstaller_)) {
        const std::wstring tempDir = Utils::GetInstallerTempDir();
        const std::wstring copy = tempDir.empty() ? L"" : tempDir + kUninstallerCopyName;
        CopyFileOver(oldUninstaller_, copy);
        unInstaller_.reset();
        unInstaller_ = std::make_unique<UnInstaller>(
            [this](int code, double value, const wchar_t* text) {
                OnRemovalEvent(code, value, text);
            },
            copy, platform::FolderPart(oldUninstaller_));
        unInstaller_->Start();
    } else {
        downloader_->Start();
    }
}

void CDownloadInstaller::OnDownloadEvent(int code, double value, const wchar_t* text) {
    callback_(code, value, text);
    switch (code) {
        case DL_CODE_START:
            Utils::MakeDirectories(installDir_);
            DEBUG_LOG(L"DL_CODE_START\r\n");
            break;
        case DL_CODE_PROGRESS:
            DEBUG_LOG(L"DL_CODE_PROGRESS\r\n");
            break;
        case DL_CODE_SUCCESS:
            DEBUG_LOG(L"DOWNLOAD_SUCCESS\r\n");
            // A downloaded file carries no right to run where the system
            // keeps such rights per file.
            MakeOwnerExecutable(packagePath_);
            packageRunner_->Start();
            DEBUG_LOG(L"DL_CODE_SUCCESS\r\n");
            break;
        case DL_CODE_FAIL:
            DeletePackage();
            DEBUG_LOG(L"DL_CODE_FAIL\r\n");
            break;
        case DL_CODE_RETRY:
            DEBUG_LOG(L"DL_CODE_RETRY\r\n");
            downloader_->Start();
            break;
        default:
            break;
    }
}

void CDownloadInstaller::OnRemovalEvent(int code, double value, const wchar_t* text) {
    callback_(code, value, text);
    switch (code) {
        case UNIST_CODE_PROGRESS:
            DEBUG_LOG(L"UNIST_CODE_PROGRESS\r\n");
            break;
        case UNIST_CODE_SUCCESS:
            DEBUG_LOG(L"UNIST_CODE_SUCCESS\r\n");
            downloader_->Start();
            break;
        case UNIST_CODE_FAIL:
            DEBUG_LOG(L"UNIST_CODE_FAIL\r\n");
            break;
        case UNIST_CODE_ERROR:
            DEBUG_LOG(L"UNIST_CODE_ERROR\r\n");
            break;
        default:
            break;
    }
}

void CDownloadInstaller::OnInstallEvent(int code, double value, const wchar_t* text) {
    callback_(code, value, text);
    switch (code) {
        case IST_CODE_START:
            DEBUG_LOG(L"IST_CODE_START\r\n");
            break;
        case IST_CODE_SUCCESS:
            DeletePackage();
            DEBUG_LOG(L"INSTALL_SUCCESS\r\n");
            break;
        case IST_CODE_FAIL:
            DeletePackage();
            DEBUG_LOG(L"IST_CODE_FAIL\r\n");
            break;
        default:
            break;
    }
}

void CDownloadInstaller::DeletePackage() {
    DeleteProgramFile(packagePath_);
}
