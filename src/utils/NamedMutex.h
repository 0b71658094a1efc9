#pragma once
#include <string>

#include "platform/Process.h"

namespace Utils {

// A system-wide name that only one process can hold: the single-instance guard.
class NamedMutex {
public:
    static constexpr const wchar_t* kPrefix = L"D1A547DB89C0BC61_";

    explicit NamedMutex(std::wstring name) : name(std::move(name)) {}
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;
    ~NamedMutex() { Release(); }

    // Claims kPrefix + name. Afterwards the handle is set exactly when this
    // process was the first to claim it.
    void Acquire();
    bool Held() const { return handle != platform::kNoHandle; }
    // Gives the name up again (release and close).
    void Release();

    std::wstring name;
    platform::NativeHandle handle = platform::kNoHandle;
};

}  // namespace Utils
