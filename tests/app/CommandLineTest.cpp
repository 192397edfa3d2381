// The command line: Qt's standard options are left for Qt, in any order with ours, and each refusal leaves
// the program to print why and the usage, and exit with status 2.

#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace
{
TEST(CommandLine, QtOptionsAreLeftForQtAndWrongArgumentsAreRefusedWithTheReason)
{
    using enum CCommandLine::EAction;
    const struct
    {
        QStringList arguments;
        CCommandLine::EAction action;
        const char* pszReason; // Fail only
        bool bTrend = false;
        std::vector<std::string> instruments = {};
    } cases[] = {
        {{"--bogus"}, Fail, "Unknown option '--bogus'."},
        {{"-x"}, Fail, "Unknown option '-x'."},
        {{"--bogus=1", "-y"}, Fail, "Unknown options: '--bogus', '-y'."}, // as typed, without the value
        {{"--help", "--bogus"}, Fail, "Unknown option '--bogus'."},
        {{"--driver-dir"}, Fail, "Missing value after '--driver-dir'"},
        {{"--driver-dir="}, Fail, "--driver-dir needs a folder"},
        {{"--driver-dir", "/a", "--driver-dir", "/b"}, Fail, "--driver-dir may be given once only"},
        {{"--version=2"}, Fail, "Unexpected value after '--version'"},
        {{"/opt/vendor/lib"}, Fail, "Unexpected argument '/opt/vendor/lib'"},
        {{"--log"}, Fail, "Missing value after '--log'"},
        {{"--trend", "--log="}, Fail, "--log needs a file"},
        {{"--log", "a.csv", "--log", "b.csv"}, Fail, "--log may be given once only"},
        {{"--trend=yes"}, Fail, "Unexpected value after '--trend'"},
        {{"-platform", "offscreen", "--trnd"}, Fail, "Unknown option '--trnd'."},
        {{"--trend", "-platform"}, Fail, "Missing value after '-platform'"},
        {{"--instrument"}, Fail, "Missing value after '--instrument'"},
        {{"--instrument", " "}, Fail, "--instrument needs one VISA resource"},
        {{"--instrument", "TCPIP::a::5025::SOCKET;TCPIP::b::INSTR"},
         Fail,
         "--instrument needs one VISA resource"},
        {{"--instrument", "TCPIP::a::INSTR", "--driver-dir", "/a"}, Fail, "exclude each other"},
        // Qt's options with a value take the next argument, the others none.
        {{"-platform", "offscreen"}, Run, nullptr},
        {{"-style", "Fusion", "--trend"}, Run, nullptr, true},
        {{"--trend", "-display", ":1", "-reverse"}, Run, nullptr, true},
        {{"-reverse", "--trend", "-qwindowgeometry", "400x500"}, Run, nullptr, true},
        {{"-style=Fusion", "-nograb", "-sync", "--trend"}, Run, nullptr, true},
        {{"-platform", "offscreen", "--version"}, ShowVersion, nullptr},
        {{"--instrument", "TCPIP::a::5025::SOCKET", "--trend", "--instrument", "TCPIP::b::gpib0,9,3::INSTR"},
         Run,
         nullptr,
         true,
         {"TCPIP::a::5025::SOCKET", "TCPIP::b::gpib0,9,3::INSTR"}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CCommandLine commandLine(QStringList{"tarvex"} + c.arguments);
        EXPECT_EQ(commandLine.Action(), c.action);
        EXPECT_TRUE(commandLine.Error().contains(QString::fromLatin1(c.pszReason)))
            << commandLine.Error().toStdString();
        EXPECT_EQ(commandLine.Error().isEmpty(), c.pszReason == nullptr);
        EXPECT_EQ(commandLine.DriverFolder(), "");
        EXPECT_EQ(commandLine.LogFile(), "");
        EXPECT_EQ(commandLine.ShowsTrend(), c.bTrend);
        EXPECT_EQ(commandLine.Instruments(), c.instruments);
    }
}
} // namespace
