#pragma once
#include <optional>
#include <string>

#include "platform/Socket.h"

namespace collector {

struct HttpRequest {
    std::string method;
    std::string target;
    std::string body;
};

// Reads one request with a Content-Length body from the connection, answering
// "Expect: 100-continue" on the way. Nothing when the request is malformed or
// the peer went away; error then says which.
std::optional<HttpRequest> ReadRequest(platform::Socket& connection, std::string& error);

void SendResponse(platform::Socket& connection, int status, const std::string& body);

}  // namespace collector
