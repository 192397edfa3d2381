// The command line's refusals: each leaves the program to print why and the usage, and exit with status 2.

#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace
{
TEST(CommandLine, WrongArgumentsAreRefusedWithTheReason)
{
    const struct
    {
        QStringList arguments;
        const char* pszReason;
    } cases[] = {
        {{"--bogus"}, "Unknown option 'bogus'"},
        {{"-x"}, "Unknown option 'x'"},
        {{"--help", "--bogus"}, "Unknown option 'bogus'"},
        {{"--driver-dir"}, "Missing value after '--driver-dir'"},
        {{"--driver-dir="}, "--driver-dir needs a folder"},
        {{"--driver-dir", "/a", "--driver-dir", "/b"}, "--driver-dir may be given once only"},
        {{"--version=2"}, "Unexpected value after '--version'"},
        {{"/opt/vendor/lib"}, "Unexpected argument '/opt/vendor/lib'"},
        {{"--log"}, "Missing value after '--log'"},
        {{"--trend", "--log="}, "--log needs a file"},
        {{"--log", "a.csv", "--log", "b.csv"}, "--log may be given once only"},
        {{"--trend=yes"}, "Unexpected value after '--trend'"},
    };
    for (const auto& c : cases)
    {
        const CCommandLine commandLine(QStringList{"tarvex"} + c.arguments);
        EXPECT_EQ(commandLine.Action(), CCommandLine::EAction::Fail) << c.pszReason;
        EXPECT_TRUE(commandLine.Error().contains(QString::fromLatin1(c.pszReason)))
            << commandLine.Error().toStdString();
        EXPECT_EQ(commandLine.DriverFolder(), "") << c.pszReason;
        EXPECT_EQ(commandLine.LogFile(), "") << c.pszReason;
        EXPECT_FALSE(commandLine.ShowsTrend()) << c.pszReason;
    }
}
} // namespace
