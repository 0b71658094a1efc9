// Appending one file to another: block boundaries, empty files, missing files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/FileAppend.h"
#include "support/TestSupport.h"

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 4099) & 0xFF);
    return bytes;
}

TEST(AppendFile, AddsTheWholeSourceAfterTheDestination) {
    struct Case {
        size_t head;
        size_t tail;
    };
    // Around the 1 MiB blocks of the copy, and empty on either side.
    const Case cases[] = {
        {0, 0}, {5, 0}, {0, 7}, {1000, (1 << 20) - 1}, {3, (1 << 20) + 1}, {1, (37 << 20) + 12345}};
    testing_support::ScratchDir dir;
    for (const Case& c : cases) {
        const std::string head = Pattern(c.head);
        const std::string tail = Pattern(c.tail + 11).substr(11);
        testing_support::WriteFile(dir / "to", head);
        testing_support::WriteFile(dir / "from", tail);
        ASSERT_TRUE(platform::AppendFile((dir / "from").string(), (dir / "to").string()))
            << c.head << "+" << c.tail;
        EXPECT_TRUE(ReadBytes(dir / "to") == head + tail) << c.head << "+" << c.tail;
        EXPECT_TRUE(ReadBytes(dir / "from") == tail);
    }
}

TEST(AppendFile, FailsWithoutCreatingAMissingDestination) {
    testing_support::ScratchDir dir;
    testing_support::WriteFile(dir / "from", "bytes");
    EXPECT_FALSE(platform::AppendFile((dir / "from").string(), (dir / "to").string()));
    EXPECT_FALSE(std::filesystem::exists(dir / "to"));

    testing_support::WriteFile(dir / "to", "kept");
    EXPECT_FALSE(platform::AppendFile((dir / "missing").string(), (dir / "to").string()));
    EXPECT_EQ(ReadBytes(dir / "to"), "kept");
}

}  // namespace
