#pragma once
// What the download engine tells the analytics layer when a package length
// query gets an answer outside 200 to 399. The engine only sees this
// interface; the installer hands it the analytics implementation
// (varen::tracking::InstallerLengthQueryReporter), tests a recording one.

namespace varen::tracking {

class LengthQueryReporter {
public:
    virtual ~LengthQueryReporter() = default;
    // status: the HTTP status the query answered with (0 when there was none).
    virtual void ReportLengthQueryFailure(long status) = 0;
};

}  // namespace varen::tracking
