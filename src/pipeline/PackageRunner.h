#pragma once
// Runs the downloaded package silently and turns its status lines into
// install-stage events.
#include <functional>
#include <memory>
#include <string>

#include "pipeline/StatusCodes.h"
#include "utils/Thread.h"

class PackageRunner {
public:
    // packagePath comes enclosed in double quotes; installDir may be empty.
    PackageRunner(StatusCallback callback, std::wstring packagePath, std::wstring installDir,
                  bool desktopShortcut = true, bool quickLaunch = true, bool adminAct = true,
                  bool authorizationAct = false);
    PackageRunner(const PackageRunner&) = delete;
    PackageRunner& operator=(const PackageRunner&) = delete;
    // Waits, without a time limit, for the current run and so for its package.
    ~PackageRunner();

    // The choices of the next run.
    void SetOptions(std::wstring installDir, bool desktopShortcut, bool quickLaunch, bool adminAct,
                    bool authorizationAct);

    // The package's switches, with InstCmd of the installer's configuration.
    std::wstring BuildCommandLine() const;

    // Waits for a previous run, then begins a new one on a worker thread.
    void Start();

    // Called on the run's thread once the package has ended (or failed to
    // start), after the run's last event: a package that announced its
    // outcome may still be running, and its file is only free after this.
    void SetRunEndedHandler(std::function<void()> handler) { runEnded_ = std::move(handler); }

    // Reports the events of one decoded piece of output; 1 (success) or 1000
    // (failure) for the last line that decided the run, else 0.
    int ParseStatusText(const std::wstring& text);

    unsigned codePage() const { return codePage_; }

private:
    void RunPackage();

    StatusCallback callback_;
    std::wstring packagePath_;
    std::wstring installDir_;
    std::wstring commandLine_;
    bool quickLaunch_;
    bool desktopShortcut_;
    unsigned codePage_ = 0;
    std::unique_ptr<Utils::Thread> thread_;
    bool adminAct_;
    bool authorizationAct_;
    std::function<void()> runEnded_;
};
