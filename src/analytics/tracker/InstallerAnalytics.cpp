#include "analytics/tracker/InstallerAnalytics.h"

#include "analytics/tracker/KxException.h"
#include "analytics/tracker/KxPropertyKeys.h"
#include "analytics/tracker/ReportLock.h"
#include "analytics/tracker/UsageTrackerWrapper.h"
#include "config/InstallerConfig.h"
#include "platform/Text.h"

namespace varen::tracking {
namespace {

// Long enough for a report in flight to finish its sends, short enough that
// a crashing installer still goes away.
constexpr std::chrono::milliseconds kCrashWait{2000};

struct ProcessTracker {
    ReportLock lock;
    std::shared_ptr<UsageTracker> tracker;
};

ProcessTracker& Process() {
    static ProcessTracker process;
    return process;
}

// Runs the call on the tracker under the report lock, when analytics are on
// and started.
template <typename Call>
void WithTracker(ReportGuard& guard, Call&& call) {
    if (!guard.held() || !GetInstallerConfig().IsEnableAnalytics) return;
    if (auto& tracker = Process().tracker) call(*tracker);
}

}  // namespace

void StartAnalytics(const TrackerPaths& paths) {
    SetDownloadReporter(&InstallerDownloadReporter());
    const InstallerConfig& config = GetInstallerConfig();
    if (!config.IsEnableAnalytics) return;
    ReportGuard guard(Process().lock);
    if (!guard.held() || Process().tracker) return;
    TrackerConfig trackerConfig;
    trackerConfig.appName = platform::ToUtf8(config.ProductName + config.DlAppNameSuffix);
    trackerConfig.appVersion = platform::ToUtf8(config.ProductVersion);
    trackerConfig.appStore = platform::ToUtf8(config.ExeName);
    trackerConfig.dlAppId = platform::ToUtf8(config.ProductName);
    trackerConfig.dlAppVersion = platform::ToUtf8(config.DlAppVersion);
    trackerConfig.serverUrl = platform::ToUtf8(config.AnalyticsServerUrl);
    auto impl = std::make_unique<UsageTrackerImpl>(trackerConfig, paths);
    try {
        impl->Init();
    } catch (...) {
        // A tracker whose start failed still takes the reports; they record
        // nothing without an SDK.
    }
    Process().tracker = std::make_shared<UsageTrackerWrapper>(std::move(impl));
}

void ReleaseAnalytics() {
    ReportGuard guard(Process().lock);
    // The tracker's last sends happen under the lock too, so no report can
    // reach an SDK that is shutting down.
    if (guard.held()) Process().tracker.reset();
}

bool AnalyticsStarted() {
    ReportGuard guard(Process().lock);
    return guard.held() && Process().tracker != nullptr;
}

KxContextProperties ApplyAbGroup(const ExtraProperties& extra, int eventType) {
    KxContextProperties context;
    const auto group = extra.find(L"AB");
    if (group == extra.end()) return context;
    const std::string value = platform::ToUtf8(group->second);
    if (KxContextProperties::isValidABValue(value)) {
        context.setProperty(keys::kAbGroup, value, {eventType});
    }
    return context;
}

namespace {

// A group the check refuses leaves the report without one; the report itself
// still goes out.
KxContextProperties ReportContext(const ExtraProperties& extra, int eventType) {
    try {
        return ApplyAbGroup(extra, eventType);
    } catch (const KxException&) {
        return {};
    }
}

}  // namespace

void ReportTask(const std::wstring& name, const std::wstring& reason, const ExtraProperties& extra,
                float number) {
    ReportGuard guard(Process().lock);
    WithTracker(guard, [&](UsageTracker& tracker) {
        KxEventTask task;
        task.name = platform::ToUtf8(name);
        task.reason = platform::ToUtf8(reason);
        task.elapsed = number;
        task.result = KxResult::Success;
        tracker.trackTask(task, ReportContext(extra, kEventTask));
    });
}

void ReportClick(const std::wstring& name, const ExtraProperties& extra) {
    ReportGuard guard(Process().lock);
    WithTracker(guard, [&](UsageTracker& tracker) {
        KxEventClick click;
        click.name = platform::ToUtf8(name);
        click.clickType = ClickType::Button;
        tracker.trackClick(click, ReportContext(extra, kEventClick));
    });
}

void ReportInstallingView(const ExtraProperties& extra) {
    ReportGuard guard(Process().lock);
    WithTracker(guard, [&](UsageTracker& tracker) {
        KxEventView view;
        view.name = platform::ToUtf8(L"安装中");
        tracker.trackView(view, ReportContext(extra, kEventView));
    });
}

void ReportCrash() {
    ReportGuard guard(Process().lock, kCrashWait);
    WithTracker(guard,
                [&](UsageTracker& tracker) { tracker.trackCrash(platform::ToUtf8(L"崩溃")); });
}

namespace {

class AnalyticsDownloadReporter : public DownloadReporter {
public:
    void ReportLengthQueryFailed(const std::wstring& reason) override {
        ReportTask(L"下载失败原因", reason, {{L"AB", GetInstallerConfig().AbGroup}}, 0);
    }
};

}  // namespace

DownloadReporter& InstallerDownloadReporter() {
    static AnalyticsDownloadReporter reporter;
    return reporter;
}

}  // namespace varen::tracking
