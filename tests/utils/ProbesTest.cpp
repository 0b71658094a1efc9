#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "platform/Clock.h"
#include "platform/Com.h"
#include "platform/Network.h"
#include "support/TestSupport.h"
#include "utils/Guid.h"
#include "utils/HardDiskManager.h"
#include "utils/Identity.h"
#include "utils/Network.h"
#include "utils/Stopwatch.h"

namespace {

using testing_support::LogCapture;

TEST(HardDiskManager, CountsTheVolumeOfAFolder) {
    testing_support::ScratchDir dir;
    Utils::HardDiskManager disk;
    ASSERT_TRUE(disk.CheckFreeSpace(dir.path().wstring()));
    EXPECT_GT(disk.totalBytes, 0u);
    EXPECT_LE(disk.totalFreeBytes, disk.totalBytes);
    EXPECT_LE(disk.freeBytesAvailable, disk.totalBytes);
    EXPECT_GT(disk.totalFreeBytes, 0u);
}

TEST(HardDiskManager, FailureIsLoggedWithTheSystemCode) {
    testing_support::ScratchDir dir;
    LogCapture log;
    Utils::HardDiskManager disk;
    EXPECT_FALSE(disk.CheckFreeSpace((dir / "missing" / "deeper").wstring()));
    const auto lines = log.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(L"(Utils::HardDiskManager::CheckFreeSpace)"), std::wstring::npos)
        << testing::PrintToString(lines[0]);
    const size_t code = lines[0].find(L"HardDiskManager::CheckFreeSpace FAIL code=");
    ASSERT_NE(code, std::wstring::npos);
    const std::wstring number = lines[0].substr(code + 42);
    EXPECT_GT(std::stol(number), 0) << "no system error code";
    EXPECT_TRUE(lines[0].ends_with(L"\r\n"));
    EXPECT_EQ(disk.totalBytes, 0u);
}

TEST(CheckNetwork, VerdictEncoding) {
    struct Case {
        platform::Connectivity connectivity;
        uint32_t expected;
    };
    const Case cases[] = {
        {{false, 0x40, true}, 0},         // the system could not be asked
        {{true, 0, false}, 65536},        // no connectivity at all
        {{true, 0x11, false}, 0x20011},   // local only: no Internet
        {{true, 0x440, true}, 0x440},     // connected through both protocols
        {{true, 0x12340, true}, 0x2340},  // flags beyond 16 bits never reach the verdict
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utils::EncodeNetworkVerdict(c.connectivity), c.expected) << c.expected;
    }
}

// Prints the answer for the parent, asked on a thread with COM as the
// installer's network-check thread does.
QM_CHILD_ENTRY(CheckNetwork) {
    platform::ComApartment com;
    if (!com.Initialized()) return 1;
    std::printf("%u", Utils::CheckNetwork());
    return 0;
}

std::wstring ChildCommand(const wchar_t* entry) {
    return L"\"" + platform::ModuleFileName() + L"\" --child=" + entry;
}

#ifdef _WIN32
TEST(CheckNetwork, AnswersWithAKnownVerdict) {
    const auto result = testing_support::RunProgram(ChildCommand(L"CheckNetwork"));
    ASSERT_EQ(result.exitCode, 0u);
    const uint32_t value = std::stoul(result.output);
    EXPECT_LE(value >> 16, 2u);
    if (value >> 16 == 1) {
        EXPECT_EQ(value, 65536u);
    }
}
#else
TEST(CheckNetwork, MatchesTheInterfacesOfThisMachine) {
    const uint32_t value = Utils::CheckNetwork();
    EXPECT_LE(value >> 16, 2u);
    EXPECT_EQ(value == 65536, platform::QueryConnectivity().flags == 0);
}

// A network namespace of its own has only a loopback interface that is down.
TEST(CheckNetwork, MachineWithoutNetworkAnswers65536) {
    const std::wstring unshare = L"/usr/bin/unshare";
    if (!std::filesystem::exists(unshare)) GTEST_SKIP() << "no unshare";
    const auto result =
        testing_support::RunProgram(unshare + L" --net " + ChildCommand(L"CheckNetwork"));
    if (result.exitCode != 0) GTEST_SKIP() << "no network namespaces here";
    EXPECT_EQ(result.output, "65536");
}
#endif

TEST(NewGuidString, FormatAndUniqueness) {
    std::set<std::wstring> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::wstring guid = Utils::NewGuidString();
        ASSERT_EQ(guid.size(), 32u);
        for (size_t k = 0; k < guid.size(); ++k) {
            const wchar_t c = guid[k];
            const bool digit = c >= L'0' && c <= L'9';
            const bool third = k >= 12 && k < 16;
            EXPECT_TRUE(digit || (third ? c >= L'a' && c <= L'f' : c >= L'A' && c <= L'F'))
                << testing::PrintToString(guid);
        }
        // A version 4 GUID, as CoCreateGuid makes them.
        EXPECT_EQ(guid[12], L'4');
        seen.insert(guid);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(ElapsedSeconds, TicksSinceTheStart) {
    Utils::Stopwatch stopwatch;
    EXPECT_EQ(Utils::ElapsedSeconds(stopwatch), 0.0f);
    stopwatch.startTick = platform::TickCount() - 2500;
    EXPECT_EQ(Utils::ElapsedSeconds(stopwatch), 0.0f) << "not started yet";
    stopwatch.started = true;
    EXPECT_NEAR(Utils::ElapsedSeconds(stopwatch), 2.5f, 0.5f);
    // Across the wrap of the 32-bit tick count.
    stopwatch.startTick = platform::TickCount() + 0xFFFFFFFFu - 999;
    EXPECT_NEAR(Utils::ElapsedSeconds(stopwatch), 1.0f, 0.5f);
    stopwatch.Start();
    EXPECT_LT(Utils::ElapsedSeconds(stopwatch), 0.5f);
}

TEST(Identity, UnknownAccountIsNoAdministrator) {
    EXPECT_FALSE(Utils::IsUserAdmin(L"qm-no-such-user-7f3a"));
    EXPECT_FALSE(Utils::IsUserAdmin(L""));
}

TEST(Identity, ConsoleUserIsReadable) {
    std::wstring user = L"unchanged";
    ASSERT_TRUE(Utils::GetConsoleUserName(user));
    EXPECT_FALSE(user.empty());
    EXPECT_NE(user, L"unchanged");
}

#ifndef _WIN32
TEST(Identity, RootIsAnAdministratorAndTheProcessRightsFollowTheUid) {
    EXPECT_TRUE(Utils::IsUserAdmin(L"root"));
    EXPECT_EQ(Utils::IsAdmin(), testing_support::RunProgram(L"/usr/bin/id -u").output == "0\n");
}
#endif

}  // namespace
