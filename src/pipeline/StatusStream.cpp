#include "pipeline/StatusStream.h"

#include <string>
#include <thread>

#include "platform/Pipe.h"

namespace pipeline {

namespace {

constexpr size_t kReadBytes = 1024;
// A line held this long without its end is parsed as it is: its value is
// beyond what any key takes anyway, and the memory stays bounded.
constexpr size_t kMaxPendingBytes = 64 * 1024;
// How long a quiet stream is waited on before the child is asked whether it
// has ended.
constexpr int kExitPollMs = 50;

// Cuts a read at its first NUL byte.
std::string_view UpToNul(const char* bytes, size_t size) {
    const std::string_view read(bytes, size);
    return read.substr(0, read.find('\0'));
}

}  // namespace

bool FollowStatusStream(Utils::ChildProcess& child, const StatusStreamRules& rules,
                        const StatusBytesParser& parse) {
    bool decided = false;
    std::string pending;
    auto deliver = [&](std::string_view bytes) {
        if (bytes.empty() || (decided && !rules.parseAfterDecision)) return;
        if (parse(bytes)) decided = true;
    };

    char buffer[kReadBytes];
    bool childEnded = false;
    for (;;) {
        // Once the child has ended, only what it wrote before is read: a
        // program it started may hold the stream open for as long as it runs.
        if (!platform::WaitReadable(child.outPipe.readEnd, childEnded ? 0 : kExitPollMs)) {
            if (childEnded) break;
            child.ExitCode();
            childEnded = !child.process.Running();
            continue;
        }
        const long n = platform::ReadHandle(child.outPipe.readEnd, buffer, sizeof buffer);
        if (n <= 0) break;
        if (decided && !rules.parseAfterDecision) continue;
        pending += UpToNul(buffer, static_cast<size_t>(n));
        const size_t lineEnd = pending.rfind('\n');
        if (lineEnd != std::string::npos) {
            deliver(std::string_view(pending).substr(0, lineEnd + 1));
            pending.erase(0, lineEnd + 1);
        } else if (pending.size() >= kMaxPendingBytes) {
            deliver(pending);
            pending.clear();
        } else {
            continue;
        }
        if (rules.pause.count() > 0 && !(decided && !rules.parseAfterDecision)) {
            std::this_thread::sleep_for(rules.pause);
        }
    }
    deliver(pending);
    child.Wait();
    return decided;
}

}  // namespace pipeline
