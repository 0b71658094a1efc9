#include "platform/DebugOutput.h"

#include <atomic>

namespace platform {

void WriteDebugChannel(const std::wstring& line);  // one per backend

namespace {
std::atomic<DebugOutputHook> g_hook{nullptr};
}

void OutputDebugLine(const std::wstring& line) {
    if (DebugOutputHook hook = g_hook.load(std::memory_order_acquire)) {
        hook(line);
        return;
    }
    WriteDebugChannel(line);
}

DebugOutputHook SetDebugOutputHook(DebugOutputHook hook) {
    return g_hook.exchange(hook, std::memory_order_acq_rel);
}

}  // namespace platform
