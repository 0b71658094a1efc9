#include "analytics/sdk/BatchEncoding.h"

#include <zlib.h>

#include <mutex>

#include "analytics/sdk/ErrorStream.h"

namespace telemetry::encoding {

namespace {

constexpr size_t kChunkSize = 32768;
constexpr int kGzipWindowBits = 15 + 16;
constexpr int kMemoryLevel = 8;

}  // namespace

namespace {

// One deflate state for the process, reset for every batch: setting up a fresh
// state at the highest level costs more than compressing a batch of 30
// records. It is not kept per thread: with MinGW's thread_local destructors a
// thread that had sent a batch crashed in deflateEnd as it ended.
class Compressor {
public:
    ~Compressor() {
        if (ready_) deflateEnd(&stream_);
    }

    z_stream* Acquire() {
        if (ready_) {
            if (deflateReset(&stream_) == Z_OK) return &stream_;
            Release();
        }
        stream_ = z_stream{};
        if (deflateInit2(&stream_, Z_BEST_COMPRESSION, Z_DEFLATED, kGzipWindowBits, kMemoryLevel,
                         Z_DEFAULT_STRATEGY) != Z_OK) {
            return nullptr;
        }
        ready_ = true;
        return &stream_;
    }

    // After a failure the state is not trusted again.
    void Release() {
        if (ready_) deflateEnd(&stream_);
        ready_ = false;
    }

private:
    z_stream stream_{};
    bool ready_ = false;
};

}  // namespace

std::optional<std::string> Gzip(std::string_view data) {
    static std::mutex lock;
    static Compressor compressor;
    std::lock_guard<std::mutex> guard(lock);
    z_stream* stream = compressor.Acquire();
    if (!stream) {
        WriteErrorLine("deflateInit2 failed while compressing.");
        return std::nullopt;
    }
    stream->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream->avail_in = static_cast<uInt>(data.size());

    std::string out;
    unsigned char chunk[kChunkSize];
    int result = Z_OK;
    while (result == Z_OK) {
        stream->next_out = chunk;
        stream->avail_out = kChunkSize;
        result = deflate(stream, Z_FINISH);
        out.append(reinterpret_cast<const char*>(chunk), kChunkSize - stream->avail_out);
    }
    if (result != Z_STREAM_END) {
        const std::string message = stream->msg ? stream->msg : "";
        compressor.Release();
        WriteErrorLine("Exception during zlib compression: (" + std::to_string(result) + ") " +
                       message);
        return std::nullopt;
    }
    return out;
}

std::string Base64(std::string_view data) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    size_t i = 0;
    auto byte = [&](size_t at) { return static_cast<unsigned char>(data[at]); };
    for (; i + 3 <= data.size(); i += 3) {
        const uint32_t group = (byte(i) << 16) | (byte(i + 1) << 8) | byte(i + 2);
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += kAlphabet[(group >> 6) & 63];
        out += kAlphabet[group & 63];
    }
    const size_t rest = data.size() - i;
    if (rest != 0) {
        const uint32_t group = (byte(i) << 16) | (rest == 2 ? byte(i + 1) << 8 : 0);
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += rest == 2 ? kAlphabet[(group >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string UrlEncode(std::string_view data) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(data.size() * 3 / 2);
    for (char c : data) {
        const unsigned char b = static_cast<unsigned char>(c);
        const bool plain = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') ||
                           (b >= '0' && b <= '9') || b == '-' || b == '.' || b == '_' || b == '~';
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

std::optional<std::string> BatchBody(std::string_view batchJson) {
    auto compressed = Gzip(batchJson);
    if (!compressed) return std::nullopt;
    return "data_list=" + UrlEncode(Base64(*compressed)) + "&gzip=1";
}

}  // namespace telemetry::encoding
