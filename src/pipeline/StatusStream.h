#pragma once
// Follows what a started child writes on its standard output, for the status
// lines of the package and of the old uninstaller.
#include <chrono>
#include <functional>
#include <string_view>

#include "utils/ChildProcess.h"

namespace pipeline {

struct StatusStreamRules {
    // Pause after each read that was parsed, which bounds how fast a busy
    // child's output is taken.
    std::chrono::milliseconds pause{0};
    // Whether lines after the deciding one are still parsed; when not, they
    // are read and dropped, so that a child that keeps writing never blocks
    // on a full pipe.
    bool parseAfterDecision = false;
};

// Receives complete lines (with their "\n"), or the last piece at the end of
// the stream; true when they decided the run.
using StatusBytesParser = std::function<bool(std::string_view bytes)>;

// Reads the child's output in reads of at most 1024 bytes (each cut at its
// first NUL byte) until the stream ends, or the child has ended and what it
// wrote is read (a program it left running may keep the stream open), then
// waits for the child to end. A line cut across reads is joined before it is
// parsed, and whatever the child wrote just before it ended is still read and
// parsed, so a last "State=Fail" or "Error=" is never lost. Returns whether a
// read decided the run.
bool FollowStatusStream(Utils::ChildProcess& child, const StatusStreamRules& rules,
                        const StatusBytesParser& parse);

}  // namespace pipeline
