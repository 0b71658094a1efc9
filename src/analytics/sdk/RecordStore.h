#pragma once
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "analytics/sdk/HttpConnection.h"
#include "analytics/sdk/ObjectNode.h"
#include "analytics/sdk/StagingFile.h"

namespace telemetry {

// Queues record texts, uploads them in batches and keeps what was not sent in
// the staging file for the next run. It never starts an upload by itself.
class RecordStore {
public:
    static constexpr size_t kMaxQueueLength = 1024;
    static constexpr size_t kBatchSize = 30;

    // Delivers one batch (a JSON array text) to the server; true when accepted.
    using Sender = std::function<bool(const std::string& serverUrl, const std::string& batchJson)>;

    RecordStore(const std::string& stagingFile, std::string serverUrl, Sender sender = Send);
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // Queues the record's text; beyond the limit the oldest text is dropped.
    void Add(const utils::ObjectNode& record);
    // One batch of up to 30 texts; true when there was nothing to send or it was accepted.
    bool Flush();
    // Batches until the queue is empty; false at the first batch not accepted.
    bool FlushAll();
    // Keeps the whole queue in the staging file; waits for a batch in flight.
    void Close();

    size_t QueuedCount() const;
    std::vector<std::string> QueuedTexts() const;

    static bool Send(const std::string& serverUrl, const std::string& batchJson);
    static HttpResponse Post(const std::string& url, const std::string& body);

private:
    struct Entry {
        std::string text;
        // Read from the staging file and still kept there: the file has to be
        // rewritten once the record is acknowledged.
        bool staged = false;
    };

    void LoadStagingIfPending();
    void LoadStagingLocked();
    void PutBackLocked(std::vector<Entry>& batch);
    void ForgetAcknowledgedLocked();

    StagingFile staging_;
    const std::string serverUrl_;
    const Sender sender_;

    // Lock order: flushLock_ before queueLock_.
    std::mutex flushLock_;
    mutable std::mutex queueLock_;
    std::deque<Entry> queue_;
    bool loadPending_ = true;
};

}  // namespace telemetry
