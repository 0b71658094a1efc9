#include "platform/Process.h"

#include <utility>

namespace platform {

Process::Process(Process&& other) noexcept { *this = std::move(other); }

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, kNoHandle);
        id_ = std::exchange(other.id_, 0);
        exited_ = std::exchange(other.exited_, false);
        exitCode_ = std::exchange(other.exitCode_, kStillActive);
    }
    return *this;
}

Process::~Process() { Close(); }

bool Process::Running() const { return handle_ != kNoHandle && !exited_; }

}  // namespace platform
