#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "platform/Process.h"
#include "platform/Text.h"
#include "support/TestSupport.h"
#include "utils/DebugLog.h"

namespace {

using testing_support::LogCapture;

TEST(DebugLog, FormatsTheDocumentedLine) {
    LogCapture capture;
    Utils::DebugLog((std::wstring(Utils::kDebugLogPrefix) + L"CurlDownLoader Code=%d\r\n").c_str(),
                    {4, 1234, 2024, 3, 5, 7, 8, 9, 45, L"CCurlDownloader::dlThreadFun", 49, 28});
    ASSERT_EQ(capture.Lines().size(), 1u);
    EXPECT_EQ(capture.Lines()[0],
              L"<P00004><T01234><2024-03-05 07:08:09.045>(CCurlDownloader::dlThreadFun)<0049>: "
              L"CurlDownLoader Code=28\r\n");
}

TEST(DebugLog, WideFieldsKeepAllTheirDigits) {
    LogCapture capture;
    Utils::DebugLog((std::wstring(Utils::kDebugLogPrefix) + L"THREAD BEGIN\r\n").c_str(),
                    {4, 123456, 2024, 12, 31, 23, 59, 59, 999, L"f", 12345});
    ASSERT_EQ(capture.Lines().size(), 1u);
    EXPECT_EQ(capture.Lines()[0], L"<P00004><T123456><2024-12-31 23:59:59.999>(f)<12345>: THREAD BEGIN\r\n");
}

struct Widget {
    void Method() { DEBUG_LOG(L"value=%d name=%s", 7, std::wstring(L"\u00e9t\u00e9")); }
    void WithLambda() {
        auto inner = [] { DEBUG_LOG(L"from lambda\r\n"); };
        inner();
    }
};

TEST(DebugLog, MacroSuppliesFunctionLineAndIds) {
    LogCapture capture;
    Widget().Method();
    ASSERT_EQ(capture.Lines().size(), 1u);
    const std::wstring line = capture.Lines()[0];
    const std::wstring pid = std::to_wstring(platform::CurrentProcessId());
    const std::wstring tid = std::to_wstring(platform::CurrentThreadId());
    std::wregex shape(L"<P0*" + pid + L"><T0*" + tid +
                      LR"(><\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}>\(\{anonymous\}::Widget::Method\)<\d{4}>: value=7 name=\u00e9t\u00e9\r\n)");
    EXPECT_TRUE(std::regex_match(line, shape)) << platform::ToUtf8(line);
}

TEST(DebugLog, LambdaNamesTheEnclosingMethodAndAddsNoSecondLineBreak) {
    LogCapture capture;
    Widget().WithLambda();
    ASSERT_EQ(capture.Lines().size(), 1u);
    const std::wstring line = capture.Lines()[0];
    EXPECT_NE(line.find(L"({anonymous}::Widget::WithLambda::<lambda>::operator ())<"),
              std::wstring::npos)
        << platform::ToUtf8(line);
    EXPECT_TRUE(line.ends_with(L">: from lambda\r\n")) << platform::ToUtf8(line);
}

TEST(DebugLog, ThreadIdOfTheCallingThread) {
    LogCapture capture;
    uint32_t workerId = 0;
    std::thread([&] {
        workerId = platform::CurrentThreadId();
        DEBUG_LOG(L"worker");
    }).join();
    ASSERT_EQ(capture.Lines().size(), 1u);
    wchar_t expected[32];
    swprintf(expected, 32, L"<T%05u>", workerId);
    EXPECT_NE(capture.Lines()[0].find(expected), std::wstring::npos);
}

TEST(DebugLog, TextArgumentsAreNeverFormats) {
    LogCapture capture;
    const std::wstring hostile = L"%s%n%d%%x";
    DEBUG_LOG(L"url=%s", hostile);
    ASSERT_EQ(capture.Lines().size(), 1u);
    EXPECT_TRUE(capture.Lines()[0].ends_with(L"url=%s%n%d%%x\r\n"));
}

TEST(QualifiedFunctionName, StripsSignatures) {
    struct Case {
        const char* pretty;
        const wchar_t* name;
    };
    const Case cases[] = {
        {"void CCurlDownloader::dlThreadFun(int)", L"CCurlDownloader::dlThreadFun"},
        {"static bool Utils::HardDiskManager::CheckFreeSpace(const std::wstring&, long long int)",
         L"Utils::HardDiskManager::CheckFreeSpace"},
        {"Utils::Thread::Thread(const wchar_t*)", L"Utils::Thread::Thread"},
        {"int main()", L"main"},
        {"std::map<int, std::vector<int> > A::B::get() const", L"A::B::get"},
        {"void f(T) [with T = int]", L"f"},
        {"CMTCurlDownloader::Start_Down()::<lambda()>",
         L"CMTCurlDownloader::Start_Down::<lambda>::operator ()"},
        {"CMTCurlDownloader::Start_Down()::<lambda(int)>::<lambda()>",
         L"CMTCurlDownloader::Start_Down::<lambda>::operator ()::<lambda>::operator ()"},
        {"auto A::run()::(lambda at /src/a.cpp:10:5)::operator()() const",
         L"A::run::<lambda>::operator ()"},
        {"bool A::operator()(int)", L"A::operator()"},
    };
    for (const Case& c : cases) EXPECT_EQ(Utils::QualifiedFunctionName(c.pretty), c.name) << c.pretty;
}

}  // namespace
