#pragma once
// The installer's analytics reports. Each does nothing while analytics are
// off or not started, never fails towards its caller, and may be called from
// any thread: the calls into the tracker are made one at a time.
#include <map>
#include <memory>
#include <string>

#include "analytics/tracker/KxContextProperties.h"
#include "analytics/tracker/UsageTrackerImpl.h"
#include "download/DownloadReporter.h"

namespace varen::tracking {

// Extra properties of a report; "AB" carries the installer's A/B group.
using ExtraProperties = std::map<std::wstring, std::wstring>;

// Creates the process-wide tracker from the installer configuration, when
// analytics are on, and hands the download engine its reporter.
void StartAnalytics(const TrackerPaths& paths = TrackerPaths::FromSystem());
// Drops the tracker, which sends what is queued and ends.
void ReleaseAnalytics();
bool AnalyticsStarted();

void ReportTask(const std::wstring& name, const std::wstring& reason, const ExtraProperties& extra,
                float number);
void ReportClick(const std::wstring& name, const ExtraProperties& extra);
void ReportInstallingView(const ExtraProperties& extra);
// From the crash filter: waits a bounded time for another report to finish
// and gives up rather than wait on the crashing thread's own report.
void ReportCrash();

// A fresh context for one report with the "AB" group for the given event
// type, when the extra properties carry an accepted one.
KxContextProperties ApplyAbGroup(const ExtraProperties& extra, int eventType);

// The download engine's reporter: its failed length queries become task
// reports "下载失败原因" with the installer's A/B group.
DownloadReporter& InstallerDownloadReporter();

}  // namespace varen::tracking
