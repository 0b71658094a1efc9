#include "pipeline/UnInstaller.h"

#include "pipeline/ProgramFile.h"
#include "pipeline/StatusStream.h"
#include "pipeline/StatusText.h"
#include "platform/CommandLine.h"
#include "platform/Profile.h"
#include "utils/ChildProcess.h"
#include "utils/Encoding.h"
#include "utils/Exception.h"
#include "utils/Identity.h"
#include "utils/Strings.h"

namespace {

const wchar_t* Flag(bool value) {
    return value ? L"true" : L"false";
}

bool ConsoleUserIsAdmin() {
    std::wstring user;
    return Utils::GetConsoleUserName(user) && Utils::IsUserAdmin(user);
}

}  // namespace

UnInstaller::UnInstaller(StatusCallback callback, std::wstring programPath,
                         std::wstring oldInstallDir)
    : callback_(std::move(callback)),
      programPath_(std::move(programPath)),
      oldInstallDir_(std::move(oldInstallDir)) {}

UnInstaller::~UnInstaller() {
    thread_.reset();
}

std::wstring UnInstaller::BuildCommandLine() const {
    // The program is quoted: the private temporary folder sits in the user's
    // profile, whose path may hold blanks.
    return platform::QuoteArgument(programPath_) + L" /S -adminact=" + Flag(ConsoleUserIsAdmin()) +
           L" -authorizationact=" + Flag(Utils::IsAdmin()) + L" -console=show _?=" + oldInstallDir_;
}

void UnInstaller::Start() {
    commandLine_ = BuildCommandLine();
    thread_.reset();
    thread_ = std::make_unique<Utils::Thread>(nullptr, L"UnInstaller", [this](void*) {
        RemoveOldVersion();
        return 0u;
    });
    thread_->Resume();
}

void UnInstaller::RemoveOldVersion() {
    if (!platform::FileExists(programPath_)) {
        callback_(UNIST_CODE_FAIL, 1, L"可执行卸载文件不存在");
        return;
    }
    callback_(UNIST_CODE_PROGRESS, 0, L"");
    std::unique_ptr<Utils::ChildProcess> process;
    MakeOwnerExecutable(programPath_);
    try {
        process = std::make_unique<Utils::ChildProcess>();
        process->Start(commandLine_);
    } catch (const Utils::Exception&) {
        callback_(UNIST_CODE_FAIL, kStartFailureValue, L"");
        return;
    }
    pipeline::StatusStreamRules rules;
    rules.parseAfterDecision = true;
    const bool decided =
        pipeline::FollowStatusStream(*process, rules, [this](std::string_view bytes) {
            return ParseRemovalStatus(Utils::ToWide(bytes, codePage_)) != 0;
        });
    process->Close();
    process.reset();
    if (!decided) callback_(UNIST_CODE_SUCCESS, 1, L"");
}

int UnInstaller::ParseRemovalStatus(const std::wstring& text) {
    using pipeline::MatchKey;
    int result = 0;
    for (const std::wstring_view line : pipeline::SplitStatusLines(text)) {
        std::wstring_view rest;
        if (MatchKey(line, L"Progress=", rest)) {
            callback_(UNIST_CODE_PROGRESS, pipeline::NumberValue(rest), L"");
        } else if (MatchKey(line, L"Error=", rest)) {
            callback_(UNIST_CODE_ERROR, 0, pipeline::TextValue(rest).c_str());
            result = kStatusDecidedFailure;
        } else if (MatchKey(line, L"State=", rest)) {
            const std::wstring state = Utils::Trim(pipeline::TextValue(rest));
            if (state == L"Success") {
                callback_(UNIST_CODE_SUCCESS, 0, L"");
                result = kStatusDecidedSuccess;
            } else if (state == L"Fail") {
                callback_(UNIST_CODE_ERROR, 0, L"安装包卸载失败");
                result = kStatusDecidedFailure;
            }
        } else if (MatchKey(line, L"Encode=", rest)) {
            codePage_ = pipeline::EncodeCodePage(rest);
        }
    }
    return result;
}
