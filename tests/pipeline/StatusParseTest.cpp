#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePrograms.h"
#include "pipeline/PackageRunner.h"
#include "pipeline/UnInstaller.h"

namespace {

using pipeline_test::Event;
using pipeline_test::EventLog;

struct ParseCase {
    const char* name;
    std::wstring text;
    std::vector<Event> events;
    int result;
};

const std::wstring kLong771(771, L'v');

const ParseCase kStatusCases[] = {
    {"two progress lines in one read",
     L"Progress=0.5\nProgress=0.75\n",
     {{2002, 0.5, L""}, {2002, 0.75, L""}},
     0},
    {"success without a final newline",
     L"Progress=1\nState=Success",
     {{2002, 1, L""}, {2003, 0, L""}},
     1},
    {"padded success with a carriage return", L"State=  Success \r\n", {{2003, 0, L""}}, 1},
    {"lower-case success is no state", L"State=success\n", {}, 0},
    {"fail", L"State=Fail\n", {{2004, 0, L"安装包安装失败"}}, 1000},
    {"error text", L"Error=disk full\n", {{2004, 1000, L"disk full"}}, 1000},
    {"the last deciding line counts",
     L"State=Success\nError=late\n",
     {{2003, 0, L""}, {2004, 1000, L"late"}},
     1000},
    {"half a line alone matches nothing", L"Progr", {}, 0},
    {"the other half neither", L"ess=0.5\n", {}, 0},
    {"startup styles",
     L"StartupStyle=AutoStartup\nStartupStyle= "
     L"UserStartup\nStartupStyle=NonStartup\nStartupStyle=Later\n",
     {{3005, 1, L""}, {3005, 2, L""}, {3005, 0, L""}, {3005, 0, L""}},
     0},
    {"detentions travel as unsigned 32 bits",
     L"FinsihCloseDetention=-1\nTopShowDetention=15\nTopShowDetention=x\n",
     {{3008, 4294967295.0, L""}, {3007, 15, L""}, {3007, 0, L""}},
     0},
    {"UninstExePath has its own entry",
     L"UninstExePath=C:\\Q\\unins.exe\nUninstExe=C:\\Q\\u2.exe\n",
     {{3002, 0, L"C:\\Q\\unins.exe"}, {3002, 0, L"C:\\Q\\u2.exe"}},
     0},
    {"information lines",
     L"InstPath=C:\\Q\nExePath=C:\\Q\\q.exe\nStartExe=C:\\Q\\s.exe\nUninstEp=C:\\Q\\uninst."
     L"ep\nStartUrl=http://x/\nMessage=hello\n",
     {{3000, 0, L"C:\\Q"},
      {3001, 0, L"C:\\Q\\q.exe"},
      {3001, 0, L"C:\\Q\\s.exe"},
      {3003, 0, L"C:\\Q\\uninst.ep"},
      {3004, 0, L"http://x/"},
      {3009, 0, L"hello"}},
     0},
    {"a carriage return stays in a text value",
     L"Message=windows line\r\n",
     {{3009, 0, L"windows line\r"}},
     0},
    {"771 characters are kept", L"InstPath=" + kLong771 + L"\n", {{3000, 0, kLong771}}, 0},
    {"772 characters become empty", L"InstPath=" + kLong771 + L"w\n", {{3000, 0, L""}}, 0},
    {"unreadable progress is 0", L"Progress=abc\n", {{2002, 0, L""}}, 0},
    {"keys match only at the start, case-sensitive",
     L" State=Success\nstate=Success\nInstallVersion=1.2.3\nOther=1\n\n",
     {},
     0},
};

TEST(ParseStatusText, ReportsEachLineAndReturnsTheLastDecision) {
    for (const auto& c : kStatusCases) {
        EventLog log;
        PackageRunner runner(log.Callback(), L"\"p.exe\"", L"");
        EXPECT_EQ(runner.ParseStatusText(c.text), c.result) << c.name;
        EXPECT_EQ(log.Events(), c.events) << c.name;
    }
}

TEST(ParseStatusText, EncodeLinesChangeTheCodePageSilently) {
    const std::pair<std::wstring, unsigned> cases[] = {
        {L"Encode=UTF8\n", 65001}, {L"Encode= 936 \r\n", 936}, {L"Encode=ACP\n", 0},
        {L"Encode=utf8\n", 0},     {L"Encode=\n", 0},
    };
    for (const auto& [text, codePage] : cases) {
        EventLog log;
        PackageRunner runner(log.Callback(), L"\"p.exe\"", L"");
        runner.ParseStatusText(L"Encode=1252\n");
        EXPECT_EQ(runner.ParseStatusText(text), 0);
        EXPECT_EQ(runner.codePage(), codePage) << testing::PrintToString(text);
        EXPECT_TRUE(log.Events().empty());
    }
}

const ParseCase kRemovalCases[] = {
    {"progress", L"Progress=0.25\n", {{5002, 0.25, L""}}, 0},
    {"reading goes on after success",
     L"State=Success\nProgress=1\n",
     {{5003, 0, L""}, {5002, 1, L""}},
     1},
    {"fail", L"State= Fail", {{5005, 0, L"安装包卸载失败"}}, 1000},
    {"error text", L"Error=file locked\n", {{5005, 0, L"file locked"}}, 1000},
    {"package keys mean nothing here", L"InstPath=C:\\Q\nMessage=m\nState=success\n", {}, 0},
};

TEST(ParseRemovalStatus, ReportsTheShorterTable) {
    for (const auto& c : kRemovalCases) {
        EventLog log;
        UnInstaller remover(log.Callback(), L"u.exe", L"C:\\Q");
        EXPECT_EQ(remover.ParseRemovalStatus(c.text), c.result) << c.name;
        EXPECT_EQ(log.Events(), c.events) << c.name;
    }
    EventLog log;
    UnInstaller remover(log.Callback(), L"u.exe", L"C:\\Q");
    remover.ParseRemovalStatus(L"Encode=UTF8\n");
    EXPECT_EQ(remover.codePage(), 65001u);
}

}  // namespace
