#pragma once
// Request heads and status lines of HTTP/1.x, as both local servers read and
// write them.
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

// The reason phrase of a status line ("Status" for codes the servers do not use).
const char* ReasonPhrase(int status);
// "HTTP/1.1 <status> <reason>" and its line break.
std::string StatusLine(int status);

// The request line and header fields; nothing when the request line is not
// "METHOD /target HTTP/1.x".
std::optional<HttpHead> ParseHead(const std::string& head);

}  // namespace tools
