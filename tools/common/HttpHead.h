#pragma once
// The head of an HTTP/1.x request, as both local servers read it.
#include <map>
#include <optional>
#include <string>

#include "platform/Socket.h"

namespace tools {

struct HttpHead {
    std::string method;
    std::string target;                          // as sent, query included
    std::map<std::string, std::string> headers;  // names in lower case, values trimmed

    // The header's value, or empty.
    std::string Header(const std::string& name) const;
};

// Receives until pending holds a whole head, then moves the head (without its
// blank line) into head; the bytes after it stay in pending. False when the
// peer closed first or the head grew past 64 KiB; error then says which.
bool ReceiveHead(platform::Socket& connection, std::string& pending, std::string& head,
                 std::string& error);

std::string LowerAscii(std::string text);

// The request line and header fields; nothing when the request line is not
// "METHOD /target HTTP/1.x".
std::optional<HttpHead> ParseHead(const std::string& head);

}  // namespace tools
