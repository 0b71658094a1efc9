#include "BatchDecoder.h"

#include <zlib.h>

#include <map>
#include <nlohmann/json.hpp>

namespace collector {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Form decoding: "+" is a space, so a Base64 "+" left unencoded shows up broken.
std::optional<std::string> FormDecode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%') {
            if (i + 2 >= text.size()) return std::nullopt;
            const int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
            if (high < 0 || low < 0) return std::nullopt;
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::map<std::string, std::string> FormFields(const std::string& body, std::string& error) {
    std::map<std::string, std::string> fields;
    size_t at = 0;
    while (at <= body.size()) {
        size_t end = body.find('&', at);
        if (end == std::string::npos) end = body.size();
        const std::string pair = body.substr(at, end - at);
        const size_t equals = pair.find('=');
        auto name = FormDecode(pair.substr(0, equals));
        auto value = FormDecode(equals == std::string::npos ? "" : pair.substr(equals + 1));
        if (!name || !value) {
            error = "bad percent escape";
            return {};
        }
        fields[*name] = *value;
        at = end + 1;
    }
    return fields;
}

std::optional<std::string> Base64Decode(const std::string& text) {
    if (text.size() % 4 != 0) return std::nullopt;
    auto value = [](char c) -> int {
        if (c >= 'A' && c <= 'Z') return c - 'A';
        if (c >= 'a' && c <= 'z') return c - 'a' + 26;
        if (c >= '0' && c <= '9') return c - '0' + 52;
        if (c == '+') return 62;
        if (c == '/') return 63;
        return -1;
    };
    std::string out;
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const int padding = last ? (text[i + 3] == '=') + (text[i + 2] == '=') : 0;
        if (padding == 1 && text[i + 2] == '=') return std::nullopt;
        uint32_t group = 0;
        for (int k = 0; k < 4; ++k) {
            const int v = k >= 4 - padding ? 0 : value(text[i + k]);
            if (v < 0) return std::nullopt;
            group = (group << 6) | static_cast<uint32_t>(v);
        }
        out += static_cast<char>(group >> 16);
        if (padding < 2) out += static_cast<char>((group >> 8) & 0xFF);
        if (padding < 1) out += static_cast<char>(group & 0xFF);
    }
    return out;
}

std::optional<std::string> Gunzip(const std::string& data) {
    z_stream stream{};
    if (inflateInit2(&stream, 16 + 15) != Z_OK) return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    std::string out;
    unsigned char chunk[65536];
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = chunk;
        stream.avail_out = sizeof chunk;
        result = inflate(&stream, Z_NO_FLUSH);
        out.append(reinterpret_cast<const char*>(chunk), sizeof chunk - stream.avail_out);
    }
    const bool complete = result == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    if (!complete) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::vector<std::string>> DecodeBatch(const std::string& body, std::string& error) {
    auto fields = FormFields(body, error);
    if (!error.empty()) return std::nullopt;
    if (fields.size() != 2 || !fields.count("data_list") || fields["gzip"] != "1") {
        error = "expected exactly the fields data_list and gzip=1";
        return std::nullopt;
    }
    auto compressed = Base64Decode(fields["data_list"]);
    if (!compressed) {
        error = "data_list is not Base64";
        return std::nullopt;
    }
    auto text = Gunzip(*compressed);
    if (!text) {
        error = "data_list is not one gzip stream";
        return std::nullopt;
    }
    const nlohmann::json batch = nlohmann::json::parse(*text, nullptr, false);
    if (batch.is_discarded() || !batch.is_array()) {
        error = "the batch is not a JSON array";
        return std::nullopt;
    }
    std::vector<std::string> records;
    for (const auto& record : batch) {
        if (!record.is_object()) {
            error = "a batch entry is not a JSON object";
            return std::nullopt;
        }
        records.push_back(record.dump());
    }
    return records;
}

}  // namespace collector
