#include "Request.h"

#include <sstream>
#include <utility>

namespace package_server {

std::string Request::Parameter(const std::string& name) const {
    std::istringstream pairs(query);
    for (std::string pair; std::getline(pairs, pair, '&');) {
        const size_t equals = pair.find('=');
        if (pair.substr(0, equals) == name) {
            return equals == std::string::npos ? "1" : pair.substr(equals + 1);
        }
    }
    return {};
}

std::optional<Request> RequestReader::Next() {
    std::string head, error;
    if (!tools::ReceiveHead(connection_, pending_, head, error)) return std::nullopt;
    std::optional<tools::HttpHead> parsed = tools::ParseHead(head);
    if (!parsed) return std::nullopt;
    Request request;
    static_cast<tools::HttpHead&>(request) = std::move(*parsed);
    const size_t question = request.target.find('?');
    request.path = request.target.substr(0, question);
    if (question != std::string::npos) request.query = request.target.substr(question + 1);
    return request;
}

}  // namespace package_server
