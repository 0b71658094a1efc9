#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "platform/Process.h"
#include "support/TestSupport.h"
#include "utils/Thread.h"

namespace {

using testing_support::LogCapture;

struct Probe {
    std::atomic<int> runs{0};
    std::atomic<uint32_t> ranOn{0};
    std::atomic<bool> finished{false};
    int sleepMs = 0;
};

uint32_t RecordRun(void* parameter) {
    auto* probe = static_cast<Probe*>(parameter);
    probe->ranOn = platform::CurrentThreadId();
    std::this_thread::sleep_for(std::chrono::milliseconds(probe->sleepMs));
    ++probe->runs;
    probe->finished = true;
    return 7;
}

size_t CountLines(const std::vector<std::wstring>& lines, const std::wstring& text) {
    size_t count = 0;
    for (const auto& line : lines) count += line.find(text) != std::wstring::npos;
    return count;
}

TEST(Thread, RunsOnlyAfterResumeAndLogsBeginAndEndOnItsOwnThread) {
    LogCapture log;
    Probe probe;
    Utils::Thread thread(&probe, L"ABDEF", RecordRun);
    ASSERT_TRUE(thread.HasThread());
    const uint32_t id = thread.threadId();
    EXPECT_NE(id, Utils::Thread::kNoThreadId);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(probe.runs, 0) << "a suspended thread ran";

    ASSERT_TRUE(thread.Resume());
    thread.Join();
    EXPECT_EQ(probe.runs, 1);
    EXPECT_EQ(probe.ranOn, id);
    EXPECT_FALSE(thread.HasThread());
    EXPECT_EQ(thread.threadId(), Utils::Thread::kNoThreadId);
    EXPECT_FALSE(thread.Resume());

    const auto lines = log.Lines();
    wchar_t threadField[16];
    swprintf(threadField, 16, L"<T%05u>", id);
    for (const wchar_t* text : {L"THREAD BEGIN", L"THREAD END"}) {
        ASSERT_EQ(CountLines(lines, text), 1u) << testing::PrintToString(std::wstring(text));
    }
    for (const auto& line : lines) {
        EXPECT_NE(line.find(L"(Utils::Thread::CallBack)"), std::wstring::npos);
        EXPECT_NE(line.find(threadField), std::wstring::npos);
    }
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_LT(lines[0].find(L"THREAD BEGIN"), lines[0].size());
}

TEST(Thread, DestructorWaitsForTheProcedure) {
    Probe probe;
    probe.sleepMs = 150;
    {
        Utils::Thread thread(&probe, L"ABDEF", RecordRun);
        ASSERT_TRUE(thread.Resume());
    }
    EXPECT_TRUE(probe.finished);
}

TEST(Thread, NeverResumedThreadIsLetGoWithoutRunning) {
    LogCapture log;
    Probe probe;
    {
        Utils::Thread thread(&probe, L"UnInstaller", RecordRun);
        ASSERT_TRUE(thread.HasThread());
    }
    Utils::Thread joined(&probe, L"UnInstaller", RecordRun);
    joined.Join();
    EXPECT_EQ(probe.runs, 0);
    EXPECT_TRUE(log.Lines().empty());
}

TEST(Thread, DebuggerNameIsTheNameOrTAndTheId) {
    Utils::Thread unnamed(nullptr, L"", [](void*) { return 0u; });
    EXPECT_EQ(unnamed.DebuggerName(), L"t" + std::to_wstring(unnamed.threadId()));
    Utils::Thread named(nullptr, L"ABDEF", [](void*) { return 0u; });
    EXPECT_EQ(named.DebuggerName(), L"ABDEF");
}

// The system's own listing of the thread carries the announced name (where it
// keeps thread names at all: older Windows has no thread description).
TEST(Thread, NameIsVisibleToTheSystem) {
    for (const std::wstring name : {L"ABDEF", L"UnInstaller", L""}) {
        std::atomic<bool> release{false};
        Utils::Thread thread(nullptr, name, [&](void*) -> uint32_t {
            while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(2));
            return 0;
        });
        ASSERT_TRUE(thread.Resume());
        const std::wstring shown = name.empty() ? L"t" + std::to_wstring(thread.threadId()) : name;
        const std::wstring systemName = thread.SystemName();
#ifdef _WIN32
        if (systemName.empty()) GTEST_SKIP() << "no thread descriptions on this system";
#else
        std::ifstream comm("/proc/self/task/" + std::to_string(thread.threadId()) + "/comm");
        std::string listed;
        std::getline(comm, listed);
        EXPECT_EQ(std::wstring(listed.begin(), listed.end()), shown);
#endif
        EXPECT_EQ(systemName, shown);
        release = true;
    }
}

#ifndef _WIN32
TEST(Thread, LongNamesAreCutToWhatTheKernelKeeps) {
    Utils::Thread thread(nullptr, L"UnInstallerWorker\u00e9", [](void*) { return 0u; });
    EXPECT_EQ(thread.SystemName(), L"UnInstallerWork");
    Utils::Thread accented(nullptr, L"UnInstallerWor\u00e9", [](void*) { return 0u; });
    EXPECT_EQ(accented.SystemName(), L"UnInstallerWor") << "a cut split a UTF-8 sequence";
}
#endif

// Destroys a thread from inside its own procedure.
std::atomic<bool> g_destroyed{false};
QM_CHILD_ENTRY(DestroyFromOwnThread) {
    Utils::Thread* thread = nullptr;
    thread = new Utils::Thread(&thread, L"ABDEF", [](void* parameter) -> uint32_t {
        delete *static_cast<Utils::Thread**>(parameter);
        g_destroyed = true;
        return 0;
    });
    thread->Resume();
    for (int i = 0; i < 500 && !g_destroyed; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return g_destroyed ? 0 : 2;
}

TEST(Thread, DestroyedFromItsOwnThreadIsCaughtNotAHang) {
    platform::Process child = testing_support::StartChild("DestroyFromOwnThread", {});
    ASSERT_TRUE(testing_support::WaitUntil(
        [&] { return child.ExitCode() != platform::kStillActive; }, 20000))
        << "the child hangs";
#ifdef NDEBUG
    EXPECT_EQ(child.ExitCode(), 0u);
#else
    EXPECT_NE(child.ExitCode(), 0u) << "a debug build lets the fault pass";
    EXPECT_NE(child.ExitCode(), 2u) << "the fault went unnoticed";
#endif
}

}  // namespace
