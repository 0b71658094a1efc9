#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/Text.h"
#include "support/TestSupport.h"
#include "utils/NamedMutex.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ScratchDir;

// Tries the name; exits 0 when this process got it, 1 when it was refused.
QM_CHILD_ENTRY(TryMutex) {
    Utils::NamedMutex mutex(platform::FromUtf8(args.at(0)));
    mutex.Acquire();
    return mutex.Held() ? 0 : 1;
}

// Takes the name, says so through a file, and holds it until told to stop.
QM_CHILD_ENTRY(HoldMutex) {
    Utils::NamedMutex mutex(platform::FromUtf8(args.at(0)));
    mutex.Acquire();
    if (!mutex.Held()) return 1;
    testing_support::WriteFile(args.at(1), "held");
    for (int i = 0; i < 3000 && !fs::exists(args.at(2)); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}

std::string UniqueName() {
    return "QuillmarkTest_" + std::to_string(platform::CurrentProcessId()) + "_" +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
}

TEST(NamedMutex, SecondProcessIsRefusedUntilTheFirstHasExited) {
    ScratchDir dir;
    const std::string name = UniqueName();
    const std::string held = (dir / "held").string(), stop = (dir / "stop").string();
    platform::Process holder = testing_support::StartChild("HoldMutex", {name, held, stop});
    ASSERT_TRUE(testing_support::WaitUntil([&] { return fs::exists(held); }));

    EXPECT_EQ(testing_support::RunChild("TryMutex", {name}), 1u);
    Utils::NamedMutex own(platform::FromUtf8(name));
    own.Acquire();
    EXPECT_FALSE(own.Held());

    testing_support::WriteFile(stop, "");
    EXPECT_EQ(holder.Wait(), 0u);
    EXPECT_EQ(testing_support::RunChild("TryMutex", {name}), 0u);
}

TEST(NamedMutex, ReleaseGivesTheNameBack) {
    const std::string name = UniqueName();
    Utils::NamedMutex first(platform::FromUtf8(name));
    first.Acquire();
    ASSERT_TRUE(first.Held());
    first.Acquire();  // a second call keeps the handle
    EXPECT_TRUE(first.Held());
    EXPECT_EQ(testing_support::RunChild("TryMutex", {name}), 1u);
    first.Release();
    EXPECT_FALSE(first.Held());
    EXPECT_EQ(testing_support::RunChild("TryMutex", {name}), 0u);
}

}  // namespace
