#pragma once

namespace telemetry {

// How the collector knows which library wrote a record.
inline constexpr const char* kLibraryName = "cpp";
inline constexpr const char* kLibraryVersion = "0.9";

}  // namespace telemetry
