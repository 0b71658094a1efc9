#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/Socket.h"

namespace platform {

namespace {

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
    Socket socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.Valid()) return socket;
    const int yes = 1;
    ::setsockopt(static_cast<int>(socket.handle_), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    const sockaddr_in address = LoopbackAddress(port);
    if (::bind(static_cast<int>(socket.handle_), reinterpret_cast<const sockaddr*>(&address),
               sizeof address) != 0 ||
        ::listen(static_cast<int>(socket.handle_), SOMAXCONN) != 0) {
        socket.Close();
    }
    return socket;
}

Socket Socket::ConnectLoopback(uint16_t port) {
    Socket socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.Valid()) return socket;
    const sockaddr_in address = LoopbackAddress(port);
    int result;
    do {
        result = ::connect(static_cast<int>(socket.handle_),
                           reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (result != 0 && errno == EINTR);
    if (result != 0) socket.Close();
    return socket;
}

uint16_t Socket::LocalPort() const {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (::getsockname(static_cast<int>(handle_), reinterpret_cast<sockaddr*>(&address), &size) !=
        0) {
        return 0;
    }
    return ntohs(address.sin_port);
}

Socket Socket::Accept() const {
    int accepted;
    do {
        accepted = ::accept4(static_cast<int>(handle_), nullptr, nullptr, SOCK_CLOEXEC);
    } while (accepted < 0 && errno == EINTR);
    return Socket(accepted);
}

long Socket::Receive(void* buffer, size_t size) {
    ssize_t n;
    do {
        n = ::recv(static_cast<int>(handle_), buffer, size, 0);
    } while (n < 0 && errno == EINTR);
    return static_cast<long>(n);
}

bool Socket::SendAll(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size != 0) {
        // A peer that went away must not end the whole program with SIGPIPE.
        ssize_t n = ::send(static_cast<int>(handle_), bytes, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void Socket::Close() {
    if (handle_ != kInvalid) ::close(static_cast<int>(std::exchange(handle_, kInvalid)));
}

}  // namespace platform
