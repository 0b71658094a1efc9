#pragma once

namespace platform {

// COM for the calling thread while the object lives (Win32: CoInitializeEx,
// apartment-threaded, and CoUninitialize); nothing to do elsewhere.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool Initialized() const { return initialized_; }

private:
    bool initialized_ = false;
};

}  // namespace platform
