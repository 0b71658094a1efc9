#include <gtest/gtest.h>

#include "platform/Profile.h"
#include "support/TestSupport.h"

namespace {

using testing_support::ScratchDir;
using testing_support::WriteFile;

struct ReadCase {
    const char* name;
    std::string file;
    const wchar_t* section;
    const wchar_t* key;
    std::wstring expected;  // the default is "<default>"
};

const ReadCase kReadCases[] = {
    {"plain", "[Install]\nDownloadType=3\n", L"Install", L"DownloadType", L"3"},
    {"crlf", "[Install]\r\nUrl=http://x/\r\nNext=1\r\n", L"Install", L"Url", L"http://x/"},
    {"case-insensitive names", "[INSTALL]\nDOWNLOADURL=u\n", L"install", L"downloadurl", L"u"},
    {"value keeps its case", "[Install]\nIsCheckNet=True\n", L"Install", L"IsCheckNet", L"True"},
    {"blanks trimmed", "  [Install]  \n\t key \t=\t  a value \t \r\n", L"Install", L"key",
     L"a value"},
    {"requested names trimmed", "[Install]\nkey=v\n", L" Install ", L" key ", L"v"},
    {"double quotes", "[Install]\nk=\"  spaced  \"\n", L"Install", L"k", L"  spaced  "},
    {"single quotes", "[Install]\nk='x'\n", L"Install", L"k", L"x"},
    {"mismatched quotes stay", "[Install]\nk=\"x'\n", L"Install", L"k", L"\"x'"},
    {"lone quote stays", "[Install]\nk=\"\n", L"Install", L"k", L"\""},
    {"inner quotes stay", "[Install]\nk=a\"b\"\n", L"Install", L"k", L"a\"b\""},
    {"empty value", "[Install]\nk=\n", L"Install", L"k", L""},
    {"only the first = splits", "[Install]\nk=a=b\n", L"Install", L"k", L"a=b"},
    {"missing key", "[Install]\nother=1\n", L"Install", L"k", L"<default>"},
    {"missing section", "[Other]\nk=1\n", L"Install", L"k", L"<default>"},
    {"keys before any section", "k=early\n[Install]\nj=1\n", L"Install", L"k", L"<default>"},
    {"first key wins", "[Install]\nk=first\nk=second\n", L"Install", L"k", L"first"},
    {"first section wins", "[Install]\nk=first\n[Install]\nk=second\n", L"Install", L"k",
     L"first"},
    {"repeated section not merged", "[Install]\na=1\n[Install]\nk=late\n", L"Install", L"k",
     L"<default>"},
    {"utf8 bom", "\xEF\xBB\xBF[Install]\nk=\xC3\xA9t\xC3\xA9\n", L"Install", L"k",
     L"\u00e9t\u00e9"},
    {"utf16le bom", std::string("\xFF\xFE[\0I\0n\0s\0t\0a\0l\0l\0]\0\n\0k\0=\0\xE9\0\n\0", 30),
     L"Install", L"k", L"\u00e9"},
    {"binary bytes around", std::string("\x01\x02\xFE\n[Install]\n\x03\x7F=\x80\nk=ok\n\x1A", 24),
     L"Install", L"k", L"ok"},
    {"no final line break", "[Install]\nk=last", L"Install", L"k", L"last"},
    {"text after the header", "[Install] trailing\nk=v\n", L"Install", L"k", L"v"},
    {"header without bracket is a key", "[Install\nk=v\n", L"Install", L"k", L"<default>"},
};

class ReadProfileStringTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadProfileStringTest, ReadsLikeTheProfileFunctions) {
    ScratchDir dir;
    const auto file = dir / "test.ini";
    WriteFile(file, GetParam().file);
    EXPECT_EQ(platform::ReadProfileString(GetParam().section, GetParam().key, L"<default>",
                                          file.wstring(), 260),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Files, ReadProfileStringTest, testing::ValuesIn(kReadCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

TEST(ReadProfileString, MissingFileGivesTheDefault) {
    ScratchDir dir;
    EXPECT_EQ(platform::ReadProfileString(L"Install", L"k", L"fallback", (dir / "none.ini").wstring(),
                                          260),
              L"fallback");
}

TEST(ReadProfileString, CutsToTheBufferLessOne) {
    ScratchDir dir;
    const auto file = dir / "long.ini";
    WriteFile(file, "[Install]\nk=" + std::string(300, 'x') + "\nq=\"" + std::string(300, 'y') +
                        "\"\n");
    EXPECT_EQ(platform::ReadProfileString(L"Install", L"k", L"", file.wstring(), 260),
              std::wstring(259, L'x'));
    EXPECT_EQ(platform::ReadProfileString(L"Install", L"k", L"", file.wstring(), 1), L"");
    // A quoted value that does not fit keeps what fits after the opening quote.
    EXPECT_EQ(platform::ReadProfileString(L"Install", L"q", L"", file.wstring(), 260),
              std::wstring(259, L'y'));
    // One that fits only without its closing quote loses a character to it.
    WriteFile(file, "[Install]\nq=\"abc\"\n");
    EXPECT_EQ(platform::ReadProfileString(L"Install", L"q", L"", file.wstring(), 5), L"abc");
    EXPECT_EQ(platform::ReadProfileString(L"Install", L"q", L"", file.wstring(), 4), L"ab");
}

TEST(ReadProfileString, TenMegabyteLine) {
    ScratchDir dir;
    const auto file = dir / "huge.ini";
    WriteFile(file, "[Install]\nbig=" + std::string(10 << 20, 'z') + "\nk=after\n");
    EXPECT_EQ(platform::ReadProfileString(L"Install", L"big", L"", file.wstring(), 260),
              std::wstring(259, L'z'));
    EXPECT_EQ(platform::ReadProfileString(L"Install", L"k", L"", file.wstring(), 260), L"after");
}

TEST(ReadProfileInt, ParsesLikeTheProfileFunctions) {
    ScratchDir dir;
    const auto file = dir / "ints.ini";
    WriteFile(file,
              "[Install]\nplain=3\nsuffix=3x\nletters=x3\nneg=-7\nplus=+8\nspaced=  12 \n"
              "hex=0x1F\nempty=\nhuge=99999999999\nquoted=\"5\"\n");
    struct Case {
        const wchar_t* key;
        int expected;
    };
    const Case cases[] = {{L"plain", 3},  {L"suffix", 3},  {L"letters", 0}, {L"neg", -7},
                          {L"plus", 8},   {L"spaced", 12}, {L"hex", 31},    {L"empty", 42},
                          {L"missing", 42}, {L"huge", 1215752191}, {L"quoted", 5}};
    for (const Case& c : cases) {
        EXPECT_EQ(platform::ReadProfileInt(L"Install", c.key, 42, file.wstring()), c.expected)
            << testing::PrintToString(std::wstring(c.key));
    }
}

TEST(FileExists, TellsFilesFromNothing) {
    ScratchDir dir;
    WriteFile(dir / "here.ini", "");
    EXPECT_TRUE(platform::FileExists((dir / "here.ini").wstring()));
    EXPECT_FALSE(platform::FileExists((dir / "gone.ini").wstring()));
}

}  // namespace
