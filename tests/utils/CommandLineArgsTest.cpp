#include <gtest/gtest.h>

#include <cmath>

#include "utils/CommandLineArgs.h"

namespace {

Utils::CommandLineArgs Parse(const std::wstring& line) {
    Utils::CommandLineArgs args;
    args.Parse(line);
    return args;
}

TEST(CommandLineArgs, KeysAndValues) {
    auto args = Parse(L"\"C:\\q\\setup.exe\" -instcmd=/a=b -ischecknet plain=1 -k=v -k=w --x=1 /y=2");
    EXPECT_TRUE(args.Has(L"C:\\q\\setup.exe"));
    EXPECT_EQ(args.GetString(L"-instcmd"), L"/a=b");
    EXPECT_TRUE(args.Has(L"-ischecknet"));
    EXPECT_EQ(args.GetString(L"-ischecknet"), L"");
    EXPECT_TRUE(args.Has(L"plain=1"));
    EXPECT_FALSE(args.Has(L"plain"));
    EXPECT_EQ(args.GetString(L"-k"), L"v");
    EXPECT_EQ(args.GetString(L"--x"), L"1");
    EXPECT_TRUE(args.Has(L"/y=2"));
    EXPECT_EQ(args.GetString(L"-absent"), L"");
    EXPECT_FALSE(args.Has(L"-K"));
}

TEST(CommandLineArgs, TypedReads) {
    auto args = Parse(
        L"p -t=true -T=True -one=1 -n=12ab -l=abc -neg=\" -5\" -big=4294967296 -max=2147483647 "
        L"-d=0.25x -dn=nan -dbad=x -dhuge=1e999 -dhex=0x10");
    EXPECT_TRUE(args.GetBool(L"-t"));
    EXPECT_FALSE(args.GetBool(L"-T"));
    EXPECT_FALSE(args.GetBool(L"-one"));
    EXPECT_FALSE(args.GetBool(L"-absent"));
    EXPECT_EQ(args.GetInt(L"-n"), 12);
    EXPECT_EQ(args.GetInt(L"-l"), 0);
    EXPECT_EQ(args.GetInt(L"-neg"), -5);
    EXPECT_EQ(args.GetInt(L"-big"), 0);
    EXPECT_EQ(args.GetInt(L"-max"), 2147483647);
    EXPECT_EQ(args.GetInt(L"-absent"), 0);
    EXPECT_EQ(args.GetDouble(L"-d", 9), 0.25);
    EXPECT_TRUE(std::isnan(args.GetDouble(L"-dn", 9)));
    EXPECT_EQ(args.GetDouble(L"-dbad", 9), 9);
    EXPECT_EQ(args.GetDouble(L"-dhuge", 9), 9);
    EXPECT_EQ(args.GetDouble(L"-dhex", 9), 16);
    EXPECT_EQ(args.GetDouble(L"-absent", 9), 9);
}

TEST(CommandLineArgs, UnbalancedQuotesAndManyArguments) {
    auto args = Parse(L"p -instcmd=\"/S /D=C:\\a b");
    EXPECT_EQ(args.GetString(L"-instcmd"), L"/S /D=C:\\a b");

    std::wstring line = L"p";
    for (int i = 0; i < 10000; ++i) line += L" -k" + std::to_wstring(i % 5000) + L"=" + std::to_wstring(i);
    auto many = Parse(line);
    EXPECT_EQ(many.Entries().size(), 5001u);
    EXPECT_EQ(many.GetString(L"-k4999"), L"4999");  // the first of the two wins
}

}  // namespace
