#include "download/HashingFileWriter.h"

namespace {

constexpr size_t kBlockBytes = 1 << 20;
// Blocks waiting for the hash; when the hash falls behind, the transfer waits
// instead of the memory growing.
constexpr size_t kMaxQueuedBlocks = 8;

}  // namespace

HashingFileWriter::HashingFileWriter(FILE* file, std::string path, int64_t prefixBytes)
    : file_(file), path_(std::move(path)), prefixBytes_(prefixBytes > 0 ? prefixBytes : 0) {
    current_.reserve(kBlockBytes);
    hasher_ = std::thread(&HashingFileWriter::HashLoop, this);
}

HashingFileWriter::~HashingFileWriter() {
    Finish();
}

size_t HashingFileWriter::Write(const char* data, size_t bytes) {
    if (writeFailed_) return 0;
    size_t taken = 0;
    while (taken < bytes) {
        const size_t room = kBlockBytes - current_.size();
        const size_t n = bytes - taken < room ? bytes - taken : room;
        current_.insert(current_.end(), data + taken, data + taken + n);
        taken += n;
        if (current_.size() == kBlockBytes && !Flush()) return 0;
    }
    return bytes;
}

bool HashingFileWriter::Flush() {
    if (current_.empty()) return true;
    if (std::fwrite(current_.data(), 1, current_.size(), file_) != current_.size()) {
        writeFailed_ = true;
        return false;
    }
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait(guard, [this] { return queued_.size() < kMaxQueuedBlocks; });
    queued_.push_back(std::move(current_));
    if (spare_.empty()) {
        current_ = std::vector<char>();
        current_.reserve(kBlockBytes);
    } else {
        current_ = std::move(spare_.back());
        spare_.pop_back();
    }
    changed_.notify_all();
    return true;
}

bool HashingFileWriter::Finish() {
    if (!finished_) {
        finished_ = true;
        Flush();
        {
            std::lock_guard<std::mutex> guard(lock_);
            closing_ = true;
        }
        changed_.notify_all();
        hasher_.join();
    }
    return !writeFailed_ && !prefixFailed_;
}

void HashingFileWriter::HashLoop() {
    const bool prefixRead = HashPrefix();
    std::unique_lock<std::mutex> guard(lock_);
    prefixFailed_ = !prefixRead;
    for (;;) {
        changed_.wait(guard, [this] { return closing_ || !queued_.empty(); });
        if (queued_.empty()) return;
        std::vector<char> block = std::move(queued_.front());
        queued_.pop_front();
        changed_.notify_all();
        guard.unlock();
        md5_.Update(block.data(), block.size());
        block.clear();
        guard.lock();
        spare_.push_back(std::move(block));
    }
}

bool HashingFileWriter::HashPrefix() {
    if (prefixBytes_ == 0) return true;
    FILE* earlier = std::fopen(path_.c_str(), "rb");
    if (!earlier) return false;
    std::vector<char> block(kBlockBytes);
    int64_t left = prefixBytes_;
    while (left > 0) {
        const size_t want =
            left < static_cast<int64_t>(block.size()) ? static_cast<size_t>(left) : block.size();
        const size_t got = std::fread(block.data(), 1, want, earlier);
        if (got == 0) break;
        md5_.Update(block.data(), got);
        left -= static_cast<int64_t>(got);
    }
    std::fclose(earlier);
    return left == 0;
}
