#pragma once
#include <string>

#include "platform/Process.h"

namespace platform {

// Creates a system-wide mutex owned by the calling thread. alreadyExisted tells
// that another holder had the name (the handle is then valid but not owned);
// kNoHandle when it could not be created at all.
NativeHandle CreateOwnedMutex(const std::wstring& name, bool& alreadyExisted);
// Releases ownership (when owned) and closes the handle.
void ReleaseMutexHandle(NativeHandle handle, bool owned);

}  // namespace platform
