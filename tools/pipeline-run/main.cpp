// Runs one installation the way the installer window does, without a window:
// CDownloadInstaller with the given choices, every event printed as one line
// "code<TAB>value<TAB>text" (UTF-8), and the installation recorded after
// success. Ends after the run's last event; the exit status is 0 exactly when
// that event is IST_CODE_SUCCESS.
//
//   pipeline-run --url URL --dir DIR [--type N] [--instcmd TEXT]
//                [--old-uninstaller PATH] [--dsc true|false] [--ssc true|false]
#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "config/InstallerConfig.h"
#include "download/CurlSetup.h"
#include "pipeline/DownloadInstaller.h"
#include "pipeline/InstallationRecord.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/StandardStreams.h"
#include "platform/Text.h"
#include "utils/Identity.h"

namespace {

const char kUsage[] =
    "usage: pipeline-run --url URL --dir DIR [--type N] [--instcmd TEXT]\n"
    "                    [--old-uninstaller PATH] [--dsc true|false] [--ssc true|false]\n";

bool IsRunEnding(int code) {
    return code == DL_CODE_FAIL || code == IST_CODE_SUCCESS || code == IST_CODE_FAIL ||
           code == UNIST_CODE_FAIL || code == UNIST_CODE_ERROR;
}

class Run {
public:
    explicit Run(std::wstring installDir) : installDir_(std::move(installDir)) {}

    void OnEvent(int code, double value, const wchar_t* text) {
        char number[64];
        std::snprintf(number, sizeof number, "%.17g", value);
        std::lock_guard<std::mutex> guard(lock_);
        platform::WriteStandardOutput(std::to_string(code) + "\t" + number + "\t" +
                                      platform::ToUtf8(text) + "\n");
        // What the window keeps for the installation record.
        if (code == IST_INFO_INST_PATH) reportedDir_ = text;
        if (code == IST_INFO_UNINST_EP) reportedEntry_ = text;
        if (!IsRunEnding(code) || ended_) return;
        ended_ = true;
        last_ = code;
        done_.notify_all();
    }

    // Waits for the run's last event; the installer then goes, which waits for
    // its running programs and deletes the package file.
    int Finish(std::unique_ptr<CDownloadInstaller> installer) {
        {
            std::unique_lock<std::mutex> guard(lock_);
            done_.wait(guard, [this] { return ended_; });
        }
        installer.reset();
        if (last_ != IST_CODE_SUCCESS) return 1;
        RecordInstallation(reportedDir_.empty() ? installDir_ : reportedDir_, reportedEntry_);
        return 0;
    }

private:
    std::mutex lock_;
    std::condition_variable done_;
    bool ended_ = false;
    int last_ = 0;
    std::wstring installDir_;
    std::wstring reportedDir_;
    std::wstring reportedEntry_;
};

}  // namespace

int main() {
    const auto args = platform::ProcessArguments();
    std::map<std::wstring, std::wstring> options;
    for (size_t i = 1; i + 1 < args.size(); i += 2) options[args[i]] = args[i + 1];
    if (args.size() % 2 == 0 || !options.count(L"--url") || !options.count(L"--dir")) {
        platform::WriteStandardOutput(kUsage);
        return 2;
    }
    InstallerConfig& config = GetInstallerConfig();
    if (options.count(L"--type")) config.DownloadType = std::stoi(options[L"--type"]);
    config.InstCmd = options[L"--instcmd"];
    InitLibcurl(config);

    std::wstring user;
    const bool userAdmin = Utils::GetConsoleUserName(user) && Utils::IsUserAdmin(user);
    const std::wstring dir = options[L"--dir"];
    // Like the window: an old copy in the chosen folder that asks to stay is
    // not removed.
    std::wstring oldUninstaller = options[L"--old-uninstaller"];
    if (KeepOldInstallation(platform::FolderPart(oldUninstaller), dir)) oldUninstaller.clear();
    Run run(dir);
    auto installer = std::make_unique<CDownloadInstaller>(
        [&run](int code, double value, const wchar_t* text) { run.OnEvent(code, value, text); });
    // The window's options are on until the user turns them off.
    auto flag = [&](const wchar_t* name) {
        return !options.count(name) || options[name] == L"true";
    };
    installer->SetParams(options[L"--url"], oldUninstaller, dir, flag(L"--dsc"), flag(L"--ssc"),
                         userAdmin, Utils::IsAdmin());
    installer->Start();
    const int status = run.Finish(std::move(installer));
    CleanupLibcurl();
    return status;
}
