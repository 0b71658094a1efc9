#include <gtest/gtest.h>

#include <random>

#include "support/TestSupport.h"
#include "utils/Encoding.h"
#include "utils/Md5.h"

namespace {

using testing_support::ScratchDir;
using testing_support::WriteFile;

struct Vector {
    std::string input;
    const char* digest;
};

// The test suite of RFC 1321, appendix A.5, and one million "a".
const Vector kVectors[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
    {std::string(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21"},
};

TEST(Md5, RfcTestSuiteInMemoryAndFromFiles) {
    ScratchDir dir;
    for (const Vector& v : kVectors) {
        EXPECT_EQ(Utils::Md5::Of(v.input), v.digest) << v.input.substr(0, 40);
        const auto file = dir / "vector.bin";
        WriteFile(file, v.input);
        EXPECT_EQ(Utils::GetFileMd5(Utils::ToNarrow(file.wstring(), Utils::kAnsiCodePage)),
                  v.digest)
            << v.input.substr(0, 40);
    }
}

// Lengths around the padding boundary (55/56/64 bytes) and the file blocks,
// fed in pieces of every size: each must give the one-piece digest.
TEST(Md5, SplittingTheInputNeverChangesTheDigest) {
    std::mt19937 random(1321);
    std::string data(2100, '\0');
    for (char& c : data) c = static_cast<char>(random());
    for (size_t length : {55, 56, 57, 63, 64, 65, 119, 120, 1023, 1024, 1025, 2100}) {
        const std::string whole = Utils::Md5::Of(std::string_view(data).substr(0, length));
        for (size_t piece : {1, 3, 63, 64, 65, 1000}) {
            Utils::Md5 md5;
            for (size_t at = 0; at < length; at += piece) {
                md5.Update(data.data() + at, std::min(piece, length - at));
            }
            EXPECT_EQ(Utils::Md5::ToHex(md5.Final()), whole) << length << " in " << piece;
        }
    }
}

// Files that end just before, at and after a read block.
TEST(GetFileMd5, FilesAroundTheReadBlock) {
    ScratchDir dir;
    std::mt19937 random(64);
    std::string data(2 * Utils::kFileBlockBytes + 1, '\0');
    for (char& c : data) c = static_cast<char>(random());
    for (size_t length : {Utils::kFileBlockBytes - 1, Utils::kFileBlockBytes,
                          Utils::kFileBlockBytes + 1, 2 * Utils::kFileBlockBytes + 1}) {
        const auto file = dir / "block.bin";
        WriteFile(file, data.substr(0, length));
        EXPECT_EQ(Utils::GetFileMd5(Utils::ToNarrow(file.wstring(), Utils::kAnsiCodePage)),
                  Utils::Md5::Of(std::string_view(data).substr(0, length)))
            << length;
    }
}

TEST(GetFileMd5, EmptyMissingAndUnreadable) {
    ScratchDir dir;
    WriteFile(dir / "empty.bin", "");
    auto narrow = [](const std::filesystem::path& p) {
        return Utils::ToNarrow(p.wstring(), Utils::kAnsiCodePage);
    };
    EXPECT_EQ(Utils::GetFileMd5(narrow(dir / "empty.bin")), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Utils::GetFileMd5(narrow(dir / "missing.bin")), "");
    EXPECT_EQ(Utils::GetFileMd5(""), "");
    // A folder opens on some systems but cannot be read: no digest either.
    EXPECT_EQ(Utils::GetFileMd5(narrow(dir.path())), "");
}

TEST(GetFileMd5, FileNamesInTheAnsiCodePage) {
    ScratchDir dir;
    const auto file = dir.path() / u8"caf\u00e9.bin";
    WriteFile(file, "abc");
#ifdef _WIN32
    const std::string name = Utils::ToNarrow(file.wstring(), Utils::kAnsiCodePage);
#else
    const std::string name = file.string();  // the ANSI code page is UTF-8 here
#endif
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(Utils::GetFileMd5(name), "900150983cd24fb0d6963f7d28e17f72");
}

}  // namespace
