#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

// A TCP socket bound to the loopback interface only: the local servers of the
// tools never listen anywhere else. Moving transfers ownership; the destructor closes.
class Socket {
public:
    Socket() = default;
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket();

    // Listens on 127.0.0.1; port 0 lets the system pick one (see LocalPort).
    // Invalid when the port cannot be taken.
    static Socket ListenLoopback(uint16_t port);
    static Socket ConnectLoopback(uint16_t port);

    bool Valid() const { return handle_ != kInvalid; }
    uint16_t LocalPort() const;
    // The next connection; invalid on an error.
    Socket Accept() const;
    // Bytes received (0 when the peer has closed), or -1 on an error.
    long Receive(void* buffer, size_t size);
    bool SendAll(const void* data, size_t size);
    void Close();

private:
    static constexpr intptr_t kInvalid = -1;
    explicit Socket(intptr_t handle) : handle_(handle) {}

    intptr_t handle_ = kInvalid;
};

}  // namespace platform
