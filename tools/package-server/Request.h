#pragma once
// HTTP/1.1 requests without bodies (GET and HEAD), read one after another from
// a kept-alive connection.
#include <optional>
#include <string>

#include "HttpHead.h"
#include "platform/Socket.h"

namespace package_server {

struct Request : tools::HttpHead {
    std::string path;   // the target without its query
    std::string query;  // after "?", or empty

    // The query parameter's value, or empty.
    std::string Parameter(const std::string& name) const;
};

// Reads buffered bytes from one connection.
class RequestReader {
public:
    explicit RequestReader(platform::Socket& connection) : connection_(connection) {}
    // The next request; nothing when the peer closed or sent something malformed.
    std::optional<Request> Next();

private:
    platform::Socket& connection_;
    std::string pending_;
};

}  // namespace package_server
