#include <winsock2.h>
#include <ws2tcpip.h>

#include <utility>

#include "platform/Socket.h"

namespace platform {

namespace {

// Winsock wants one start-up per process before any socket call.
bool StartWinsock() {
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

SOCKET Raw(intptr_t handle) {
    return static_cast<SOCKET>(handle);
}

intptr_t NewStreamSocket() {
    if (!StartWinsock()) return -1;
    SOCKET s =
        ::WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    return s == INVALID_SOCKET ? -1 : static_cast<intptr_t>(s);
}

sockaddr_in LoopbackAddress(uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

}  // namespace

Socket::Socket(Socket&& other) noexcept : handle_(std::exchange(other.handle_, kInvalid)) {}

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, kInvalid);
    }
    return *this;
}

Socket::~Socket() {
    Close();
}

Socket Socket::ListenLoopback(uint16_t port) {
    Socket socket(NewStreamSocket());
    if (!socket.Valid()) return socket;
    // No other program may take over the port while we hold it.
    BOOL exclusive = TRUE;
    ::setsockopt(Raw(socket.handle_), SOL_SOCKET, SO_EXCLUSIVEADDRUSE,
                 reinterpret_cast<const char*>(&exclusive), sizeof exclusive);
    const sockaddr_in address = LoopbackAddress(port);
    if (::bind(Raw(socket.handle_), reinterpret_cast<const sockaddr*>(&address), sizeof address) !=
            0 ||
        ::listen(Raw(socket.handle_), SOMAXCONN) != 0) {
        socket.Close();
    }
    return socket;
}

Socket Socket::ConnectLoopback(uint16_t port) {
    Socket socket(NewStreamSocket());
    if (!socket.Valid()) return socket;
    const sockaddr_in address = LoopbackAddress(port);
    if (::connect(Raw(socket.handle_), reinterpret_cast<const sockaddr*>(&address),
                  sizeof address) != 0) {
        socket.Close();
    }
    return socket;
}

uint16_t Socket::LocalPort() const {
    sockaddr_in address{};
    int size = sizeof address;
    if (::getsockname(Raw(handle_), reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
    return ntohs(address.sin_port);
}

Socket Socket::Accept() const {
    SOCKET accepted = ::accept(Raw(handle_), nullptr, nullptr);
    return Socket(accepted == INVALID_SOCKET ? kInvalid : static_cast<intptr_t>(accepted));
}

long Socket::Receive(void* buffer, size_t size) {
    const int n = ::recv(Raw(handle_), static_cast<char*>(buffer), static_cast<int>(size), 0);
    return n == SOCKET_ERROR ? -1 : n;
}

bool Socket::SendAll(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size != 0) {
        const int n = ::send(Raw(handle_), bytes, static_cast<int>(size), 0);
        if (n == SOCKET_ERROR || n == 0) return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void Socket::Close() {
    if (handle_ != kInvalid) ::closesocket(Raw(std::exchange(handle_, kInvalid)));
}

}  // namespace platform
