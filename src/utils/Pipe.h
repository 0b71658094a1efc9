#pragma once
#include "platform/Process.h"

namespace Utils {

// An anonymous pipe. Neither end is inherited by children on its own:
// ChildProcess hands a child exactly the ends it should have.
class Pipe {
public:
    // Throws Utils::Exception when the system refuses the pipe.
    Pipe();
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe();

    // Closes whichever ends are still open.
    void Close();

    platform::NativeHandle writeEnd = platform::kNoHandle;
    platform::NativeHandle readEnd = platform::kNoHandle;
};

}  // namespace Utils
