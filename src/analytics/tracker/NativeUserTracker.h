#pragma once
#include <cstdint>
#include <string>

namespace varen::tracking {

// Turns named user-profile values into SDK profile records; each known key
// has one operation (set, set once, increment, append) that decides the
// record. An unknown key, or a value the key's operation cannot take, raises
// KxException.
class NativeUserTracker {
public:
    enum class Operation { Set, SetOnce, Increment, Append };

    static void ProfileUserPropertyString(const std::string& key, const std::string& value);
    static void ProfileUserPropertyNumber(const std::string& key, int32_t value);
    static void ProfileUserPropertyNumber(const std::string& key, double value);
    // Seconds since 1970, or milliseconds when too large to be seconds.
    static void ProfileUserPropertyDateTime(const std::string& key, int64_t time);

    static Operation OperationOf(const std::string& key, const char* function);
};

}  // namespace varen::tracking
