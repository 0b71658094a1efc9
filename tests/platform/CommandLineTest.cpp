#include <gtest/gtest.h>

#include "platform/CommandLine.h"
#include "platform/Process.h"

namespace {

struct SplitCase {
    const wchar_t* commandLine;
    std::vector<std::wstring> arguments;
};

// Lines where the shell's rules are easy to get wrong. On Win32 the real
// CommandLineToArgvW must agree with the table too.
const SplitCase kCases[] = {
    {L"prog", {L"prog"}},
    {L"prog a b", {L"prog", L"a", L"b"}},
    {L"prog\ta\t\tb", {L"prog", L"a", L"b"}},
    {L"prog   ", {L"prog"}},
    {L"prog a   ", {L"prog", L"a"}},
    {L"\"C:\\Program Files\\q.exe\" -x", {L"C:\\Program Files\\q.exe", L"-x"}},
    {L"C:\\dir\\\"q\".exe a", {L"C:\\dir\\\"q\".exe", L"a"}},
    {L"\"prog\"tail a", {L"prog", L"tail", L"a"}},
    {L"\"unterminated program", {L"unterminated program"}},
    {L"prog \"a b\" c", {L"prog", L"a b", L"c"}},
    {L"prog \"\" b", {L"prog", L"", L"b"}},
    {L"prog \"\"", {L"prog", L""}},
    {L"prog a\\\\b", {L"prog", L"a\\\\b"}},
    {L"prog a\\\"b", {L"prog", L"a\"b"}},
    {L"prog a\\\\\"b c\"", {L"prog", L"a\\b c"}},
    {L"prog a\\\\\\\"b", {L"prog", L"a\\\"b"}},
    {L"prog \"a\\\\\"", {L"prog", L"a\\"}},
    {L"prog \"a\"\"b\" c", {L"prog", L"a\"b c"}},
    {L"prog \"a\"\"\"b", {L"prog", L"a\"b"}},
    {L"prog a\"\"\"b", {L"prog", L"a\"b"}},
    {L"prog \"unbalanced", {L"prog", L"unbalanced"}},
    {L"prog \"un bal", {L"prog", L"un bal"}},
    {L"prog -instcmd=\"/S /D=x\" y", {L"prog", L"-instcmd=/S /D=x", L"y"}},
    {L" prog a", {L"", L"prog", L"a"}},
    {L"prog \t\"\"\t", {L"prog", L""}},
};

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, NativeSplit) {
    EXPECT_EQ(platform::SplitCommandLine(GetParam().commandLine), GetParam().arguments);
}

TEST_P(SplitTest, PortableSplit) {
    EXPECT_EQ(platform::SplitCommandLineLikeShell(GetParam().commandLine), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, SplitTest, testing::ValuesIn(kCases));

TEST(SplitCommandLine, EmptyLineGivesTheProgramPath) {
    const std::vector<std::wstring> expected = {platform::ModuleFileName()};
    EXPECT_EQ(platform::SplitCommandLine(L""), expected);
    EXPECT_EQ(platform::SplitCommandLineLikeShell(L""), expected);
}

TEST(SplitCommandLine, TenThousandArguments) {
    std::wstring line = L"prog";
    for (int i = 0; i < 10000; ++i) line += L" -k" + std::to_wstring(i) + L"=\"v " + std::to_wstring(i) + L"\"";
    const auto native = platform::SplitCommandLine(line);
    ASSERT_EQ(native.size(), 10001u);
    EXPECT_EQ(native[10000], L"-k9999=v 9999");
    EXPECT_EQ(platform::SplitCommandLineLikeShell(line), native);
}

TEST(QuoteArgument, RoundTripsThroughTheSplit) {
    const std::wstring arguments[] = {L"plain", L"", L"two words", L"quote\"inside",
                                      L"trailing\\", L"C:\\a b\\", L"\\\\\"", L"tab\there"};
    std::wstring line = L"prog";
    for (const auto& argument : arguments) line += L" " + platform::QuoteArgument(argument);
    std::vector<std::wstring> expected = {L"prog"};
    expected.insert(expected.end(), std::begin(arguments), std::end(arguments));
    EXPECT_EQ(platform::SplitCommandLine(line), expected);
}

}  // namespace
