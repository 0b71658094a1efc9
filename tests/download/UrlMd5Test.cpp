#include <gtest/gtest.h>

#include "download/Downloader.h"

namespace {

struct UrlMd5Case {
    const char* url;
    const char* md5;
};

TEST(GetUrlMd5, TakesTheSecondToLastSegment) {
    const UrlMd5Case cases[] = {
        {"http://h/files/0123456789abcdef0123456789abcdef/p.exe",
         "0123456789abcdef0123456789abcdef"},
        {"http://host/p.exe", "host"},
        {"http:host/p.exe", ""},
        {"p.exe", ""},
        {"", ""},
        {"/a/", "a"},
        {"http://h/dir/", "dir"},
        {"http://h/a/b/c?x=1/y", "c?x=1"},
    };
    for (const auto& c : cases) EXPECT_EQ(GetUrlMd5(c.url), c.md5) << c.url;
}

TEST(GetUrlMd5, OnlyThirtyTwoCharactersCountAsAChecksum) {
    EXPECT_TRUE(IsExpectedMd5(std::string(32, 'a')));
    EXPECT_FALSE(IsExpectedMd5(std::string(31, 'a')));
    EXPECT_FALSE(IsExpectedMd5(std::string(33, 'a')));
    EXPECT_FALSE(IsExpectedMd5(""));
}

}  // namespace
