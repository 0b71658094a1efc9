// Fetches a 512 MiB package from package-server over loopback with
// download-run (types 1, 3 and 2) and with the curl command-line tool, taking
// turns for several rounds; prints the best MB/s and the peak memory of each
// and the ratios of types 1 and 3 to curl. Types 1 and 3 check the package's
// MD5 as well; "curl, then md5sum" shows what that check costs done after the
// transfer, and "md5sum alone" (the package already in memory) the fastest
// any checking download can be.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "utils/Md5.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t kFileBytes = size_t{512} << 20;
constexpr int kRounds = 5;
constexpr double kMemoryGoalKiB = 64 * 1024;

struct Contender {
    std::string name;
    std::string command;  // with TARGET where the output file goes
    double best = 1e9;    // seconds
    long peakKiB = 0;
    bool correct = true;
    bool writesTarget = true;
};

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

void WritePackage(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    std::mt19937_64 random(2024);
    std::vector<uint64_t> chunk((size_t{1} << 20) / sizeof(uint64_t));
    for (size_t written = 0; written < kFileBytes; written += chunk.size() * sizeof(uint64_t)) {
        for (auto& word : chunk) word = random();
        out.write(reinterpret_cast<const char*>(chunk.data()),
                  static_cast<std::streamsize>(chunk.size() * sizeof(uint64_t)));
    }
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// One run under GNU time: the wall time measured here, the peak resident size from time.
bool RunOnce(Contender& contender, const std::string& target, const std::string& timeFile,
             double& seconds, long& peakKiB) {
    std::string command = contender.command;
    for (size_t at; (at = command.find("TARGET")) != std::string::npos;) {
        command.replace(at, 6, Quote(target));
    }
    const std::string line =
        "/usr/bin/time -f %M -o " + Quote(timeFile) + " " + command + " >/dev/null 2>&1";
    const auto start = Clock::now();
    const int status = std::system(line.c_str());
    seconds = std::chrono::duration<double>(Clock::now() - start).count();
    peakKiB = std::atol(ReadAll(timeFile).c_str());
    return status == 0;
}

}  // namespace

int main(int, char** argv) {
    const auto tools = std::filesystem::canonical(argv[0]).parent_path().parent_path() / "tools";
    const auto scratch = std::filesystem::temp_directory_path() / "qm-bench-download";
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch / "root");
    const std::string package = (scratch / "root" / "package.bin").string();
    WritePackage(package);
    const std::string expected = Utils::GetFileMd5(package);

    const std::string portFile = (scratch / "port").string();
    // The server ends when its standard input, this pipe, closes.
    std::unique_ptr<FILE, int (*)(FILE*)> server(
        popen(((tools / "package-server").string() + " --root " +
               Quote((scratch / "root").string()) + " --exit-on-eof > " + Quote(portFile))
                  .c_str(),
              "w"),
        pclose);
    std::string portLine;
    for (int i = 0; i < 100 && portLine.find('\n') == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        portLine = ReadAll(portFile);
    }
    if (!server || portLine.rfind("port=", 0) != 0) {
        std::printf("package-server did not start\ndownload: ratio=0 ratio=0 (goal 0.9)\n");
        return 1;
    }
    const std::string url = "http://127.0.0.1:" + std::to_string(std::atoi(portLine.c_str() + 5)) +
                            "/download/package.bin";
    const std::string run = (tools / "download-run").string();

    std::vector<Contender> contenders = {
        {"download-run --type 1", run + " --type 1 " + url + " TARGET"},
        {"download-run --type 3", run + " --type 3 " + url + " TARGET"},
        {"download-run --type 2", run + " --type 2 " + url + " TARGET"},
        // Not a peer of the ratios: what a check like ours costs on top of curl.
        {"curl, then md5sum", "sh -c \"curl -s -f -L -o TARGET " + url + " && md5sum TARGET\""},
        {"md5sum alone", "md5sum " + Quote(package), 1e9, 0, true, false},
        {"curl", "curl -s -f -L -o TARGET " + url},
    };
    const std::string target = (scratch / "out.bin").string();
    const std::string timeFile = (scratch / "time").string();
    for (int round = 0; round < kRounds; ++round) {
        for (auto& contender : contenders) {
            std::filesystem::remove(target);
            double seconds = 0;
            long peak = 0;
            const bool ok = RunOnce(contender, target, timeFile, seconds, peak);
            contender.best = std::min(contender.best, seconds);
            contender.peakKiB = std::max(contender.peakKiB, peak);
            // Every downloaded file is checked once, after its last round.
            const bool checked = !contender.writesTarget || round < kRounds - 1 ||
                                 Utils::GetFileMd5(target) == expected;
            if (!ok || !checked) contender.correct = false;
        }
    }
    server.reset();
    std::filesystem::remove_all(scratch);

    const double megabytes = static_cast<double>(kFileBytes) / 1e6;
    const Contender& peer = contenders.back();
    std::printf("%-24s %10s %12s %10s %s\n", "512 MiB over loopback", "MB/s", "peak MiB", "vs curl",
                "file");
    for (const auto& c : contenders) {
        std::printf("%-24s %10.0f %12.1f %10.2f %s\n", c.name.c_str(), megabytes / c.best,
                    static_cast<double>(c.peakKiB) / 1024.0, peer.best / c.best,
                    c.correct ? "ok" : "WRONG");
    }
    bool allCorrect = true;
    bool memoryOk = true;
    for (const auto& c : contenders) {
        allCorrect = allCorrect && c.correct;
        if (c.name.rfind("download-run", 0) == 0) memoryOk = memoryOk && c.peakKiB < kMemoryGoalKiB;
    }
    std::printf("peak memory of ours under 64 MiB: %s\n", memoryOk ? "yes" : "no");
    const double type1 = allCorrect ? peer.best / contenders[0].best : 0.0;
    const double type3 = allCorrect ? peer.best / contenders[1].best : 0.0;
    std::printf("download: ratio=%.2f ratio=%.2f (goal 0.9)\n", type1, type3);
    return allCorrect ? 0 : 1;
}
