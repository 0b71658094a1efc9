#include "analytics/sdk/RecordStore.h"

#include <algorithm>
#include <exception>

#include "analytics/sdk/BatchEncoding.h"
#include "analytics/sdk/ErrorStream.h"

namespace telemetry {

namespace {

constexpr long kPostTimeoutSeconds = 3;

template <typename Entries>
std::string BatchJson(const Entries& batch) {
    size_t size = 2;
    for (const auto& entry : batch) size += entry.text.size() + 1;
    std::string json;
    json.reserve(size);
    json += '[';
    for (size_t i = 0; i < batch.size(); ++i) {
        if (i != 0) json += ',';
        json += batch[i].text;
    }
    json += ']';
    return json;
}

}  // namespace

RecordStore::RecordStore(const std::string& stagingFile, std::string serverUrl, Sender sender)
    : staging_(stagingFile), serverUrl_(std::move(serverUrl)), sender_(std::move(sender)) {}

void RecordStore::Add(const utils::ObjectNode& record) {
    Entry entry{record.ToJson(), false};
    std::lock_guard<std::mutex> lock(queueLock_);
    queue_.push_back(std::move(entry));
    if (queue_.size() > kMaxQueueLength) queue_.pop_front();
}

void RecordStore::LoadStagingIfPending() {
    std::lock_guard<std::mutex> lock(queueLock_);
    LoadStagingLocked();
}

void RecordStore::LoadStagingLocked() {
    if (!loadPending_) return;
    loadPending_ = false;
    const size_t free = kMaxQueueLength - queue_.size();
    if (free == 0) return;
    // The file keeps its contents: they leave it only once acknowledged or
    // when Close writes the queue back.
    std::deque<std::string> staged = staging_.Load(free);
    for (auto it = staged.rbegin(); it != staged.rend(); ++it) {
        queue_.push_front(Entry{std::move(*it), true});
    }
}

bool RecordStore::Flush() {
    LoadStagingIfPending();
    std::lock_guard<std::mutex> flushGuard(flushLock_);
    std::vector<Entry> batch;
    {
        std::lock_guard<std::mutex> lock(queueLock_);
        const size_t n = std::min(queue_.size(), kBatchSize);
        if (n == 0) return true;
        batch.assign(std::make_move_iterator(queue_.begin()),
                     std::make_move_iterator(queue_.begin() + static_cast<long>(n)));
        queue_.erase(queue_.begin(), queue_.begin() + static_cast<long>(n));
    }
    bool sent = false;
    try {
        sent = sender_(serverUrl_, BatchJson(batch));
    } catch (const std::exception& error) {
        // The batch goes back like any failed one rather than being lost.
        WriteErrorLine(std::string("Exception when flush failed: (") + error.what() + ") ");
    }
    std::lock_guard<std::mutex> lock(queueLock_);
    if (!sent) {
        PutBackLocked(batch);
    } else if (std::any_of(batch.begin(), batch.end(), [](const Entry& e) { return e.staged; })) {
        ForgetAcknowledgedLocked();
    }
    return sent;
}

void RecordStore::PutBackLocked(std::vector<Entry>& batch) {
    const size_t free = kMaxQueueLength - queue_.size();
    const size_t keep = std::min(free, batch.size());
    // The newest texts of the batch win the room that is left.
    for (size_t i = 0; i < keep; ++i) {
        queue_.push_front(std::move(batch[batch.size() - 1 - i]));
    }
}

void RecordStore::ForgetAcknowledgedLocked() {
    std::vector<std::string_view> stillStaged;
    for (const auto& entry : queue_) {
        if (entry.staged) stillStaged.push_back(entry.text);
    }
    staging_.Replace(stillStaged);
}

bool RecordStore::FlushAll() {
    LoadStagingIfPending();
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(queueLock_);
            if (queue_.empty()) return true;
        }
        if (!Flush()) return false;
    }
}

void RecordStore::Close() {
    std::lock_guard<std::mutex> flushGuard(flushLock_);
    std::lock_guard<std::mutex> lock(queueLock_);
    LoadStagingLocked();
    std::vector<std::string_view> texts;
    texts.reserve(queue_.size());
    for (auto& entry : queue_) {
        texts.push_back(entry.text);
        entry.staged = true;
    }
    staging_.Replace(texts);
}

size_t RecordStore::QueuedCount() const {
    std::lock_guard<std::mutex> lock(queueLock_);
    return queue_.size();
}

std::vector<std::string> RecordStore::QueuedTexts() const {
    std::lock_guard<std::mutex> lock(queueLock_);
    std::vector<std::string> texts;
    for (const auto& entry : queue_) texts.push_back(entry.text);
    return texts;
}

bool RecordStore::Send(const std::string& serverUrl, const std::string& batchJson) {
    auto body = encoding::BatchBody(batchJson);
    if (!body) return false;
    const HttpResponse response = Post(serverUrl, *body);
    if (response.status == 200) return true;
    WriteErrorLine("Analytics SDK send failed: " + response.body);
    return false;
}

HttpResponse RecordStore::Post(const std::string& url, const std::string& body) {
    try {
        HttpConnection connection("", kPostTimeoutSeconds);
        return connection.Post(url, body);
    } catch (const std::exception& error) {
        WriteErrorLine(error.what());
        return HttpResponse{-1, error.what()};
    }
}

}  // namespace telemetry
