#include "download/DownloadReporter.h"

#include <atomic>

namespace {

std::atomic<DownloadReporter*> processReporter{nullptr};

}  // namespace

void SetDownloadReporter(DownloadReporter* reporter) {
    processReporter = reporter;
}

DownloadReporter* GetDownloadReporter() {
    return processReporter;
}
