#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "platform/CommandLine.h"
#include "platform/Pipe.h"
#include "platform/Process.h"
#include "platform/Text.h"
#include "support/TestSupport.h"
#include "utils/ChildProcess.h"
#include "utils/Exception.h"

namespace {

// Writes args[0] to standard output and args[1] to standard error, then echoes
// its standard input (up to its end) to standard output and exits with args[2].
QM_CHILD_ENTRY(EchoChild) {
    std::fputs(args.at(0).c_str(), stdout);
    std::fflush(stdout);
    std::fputs(args.at(1).c_str(), stderr);
    std::fflush(stderr);
    std::string input;
    for (int c; (c = std::fgetc(stdin)) != EOF;) input += static_cast<char>(c);
    std::fputs(("input=" + input).c_str(), stdout);
    return std::stoi(args.at(2));
}

// Writes args[0] megabytes of a counting pattern to standard output and as
// much again to standard error, which nobody here reads.
QM_CHILD_ENTRY(FloodChild) {
    const size_t megabytes = std::stoul(args.at(0));
    std::string block(1 << 20, '\0');
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>('a' + i % 26);
    for (size_t m = 0; m < megabytes; ++m) {
        std::fwrite(block.data(), 1, block.size(), stdout);
        std::fwrite(block.data(), 1, block.size(), stderr);
    }
    return 0;
}

std::wstring ChildCommandLine(const std::string& entry, const std::vector<std::string>& args) {
    std::wstring line = platform::QuoteArgument(platform::ModuleFileName()) + L" --child=" +
                        platform::FromUtf8(entry);
    for (const auto& arg : args) line += L" " + platform::QuoteArgument(platform::FromUtf8(arg));
    return line;
}

std::string ReadToEnd(platform::NativeHandle handle) {
    std::string all;
    char buffer[1024];
    for (long n; (n = platform::ReadHandle(handle, buffer, sizeof buffer)) > 0;) {
        all.append(buffer, static_cast<size_t>(n));
    }
    return all;
}

TEST(ChildProcess, PipesCarryEveryByteAndTheExitCodeArrivesAfterTheChildEnds) {
    Utils::ChildProcess child;
    child.Start(ChildCommandLine("EchoChild", {"to stdout", "to stderr", "42"}));
    EXPECT_NE(child.ProcessId(), 0u);

    char first[9];
    size_t got = 0;
    while (got < sizeof first) {
        long n = platform::ReadHandle(child.outPipe.readEnd, first + got, sizeof first - got);
        ASSERT_GT(n, 0);
        got += static_cast<size_t>(n);
    }
    EXPECT_EQ(std::string(first, 9), "to stdout");
    // The child waits for the end of its input, so it is still running.
    EXPECT_EQ(child.ExitCode(), platform::kStillActive);

    ASSERT_TRUE(child.WriteInput("line one|line two"));
    child.CloseInput();
    EXPECT_FALSE(child.WriteInput("too late"));
    EXPECT_EQ(ReadToEnd(child.outPipe.readEnd), "input=line one|line two");
    EXPECT_EQ(child.Wait(), 42u);
    EXPECT_EQ(child.ExitCode(), 42u);
    EXPECT_EQ(child.ErrorOutput(), "to stderr");
    child.Close();
    EXPECT_EQ(child.outPipe.readEnd, platform::kNoHandle);
    EXPECT_EQ(child.inPipe.writeEnd, platform::kNoHandle);
}

TEST(ChildProcess, TenMegabytesOnBothStreamsNeverBlockTheReader) {
    Utils::ChildProcess child;
    child.Start(ChildCommandLine("FloodChild", {"10"}));
    const std::string output = ReadToEnd(child.outPipe.readEnd);
    EXPECT_EQ(child.Wait(), 0u);
    ASSERT_EQ(output.size(), size_t{10} << 20);
    size_t wrong = 0;
    for (size_t i = 0; i < output.size(); ++i) {
        wrong += output[i] != static_cast<char>('a' + i % (1 << 20) % 26);
    }
    EXPECT_EQ(wrong, 0u);
    const std::string errors = child.ErrorOutput();
    EXPECT_EQ(errors.size(), Utils::ChildProcess::kMaxErrorOutput);
    EXPECT_EQ(errors.substr(0, 3), "abc");
}

// A second child must not inherit the parent's end of the first child's
// input: the first child would then never see the end of its input.
TEST(ChildProcess, ParentEndsAreNotInheritedByLaterChildren) {
    Utils::ChildProcess first;
    first.Start(ChildCommandLine("EchoChild", {"", "", "3"}));
    Utils::ChildProcess second;
    second.Start(ChildCommandLine("EchoChild", {"", "", "4"}));

    first.CloseInput();
    EXPECT_EQ(ReadToEnd(first.outPipe.readEnd), "input=");
    EXPECT_EQ(first.Wait(), 3u);
    EXPECT_EQ(second.ExitCode(), platform::kStillActive);
    second.CloseInput();
    EXPECT_EQ(second.Wait(), 4u);
}

TEST(ChildProcess, CommandLineBeyondTheBufferIsRefused) {
    const std::wstring base = ChildCommandLine("EchoChild", {"", "", "5"}) + L" ";
    ASSERT_LT(base.size(), Utils::ChildProcess::kMaxCommandLine);
    const std::wstring fits =
        base + std::wstring(Utils::ChildProcess::kMaxCommandLine - base.size(), L'x');
    {
        Utils::ChildProcess child;
        child.Start(fits);
        child.CloseInput();
        EXPECT_EQ(child.Wait(), 5u);
    }
    Utils::ChildProcess child;
    try {
        child.Start(fits + L"x");
        FAIL() << "a 1,024-character command line started";
    } catch (const Utils::Exception& error) {
        EXPECT_NE(std::string(error.what()).find("1023"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(child.process.Running());
}

TEST(ChildProcess, MissingProgramThrowsWithoutMessage) {
    testing_support::ScratchDir dir;
    Utils::ChildProcess child;
    const std::wstring missing = (dir / "no-such-program.exe").wstring();
    try {
        child.Start(platform::QuoteArgument(missing) + L" -x");
        FAIL() << "a missing program started";
    } catch (const Utils::Exception& error) {
        EXPECT_STREQ(error.what(), "Unknown exception");
    }
}

TEST(ChildProcess, StartingTwiceIsRefused) {
    Utils::ChildProcess child;
    child.Start(ChildCommandLine("EchoChild", {"", "", "0"}));
    EXPECT_THROW(child.Start(ChildCommandLine("EchoChild", {"", "", "0"})), Utils::Exception);
    child.CloseInput();
    EXPECT_EQ(child.Wait(), 0u);
}

TEST(Exception, MessageInTheAnsiCodePage) {
    EXPECT_STREQ(Utils::Exception(L"pipe refused").what(), "pipe refused");
    EXPECT_STREQ(Utils::Exception().what(), "Unknown exception");
}

}  // namespace
