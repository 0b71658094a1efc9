#pragma once
#include <cstddef>

#include "platform/Process.h"

namespace platform {

// An anonymous pipe whose two ends are not inherited by children; SpawnOptions
// hands an end to a child explicitly.
bool CreatePipe(NativeHandle& readEnd, NativeHandle& writeEnd);
// Bytes read (0 at end of stream), or -1 on an error.
long ReadHandle(NativeHandle handle, void* buffer, size_t size);
// Waits at most timeoutMs for the read end to have bytes, or to have reached
// the end of its stream; true when a read will not block. Win32: anonymous
// pipes cannot be waited on, so PeekNamedPipe is polled; POSIX: poll.
bool WaitReadable(NativeHandle handle, int timeoutMs);
// Bytes written, or -1 on an error.
long WriteHandle(NativeHandle handle, const void* data, size_t size);
void CloseHandle(NativeHandle& handle);

}  // namespace platform
