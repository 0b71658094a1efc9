#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <thread>

#include "CollectorProcess.h"
#include "analytics/sdk/RecordStore.h"
#include "support/TestSupport.h"

namespace {

using telemetry::RecordStore;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using testing_support::ScratchDir;

std::string Text(int seq) {
    return "{\"seq\":" + std::to_string(seq) + "}";
}

telemetry::utils::ObjectNode Record(int seq) {
    telemetry::utils::ObjectNode node;
    node.SetInt("seq", seq);
    return node;
}

std::vector<std::string> Texts(int from, int to) {
    std::vector<std::string> texts;
    for (int i = from; i < to; ++i) texts.push_back(Text(i));
    return texts;
}

std::vector<int> Sequence(const std::string& batchJson) {
    std::vector<int> seqs;
    for (const auto& record : nlohmann::json::parse(batchJson)) seqs.push_back(record["seq"]);
    return seqs;
}

// A sender that remembers every batch and answers as told.
struct FakeServer {
    std::vector<std::string> batches;
    std::function<bool(size_t call)> answer = [](size_t) { return true; };
    std::function<void()> during = [] {};

    RecordStore::Sender Sender() {
        return [this](const std::string&, const std::string& json) {
            batches.push_back(json);
            during();
            return answer(batches.size());
        };
    }
};

struct StoreTest : testing::Test {
    ScratchDir dir;
    std::string staging = sdk_tests::Utf8Path(dir / "staging.txt");
    FakeServer server;

    std::unique_ptr<RecordStore> NewStore() {
        return std::make_unique<RecordStore>(staging, "http://unused/", server.Sender());
    }
    void WriteStaging(const std::string& bytes) {
        testing_support::WriteFile(dir / "staging.txt", bytes);
    }
    std::vector<std::string> StagingLines() { return sdk_tests::ReadLines(dir / "staging.txt"); }
};

TEST_F(StoreTest, QueueKeepsTheNewest1024) {
    auto store = NewStore();
    for (int i = 0; i < 1025; ++i) store->Add(Record(i));
    EXPECT_EQ(store->QueuedTexts(), Texts(1, 1025));
}

TEST_F(StoreTest, BatchesOfThirtyInQueueOrder) {
    auto store = NewStore();
    for (int i = 0; i < 75; ++i) store->Add(Record(i));
    EXPECT_TRUE(store->FlushAll());
    ASSERT_EQ(server.batches.size(), 3u);
    EXPECT_EQ(Sequence(server.batches[0]).size(), 30u);
    EXPECT_EQ(Sequence(server.batches[1]).size(), 30u);
    EXPECT_EQ(Sequence(server.batches[2]).size(), 15u);
    EXPECT_EQ(Sequence(server.batches[2]).back(), 74);
    EXPECT_EQ(server.batches[0].substr(0, 19), "[{\"seq\":0},{\"seq\":1");
    EXPECT_EQ(store->QueuedCount(), 0u);
}

TEST_F(StoreTest, EmptyQueueSendsNothing) {
    auto store = NewStore();
    EXPECT_TRUE(store->Flush());
    EXPECT_TRUE(store->FlushAll());
    EXPECT_TRUE(server.batches.empty());
}

TEST_F(StoreTest, FlushAllStopsAtTheFailedBatchAndPutsItBack) {
    auto store = NewStore();
    for (int i = 0; i < 75; ++i) store->Add(Record(i));
    server.answer = [](size_t call) { return call != 2; };
    EXPECT_FALSE(store->FlushAll());
    EXPECT_EQ(server.batches.size(), 2u);
    EXPECT_EQ(store->QueuedTexts(), Texts(30, 75));
    // The next attempt retries the same batch first.
    server.answer = [](size_t) { return true; };
    EXPECT_TRUE(store->FlushAll());
    EXPECT_EQ(Sequence(server.batches[2]).front(), 30);
}

TEST_F(StoreTest, FailedBatchKeepsItsNewestWhenNewRecordsFilledTheRoom) {
    auto store = NewStore();
    for (int i = 0; i < 30; ++i) store->Add(Record(i));
    server.during = [&] {
        // The queue lock is free while the batch is out: records keep arriving.
        for (int i = 1000; i < 2000; ++i) store->Add(Record(i));
    };
    server.answer = [](size_t) { return false; };
    EXPECT_FALSE(store->Flush());
    std::vector<std::string> expected = Texts(6, 30);
    for (const auto& text : Texts(1000, 2000)) expected.push_back(text);
    EXPECT_EQ(store->QueuedTexts(), expected);
}

TEST_F(StoreTest, FailedBatchIntoAFullQueueIsDropped) {
    auto store = NewStore();
    for (int i = 0; i < 30; ++i) store->Add(Record(i));
    server.during = [&] {
        for (int i = 1000; i < 2100; ++i) store->Add(Record(i));
    };
    server.answer = [](size_t) { return false; };
    EXPECT_FALSE(store->Flush());
    EXPECT_EQ(store->QueuedTexts(), Texts(1076, 2100));
}

TEST_F(StoreTest, SenderExceptionCountsAsFailureAndKeepsTheBatch) {
    auto store = NewStore();
    for (int i = 0; i < 3; ++i) store->Add(Record(i));
    server.during = [] { throw std::runtime_error("boom"); };
    CaptureStderr();
    EXPECT_FALSE(store->Flush());
    EXPECT_EQ(GetCapturedStderr(), "Exception when flush failed: (boom) \n");
    EXPECT_EQ(store->QueuedTexts(), Texts(0, 3));
}

TEST_F(StoreTest, StagingLoadKeepsTheLast1024RecordLines) {
    std::string file;
    for (int i = 0; i < 2000; ++i) {
        file += Text(i) + "\n";
        if (i % 100 == 0) file += "\n not a record\n{\"cut\":1\nx}\n";
    }
    file += Text(2000) + "\r\n";  // written by a text-mode writer elsewhere
    WriteStaging(file);
    auto store = NewStore();
    store->Add(Record(9999));
    EXPECT_TRUE(store->Flush());
    // One record of this run took one place; staged ones come first.
    std::vector<std::string> expected = Texts(978, 2001);
    expected.push_back(Text(9999));
    EXPECT_EQ(Sequence(server.batches[0]).front(), 978);
    // Staged records leave the file once acknowledged, not when loaded.
    EXPECT_EQ(StagingLines(), Texts(1008, 2001));
    auto queued = store->QueuedTexts();
    queued.insert(queued.begin(), expected.begin(), expected.begin() + 30);
    EXPECT_EQ(queued, expected);
}

TEST_F(StoreTest, CloseWritesTheQueueForTheNextRun) {
    auto first = NewStore();
    for (int i = 0; i < 40; ++i) first->Add(Record(i));
    server.answer = [](size_t) { return false; };
    EXPECT_FALSE(first->FlushAll());
    first->Close();
    first.reset();
    EXPECT_EQ(StagingLines(), Texts(0, 40));

    server.answer = [](size_t) { return true; };
    auto second = NewStore();
    second->Add(Record(100));
    EXPECT_TRUE(second->FlushAll());
    second->Close();
    std::vector<int> sent;
    for (size_t i = 1; i < server.batches.size(); ++i) {
        for (int seq : Sequence(server.batches[i])) sent.push_back(seq);
    }
    std::vector<int> expected;
    for (int i = 0; i < 40; ++i) expected.push_back(i);
    expected.push_back(100);
    EXPECT_EQ(sent, expected);
    EXPECT_TRUE(StagingLines().empty());
}

// A run that ends without Close (a crash) must not lose what it loaded, and
// must not send again what the collector already acknowledged.
TEST_F(StoreTest, CrashAfterLoadingLosesNothingAndRepeatsNothing) {
    std::string file;
    for (int i = 0; i < 75; ++i) file += Text(i) + "\n";
    WriteStaging(file);
    {
        auto crashed = NewStore();
        server.answer = [](size_t) { return false; };
        EXPECT_FALSE(crashed->Flush());
        EXPECT_EQ(StagingLines(), Texts(0, 75));
        server.answer = [](size_t) { return true; };
        EXPECT_TRUE(crashed->Flush());
        EXPECT_EQ(StagingLines(), Texts(30, 75));
    }
    auto next = NewStore();
    EXPECT_TRUE(next->FlushAll());
    std::vector<int> sent;
    for (const auto& batch : server.batches) {
        for (int seq : Sequence(batch)) sent.push_back(seq);
    }
    std::vector<int> expected;
    for (int i = 0; i < 30; ++i) expected.push_back(i);  // the failed try
    for (int i = 0; i < 75; ++i) expected.push_back(i);
    EXPECT_EQ(sent, expected);
    EXPECT_TRUE(StagingLines().empty());
}

// Close at shutdown may meet a batch still on its way; that batch must not be
// missing from what the next run gets.
TEST_F(StoreTest, CloseWaitsForTheBatchInFlight) {
    auto store = NewStore();
    for (int i = 0; i < 40; ++i) store->Add(Record(i));
    std::atomic<bool> sending{false}, release{false};
    server.during = [&] {
        sending = true;
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    server.answer = [](size_t) { return false; };
    std::thread flusher([&] { store->Flush(); });
    ASSERT_TRUE(testing_support::WaitUntil([&] { return sending.load(); }));
    std::thread closer([&] { store->Close(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    release = true;
    flusher.join();
    closer.join();
    EXPECT_EQ(StagingLines(), Texts(0, 40));
}

TEST_F(StoreTest, StagingFileIsReplacedNotTruncatedInPlace) {
    WriteStaging(Text(1) + "\n" + Text(2) + "\n");
    // The new file cannot be made: the old contents must survive untouched.
    std::filesystem::create_directory(dir / "staging.txt.new");
    auto store = NewStore();
    store->Add(Record(3));
    store->Close();
    EXPECT_EQ(StagingLines(), Texts(1, 3));
    std::filesystem::remove(dir / "staging.txt.new");
    store->Close();
    EXPECT_EQ(StagingLines(), Texts(1, 4));
    EXPECT_FALSE(std::filesystem::exists(dir / "staging.txt.new"));
}

TEST_F(StoreTest, MissingStagingFileLoadsNothing) {
    auto store = NewStore();
    store->Add(Record(1));
    EXPECT_TRUE(store->FlushAll());
    EXPECT_EQ(Sequence(server.batches.at(0)), std::vector<int>{1});
    EXPECT_FALSE(std::filesystem::exists(dir / "staging.txt"));
}

}  // namespace
