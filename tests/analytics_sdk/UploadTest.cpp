#include <gtest/gtest.h>

#include <curl/curl.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <random>

#include "CollectorProcess.h"
#include "analytics/sdk/BatchEncoding.h"
#include "analytics/sdk/RecordStore.h"
#include "platform/CommandLine.h"
#include "platform/Socket.h"
#include "support/TestSupport.h"

namespace {

using sdk_tests::CollectorProcess;
using telemetry::RecordStore;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using testing_support::ScratchDir;

std::string Batch(const std::vector<std::string>& records) {
    std::string json = "[";
    for (size_t i = 0; i < records.size(); ++i) json += (i ? "," : "") + records[i];
    return json + "]";
}

std::string RandomText(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string text;
    for (size_t i = 0; i < size; ++i) text += static_cast<char>('!' + random() % 90);
    for (auto& c : text) {
        if (c == '"' || c == '\\') c = '_';
    }
    return text;
}

bool OnlyEncodedBytes(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isalnum(static_cast<unsigned char>(c))) continue;
        if (c != '%' || i + 2 >= text.size()) return false;
        const std::string escape = text.substr(i + 1, 2);
        if (escape != "2B" && escape != "2F" && escape != "3D") return false;
        i += 2;
    }
    return true;
}

// Every batch size leaves a different Base64 tail ("", "=", "=="); the large
// one compresses to more than one 32 KiB output chunk.
TEST(Upload, BodyEncodingRoundTripsThroughTheCollector) {
    ScratchDir dir;
    CollectorProcess collector(dir / "records.txt");
    std::vector<std::string> all;
    const std::vector<std::vector<std::string>> batches = {
        {R"({"a":1})"},
        {R"({"a":12})"},
        {R"({"a":123})"},
        {R"({"s":"\u00e9 \"quoted\" +/="})", R"({"n":-1.5,"t":true,"l":["x","y"]})"},
        {R"({"big":")" + RandomText(8192, 1) + R"("})",
         R"({"big":")" + RandomText(8192, 2) + R"("})",
         R"({"big":")" + RandomText(8192, 3) + R"("})",
         R"({"big":")" + RandomText(8192, 4) + R"("})",
         R"({"big":")" + RandomText(8192, 5) + R"("})"},
    };
    bool sawPadding = false;
    for (const auto& records : batches) {
        auto body = telemetry::encoding::BatchBody(Batch(records));
        ASSERT_TRUE(body);
        ASSERT_EQ(body->rfind("data_list=", 0), 0u);
        ASSERT_GE(body->size(), 17u);
        ASSERT_EQ(body->substr(body->size() - 7), "&gzip=1");
        const std::string encoded = body->substr(10, body->size() - 17);
        EXPECT_TRUE(OnlyEncodedBytes(encoded)) << encoded.substr(0, 200);
        sawPadding |= encoded.find("%3D") != std::string::npos;
        EXPECT_TRUE(RecordStore::Send(collector.Url(), Batch(records)));
        for (const auto& record : records) all.push_back(nlohmann::json::parse(record).dump());
    }
    EXPECT_TRUE(sawPadding);
    EXPECT_EQ(collector.Records(), all);
}

TEST(Upload, GzipUsesTheHighestLevel) {
    auto compressed = telemetry::encoding::Gzip(std::string(1000, 'a'));
    ASSERT_TRUE(compressed);
    ASSERT_GT(compressed->size(), 10u);
    EXPECT_EQ(static_cast<unsigned char>((*compressed)[0]), 0x1F);
    EXPECT_EQ(static_cast<unsigned char>((*compressed)[1]), 0x8B);
    EXPECT_EQ((*compressed)[8], 2);  // XFL: maximum compression
}

TEST(Upload, Base64AndUrlEncodingTables) {
    EXPECT_EQ(telemetry::encoding::Base64(""), "");
    EXPECT_EQ(telemetry::encoding::Base64("f"), "Zg==");
    EXPECT_EQ(telemetry::encoding::Base64("fo"), "Zm8=");
    EXPECT_EQ(telemetry::encoding::Base64("foo"), "Zm9v");
    EXPECT_EQ(telemetry::encoding::Base64("\xFB\xFF\xBF"), "+/+/");
    EXPECT_EQ(telemetry::encoding::UrlEncode("aZ09-._~+/= \xC3\xA9"), "aZ09-._~%2B%2F%3D%20%C3%A9");
}

struct FailureCase {
    const char* name;
    std::vector<std::wstring> options;
    std::string message;
};

TEST(Upload, OnlyStatus200CountsAsSent) {
    const std::vector<FailureCase> cases = {
        {"no content", {L"--status", L"204"}, "Analytics SDK send failed: \n"},
        {"server error",
         {L"--status", L"500"},
         "Analytics SDK send failed: injected failure for request 1\n"},
        {"not found",
         {L"--status", L"404"},
         "Analytics SDK send failed: injected failure for request 1\n"},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        CollectorProcess collector(dir / "records.txt", c.options);
        CaptureStderr();
        EXPECT_FALSE(RecordStore::Send(collector.Url(), R"([{"a":1}])")) << c.name;
        EXPECT_EQ(GetCapturedStderr(), c.message) << c.name;
        EXPECT_TRUE(collector.Records().empty()) << c.name;
    }
}

TEST(Upload, RefusedConnectionReportsTheTransportError) {
    const std::string url =
        "http://127.0.0.1:" + std::to_string(sdk_tests::UnusedPort()) + "/sa?project=pc";
    CaptureStderr();
    EXPECT_FALSE(RecordStore::Send(url, R"([{"a":1}])"));
    EXPECT_EQ(GetCapturedStderr(), std::string("Analytics SDK send failed: ") +
                                       curl_easy_strerror(CURLE_COULDNT_CONNECT) + "\n");
    const telemetry::HttpResponse response = RecordStore::Post(url, "x");
    EXPECT_EQ(response.status, -1);
}

TEST(Upload, SlowCollectorTimesOutAfterThreeSeconds) {
    ScratchDir dir;
    CollectorProcess collector(dir / "records.txt", {L"--delay-ms", L"6000"});
    const auto start = std::chrono::steady_clock::now();
    const telemetry::HttpResponse response =
        RecordStore::Post(collector.Url(), "data_list=&gzip=1");
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(response.status, -1);
    EXPECT_EQ(response.body, curl_easy_strerror(CURLE_OPERATION_TIMEDOUT));
    EXPECT_GE(took, std::chrono::milliseconds(2900));
    EXPECT_LT(took, std::chrono::milliseconds(5900));
}

// The collector is the independent reader of the encoding: it must refuse
// what a careless encoder would produce.
TEST(Upload, CollectorRefusesMalformedBodies) {
    ScratchDir dir;
    CollectorProcess collector(dir / "records.txt");
    auto valid = telemetry::encoding::BatchBody(R"([{"a":1}])");
    ASSERT_TRUE(valid);
    const std::string encoded = valid->substr(10, valid->size() - 17);
    std::string unescaped = encoded;
    for (const auto& [from, to] : {std::pair{"%2B", "+"}, {"%2F", "/"}, {"%3D", "="}}) {
        for (size_t at; (at = unescaped.find(from)) != std::string::npos;)
            unescaped.replace(at, 3, to);
    }
    auto notObjects = telemetry::encoding::BatchBody("[1,2]");
    auto notJson = telemetry::encoding::BatchBody("[{\"a\":1},");
    const std::vector<std::string> bodies = {
        "data_list=" + telemetry::encoding::UrlEncode(telemetry::encoding::Base64("plain")) +
            "&gzip=1",
        "data_list=" + encoded,
        *notObjects,
        *notJson,
        "data_list=%ZZ&gzip=1",
    };
    if (unescaped.find('+') != std::string::npos) {
        EXPECT_EQ(RecordStore::Post(collector.Url(), "data_list=" + unescaped + "&gzip=1").status,
                  400);
    }
    for (const auto& body : bodies)
        EXPECT_EQ(RecordStore::Post(collector.Url(), body).status, 400) << body;
    EXPECT_EQ(RecordStore::Post(collector.Url(), *valid).status, 200);
    EXPECT_EQ(collector.Records(), std::vector<std::string>{R"({"a":1})"});
}

TEST(Upload, FailedBatchIsRetriedAndNothingIsSentTwice) {
    ScratchDir dir;
    CollectorProcess collector(dir / "records.txt", {L"--fail-first", L"2"});
    RecordStore store(sdk_tests::Utf8Path(dir / "staging.txt"), collector.Url());
    for (int i = 0; i < 75; ++i) {
        telemetry::utils::ObjectNode record;
        record.SetInt("seq", i);
        store.Add(record);
    }
    CaptureStderr();
    EXPECT_FALSE(store.FlushAll());
    EXPECT_FALSE(store.FlushAll());
    GetCapturedStderr();
    EXPECT_TRUE(store.FlushAll());
    std::vector<std::string> expected;
    for (int i = 0; i < 75; ++i) expected.push_back("{\"seq\":" + std::to_string(i) + "}");
    EXPECT_EQ(collector.Records(), expected);
}

// Server certificates are checked: a collector with a self-signed certificate
// gets nothing.
TEST(Upload, SelfSignedHttpsCollectorIsRefused) {
#ifdef _WIN32
    GTEST_SKIP() << "the TLS server is the build machine's openssl program";
#endif
    const std::filesystem::path openssl = "/usr/bin/openssl";
    if (!std::filesystem::exists(openssl)) GTEST_SKIP() << "no openssl program to play the server";
    ScratchDir dir;
    const auto key = dir / "key.pem", cert = dir / "cert.pem";
    auto made = testing_support::RunProgram(
        openssl.wstring() +
        L" req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1 -subj "
        L"/CN=127.0.0.1" +
        L" -addext subjectAltName=IP:127.0.0.1 -keyout " + platform::QuoteArgument(key.wstring()) +
        L" -out " + platform::QuoteArgument(cert.wstring()));
    ASSERT_EQ(made.exitCode, 0u);
    const int port = sdk_tests::UnusedPort();
    platform::Process server;
    ASSERT_TRUE(server.Start(openssl.wstring() + L" s_server -quiet -www -naccept 1 -accept " +
                             std::to_wstring(port) + L" -cert " +
                             platform::QuoteArgument(cert.wstring()) + L" -key " +
                             platform::QuoteArgument(key.wstring())));
    ASSERT_TRUE(testing_support::WaitUntil([&] {
        // Probing would use up the one connection the server takes, so the
        // upload itself is tried until the server listens.
        telemetry::HttpResponse response = RecordStore::Post(
            "https://127.0.0.1:" + std::to_string(port) + "/sa?project=pc", "data_list=&gzip=1");
        if (response.body == curl_easy_strerror(CURLE_COULDNT_CONNECT)) return false;
        EXPECT_EQ(response.status, -1);
        EXPECT_EQ(response.body, curl_easy_strerror(CURLE_PEER_FAILED_VERIFICATION));
        return true;
    }));
    server.Wait();
}

}  // namespace
