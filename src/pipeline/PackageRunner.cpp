#include "pipeline/PackageRunner.h"

#include <chrono>

#include "config/InstallerConfig.h"
#include "pipeline/StatusStream.h"
#include "pipeline/StatusText.h"
#include "utils/ChildProcess.h"
#include "utils/Encoding.h"
#include "utils/Exception.h"
#include "utils/Strings.h"

namespace {

const wchar_t* Flag(bool value) {
    return value ? L"true" : L"false";
}

double StartupStyleNumber(const std::wstring& style) {
    if (style == L"AutoStartup") return 1;
    if (style == L"UserStartup") return 2;
    return 0;
}

// The 32 bits of the number read as unsigned: -1 travels as 4294967295.
double Unsigned32(int32_t number) {
    return static_cast<double>(static_cast<uint32_t>(number));
}

}  // namespace

PackageRunner::PackageRunner(StatusCallback callback, std::wstring packagePath,
                             std::wstring installDir, bool desktopShortcut, bool quickLaunch,
                             bool adminAct, bool authorizationAct)
    : callback_(std::move(callback)),
      packagePath_(std::move(packagePath)),
      installDir_(std::move(installDir)),
      quickLaunch_(quickLaunch),
      desktopShortcut_(desktopShortcut),
      adminAct_(adminAct),
      authorizationAct_(authorizationAct) {}

PackageRunner::~PackageRunner() {
    thread_.reset();
}

void PackageRunner::SetOptions(std::wstring installDir, bool desktopShortcut, bool quickLaunch,
                               bool adminAct, bool authorizationAct) {
    installDir_ = std::move(installDir);
    desktopShortcut_ = desktopShortcut;
    quickLaunch_ = quickLaunch;
    adminAct_ = adminAct;
    authorizationAct_ = authorizationAct;
}

std::wstring PackageRunner::BuildCommandLine() const {
    std::wstring line = packagePath_ + L" /S -console=show -version=1.0.0";
    line += std::wstring(L" -adminact=") + Flag(adminAct_);
    line += std::wstring(L" -authorizationact=") + Flag(authorizationAct_);
    line += std::wstring(L" -dsc=") + Flag(desktopShortcut_);
    line += std::wstring(L" -ssc=") + Flag(quickLaunch_);
    const std::wstring& instCmd = GetInstallerConfig().InstCmd;
    if (!instCmd.empty()) line += L" " + instCmd;
    if (!installDir_.empty()) {
        // NSIS takes "/D=" unquoted and only as the last switch.
        line += L" -instdir=\"" + installDir_ + L"\" /D=" + installDir_;
    }
    return line;
}

void PackageRunner::Start() {
    commandLine_ = BuildCommandLine();
    thread_.reset();
    thread_ = std::make_unique<Utils::Thread>(nullptr, L"ABDEF", [this](void*) {
        RunPackage();
        if (runEnded_) runEnded_();
        return 0u;
    });
    thread_->Resume();
}

void PackageRunner::RunPackage() {
    callback_(IST_CODE_START, 0, L"");
    callback_(IST_CODE_PROGRESS, 0, L"");
    std::unique_ptr<Utils::ChildProcess> process;
    try {
        process = std::make_unique<Utils::ChildProcess>();
        process->Start(commandLine_);
    } catch (const Utils::Exception&) {
        callback_(IST_CODE_FAIL, kStartFailureValue, L"");
        return;
    }
    pipeline::StatusStreamRules rules;
    rules.pause = std::chrono::milliseconds(100);
    const bool decided =
        pipeline::FollowStatusStream(*process, rules, [this](std::string_view bytes) {
            return ParseStatusText(Utils::ToWide(bytes, codePage_)) != 0;
        });
    process->Close();
    process.reset();
    if (!decided) callback_(IST_CODE_SUCCESS, 1, L"");
}

int PackageRunner::ParseStatusText(const std::wstring& text) {
    using pipeline::MatchKey;
    using pipeline::TextValue;
    int result = 0;
    for (const std::wstring_view line : pipeline::SplitStatusLines(text)) {
        std::wstring_view rest;
        if (MatchKey(line, L"Progress=", rest)) {
            callback_(IST_CODE_PROGRESS, pipeline::NumberValue(rest), L"");
        } else if (MatchKey(line, L"InstPath=", rest)) {
            callback_(IST_INFO_INST_PATH, 0, TextValue(rest).c_str());
        } else if (MatchKey(line, L"State=", rest)) {
            const std::wstring state = Utils::Trim(TextValue(rest));
            if (state == L"Success") {
                callback_(IST_CODE_SUCCESS, 0, L"");
                result = kStatusDecidedSuccess;
            } else if (state == L"Fail") {
                callback_(IST_CODE_FAIL, 0, L"安装包安装失败");
                result = kStatusDecidedFailure;
            }
        } else if (MatchKey(line, L"InstallVersion=", rest)) {
            // The package's version is not reported on.
        } else if (MatchKey(line, L"ExePath=", rest) || MatchKey(line, L"StartExe=", rest)) {
            callback_(IST_INFO_EXE_PATH, 0, TextValue(rest).c_str());
        } else if (MatchKey(line, L"UninstExePath=", rest) || MatchKey(line, L"UninstExe=", rest)) {
            callback_(IST_INFO_UNINST_EXE, 0, TextValue(rest).c_str());
        } else if (MatchKey(line, L"UninstEp=", rest)) {
            callback_(IST_INFO_UNINST_EP, 0, TextValue(rest).c_str());
        } else if (MatchKey(line, L"Error=", rest)) {
            callback_(IST_CODE_FAIL, kStatusDecidedFailure, TextValue(rest).c_str());
            result = kStatusDecidedFailure;
        } else if (MatchKey(line, L"TopShowDetention=", rest)) {
            callback_(IST_INFO_TOP_SHOW_DETENTION, Unsigned32(pipeline::Int32Value(rest)), L"");
        } else if (MatchKey(line, L"FinsihCloseDetention=", rest)) {
            callback_(IST_INFO_FINISH_CLOSE_DETENTION, Unsigned32(pipeline::Int32Value(rest)), L"");
        } else if (MatchKey(line, L"StartUrl=", rest)) {
            callback_(IST_INFO_START_URL, 0, TextValue(rest).c_str());
        } else if (MatchKey(line, L"StartupStyle=", rest)) {
            callback_(IST_INFO_STARTUP_STYLE, StartupStyleNumber(Utils::Trim(TextValue(rest))),
                      L"");
        } else if (MatchKey(line, L"Encode=", rest)) {
            codePage_ = pipeline::EncodeCodePage(TextValue(rest));
        } else if (MatchKey(line, L"Message=", rest)) {
            callback_(IST_INFO_MESSAGE, 0, TextValue(rest).c_str());
        }
    }
    return result;
}
