#pragma once
#include <cstdint>
#include <string>

#include "platform/Process.h"

namespace platform {

// The work a thread runs; its result becomes the thread's exit code.
using ThreadEntry = uint32_t (*)(void* argument);

// Creates a thread that runs entry(argument) only after ResumeThread. Returns
// kNoHandle when the system refuses (threadId is then untouched). A created
// thread must be resumed before it is joined or detached.
NativeHandle CreateSuspendedThread(ThreadEntry entry, void* argument, uint32_t& threadId);
// False for kNoHandle or when the system refuses.
bool ResumeThread(NativeHandle thread);
// Waits for the thread without a time limit, then releases the handle.
void JoinThread(NativeHandle& thread);
// Releases the handle without waiting; the thread finishes on its own.
void DetachThread(NativeHandle& thread);

// Shows the name to debuggers and to the system's thread listings (Win32: the
// debugger naming exception when one is attached, and SetThreadDescription
// where the system has it; POSIX: pthread_setname_np, cut to 15 bytes).
void SetThreadName(NativeHandle thread, uint32_t threadId, const std::wstring& name);
// The name the system keeps for the thread; empty when it keeps none.
std::wstring GetThreadName(NativeHandle thread);

}  // namespace platform
