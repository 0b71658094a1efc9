#pragma once
// Runs the old version's uninstaller silently and turns its status lines into
// removal-stage events.
#include <memory>
#include <string>

#include "pipeline/StatusCodes.h"
#include "utils/Thread.h"

class UnInstaller {
public:
    UnInstaller(StatusCallback callback, std::wstring programPath, std::wstring oldInstallDir);
    UnInstaller(const UnInstaller&) = delete;
    UnInstaller& operator=(const UnInstaller&) = delete;
    // Waits, without a time limit, for the run and so for the uninstaller.
    ~UnInstaller();

    // The uninstaller's switches; the old folder goes last and unquoted, as
    // NSIS takes "_?=".
    std::wstring BuildCommandLine() const;

    // Begins the run on a worker thread and returns at once.
    void Start();

    // Reports the events of one decoded piece of output; 1 (success) or 1000
    // (failure) for the last line that decided the run, else 0.
    int ParseRemovalStatus(const std::wstring& text);

    unsigned codePage() const { return codePage_; }

private:
    void RemoveOldVersion();

    StatusCallback callback_;
    std::wstring commandLine_;
    std::wstring programPath_;
    std::wstring oldInstallDir_;
    unsigned codePage_ = 0;
    std::unique_ptr<Utils::Thread> thread_;
};
