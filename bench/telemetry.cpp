// Builds, serialises and queues 100,000 typical records (20 properties) and
// encodes them in batches of 30, as the upload does; then compares the gzip
// stage with "gzip -9" on the same batch texts, and measures the record store's
// memory with a full queue.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "analytics/sdk/BatchEncoding.h"
#include "analytics/sdk/RecordBuilder.h"
#include "analytics/sdk/RecordStore.h"

namespace {

std::atomic<long long> g_liveBytes{0};

}  // namespace

// Live heap bytes, counted by the program's own allocation functions.
void* operator new(std::size_t size) {
    void* block = std::malloc(size + sizeof(std::max_align_t));
    if (!block) throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    g_liveBytes += static_cast<long long>(size);
    return static_cast<char*>(block) + sizeof(std::max_align_t);
}

void operator delete(void* pointer) noexcept {
    if (!pointer) return;
    void* block = static_cast<char*>(pointer) - sizeof(std::max_align_t);
    g_liveBytes -= static_cast<long long>(*static_cast<std::size_t*>(block));
    std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept {
    operator delete(pointer);
}

namespace {

using Clock = std::chrono::steady_clock;
using telemetry::PropertiesNode;

constexpr int kRecords = 100000;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

PropertiesNode TypicalProperties(int i) {
    PropertiesNode p;
    p.SetString("kx_app_id", "quillmark-reader");
    p.SetString("kx_channel", "web-installer");
    p.SetString("kx_version", "1.7.9.1024");
    p.SetString("kx_os", "Windows 10 Pro 22H2");
    p.SetString("kx_cpu", "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz");
    p.SetString("kx_screen", "1920x1080");
    p.SetString("kx_language", "zh-CN");
    p.SetString("kx_device_id", "5E1C0A2B-7D4F-4C11-9A3E-2F6B8D0C1E47");
    p.SetString("kx_session", "session-" + std::to_string(i / 50));
    p.SetString("kx_button", "\xE7\xAB\x8B\xE5\x8D\xB3\xE5\xAE\x89\xE8\xA3\x85");
    p.SetString("kx_install_path", "C:\\Program Files\\VarenSoft\\Quillmark");
    p.SetString("kx_download_url", "https://dl.quillmark-reader.example/software/166?route=2");
    p.SetInt("kx_download_type", 2);
    p.SetInt("kx_error_code", 0);
    p.SetInt("kx_sequence", i);
    p.SetNumber("kx_progress", (i % 1000) / 10.0);
    p.SetNumber("kx_speed_kbps", 1234.5 + i % 97);
    p.SetBool("kx_is_admin", i % 3 == 0);
    p.SetBool("kx_is_64bit", true);
    p.SetString("$app_version", "1.7.9");
    return p;
}

}  // namespace

int main() {
    PropertiesNode super;
    super.SetString("$lib", "cpp");
    super.SetString("$lib_version", "0.9");
    const auto scratch = std::filesystem::temp_directory_path() / "qm-bench-telemetry";
    std::filesystem::create_directories(scratch);
    const auto batches = scratch / "batches.json";

    Clock::duration gzipTime{};
    long long batchBytes = 0;
    std::ofstream batchFile(batches, std::ios::binary);
    // The encoding stages as the upload runs them, without the network.
    auto encoder = [&](const std::string&, const std::string& json) {
        batchFile << json;
        batchBytes += static_cast<long long>(json.size());
        const auto start = Clock::now();
        auto compressed = telemetry::encoding::Gzip(json);
        gzipTime += Clock::now() - start;
        if (!compressed) return false;
        const std::string body =
            "data_list=" +
            telemetry::encoding::UrlEncode(telemetry::encoding::Base64(*compressed)) + "&gzip=1";
        return !body.empty();
    };
    telemetry::RecordStore store((scratch / "staging.txt").string(), "", encoder);

    const auto start = Clock::now();
    for (int i = 0; i < kRecords; ++i) {
        const PropertiesNode properties = TypicalProperties(i);
        const telemetry::RecordRequest request{"track", "installer_progress", &properties, "user-1",
                                               ""};
        if (auto record = telemetry::BuildRecord(request, {super, false})) store.Add(*record);
        if ((i + 1) % 30 == 0) store.Flush();
    }
    store.FlushAll();
    const double total = Seconds(Clock::now() - start);
    batchFile.close();

    const std::string command = "gzip -9 -c '" + batches.string() + "' > /dev/null";
    const auto peerStart = Clock::now();
    const int peerResult = std::system(command.c_str());
    const double peer = Seconds(Clock::now() - peerStart);

    // A full queue of typical records, measured on the heap.
    const long long before = g_liveBytes;
    long long storeBytes = 0;
    {
        auto full =
            std::make_unique<telemetry::RecordStore>((scratch / "full.txt").string(), "", encoder);
        for (int i = 0; i < 1024; ++i) {
            const PropertiesNode properties = TypicalProperties(i);
            auto record = telemetry::BuildRecord(
                {"track", "installer_progress", &properties, "user-1", ""}, {super, false});
            full->Add(*record);
        }
        storeBytes = g_liveBytes - before;
    }
    std::filesystem::remove_all(scratch);

    const double ours = Seconds(gzipTime);
    std::printf("records                     %d (20 properties each)\n", kRecords);
    std::printf("build+serialise+queue+encode %.3f s = %.0f records/s\n", total, kRecords / total);
    std::printf("batch JSON                  %.1f MiB in batches of 30\n", batchBytes / 1048576.0);
    std::printf("gzip stage (zlib level 9)   %.3f s\n", ours);
    std::printf("gzip -9 on the same bytes   %.3f s%s\n", peer, peerResult == 0 ? "" : " (failed)");
    std::printf("store with 1024 records     %.2f MiB (limit 4 MiB)%s\n", storeBytes / 1048576.0,
                storeBytes < 4 * 1048576LL ? "" : " OVER");
    std::printf("telemetry: ratio=%.2f (goal 0.9)\n", peerResult == 0 ? peer / ours : 0.0);
    return peerResult == 0 && storeBytes < 4 * 1048576LL ? 0 : 1;
}
