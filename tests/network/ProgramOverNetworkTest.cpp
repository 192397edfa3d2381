// The whole program with the LAN driver against tarvex-emulator, a process of its own, on the loopback of a
// private network namespace (the VXI-11 portmapper needs port 111): a scripted run whose messages the
// emulator's command log must show as the dialect writes them, and the faults an operator meets: no
// instrument at start, an instrument killed during Auto Update and started again, one that stalls.

#include "AppTestFixture.h"
#include "ScpiParser.h"
#include "app/PanelApp.h"
#include "controls/ReadingDisplay.h"
#include "panels/MeasurePanel.h"
#include "res/ResourceIds.h"
#include "support/TestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace
{
using namespace std::chrono_literals;
namespace fs = std::filesystem;

const fs::path kBinFolder = fs::read_symlink("/proc/self/exe").parent_path();
constexpr const char* kRawResource = "TCPIP::127.0.0.1::5025::SOCKET";
constexpr const char* kVxi11Resource = "TCPIP::127.0.0.1::inst0::INSTR";

bool AcceptsConnections(uint16_t nPort)
{
    const int nSocket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(nPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool bConnected = ::connect(nSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(nSocket);
    return bConnected;
}

// tarvex-emulator as a child process, its command log in a file; stopped by its process id.
class CEmulatorProcess
{
public:
    explicit CEmulatorProcess(fs::path commandLog) : m_commandLog(std::move(commandLog)) {}
    ~CEmulatorProcess() { Signal(SIGKILL); }

    void Start()
    {
        const std::string program = (kBinFolder / "tarvex-emulator").string();
        const std::string log = m_commandLog.string();
        std::vector<char*> argv = {const_cast<char*>(program.c_str()), const_cast<char*>("--command-log"),
                                   const_cast<char*>(log.c_str()), nullptr};
        m_nPid = ::fork();
        ASSERT_GE(m_nPid, 0);
        if (m_nPid == 0)
        {
            // A test that dies takes its emulator with it.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        for (int n = 0; n < 100 && !AcceptsConnections(5025); ++n)
            std::this_thread::sleep_for(50ms);
        ASSERT_TRUE(AcceptsConnections(5025)) << "the emulator did not start";
    }
    // Sends the signal; one that ends the process also waits for it. The status it ended with.
    int Signal(int nSignal)
    {
        if (m_nPid <= 0)
            return -1;
        ::kill(m_nPid, nSignal);
        if (nSignal == SIGSTOP || nSignal == SIGCONT)
            return 0;
        int nStatus = 0;
        ::waitpid(m_nPid, &nStatus, 0);
        m_nPid = 0;
        return nStatus;
    }
    std::vector<std::string> CommandLog() const
    {
        std::ifstream file(m_commandLog);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line.substr(line.find(' ') + 1)); // without the link number
        return lines;
    }

private:
    fs::path m_commandLog;
    pid_t m_nPid = 0;
};

// Standard error, as the driver writes to it, into a file for the scope.
class CCapturedStandardError
{
public:
    explicit CCapturedStandardError(fs::path file) : m_file(std::move(file))
    {
        std::fflush(stderr);
        m_nSaved = ::dup(STDERR_FILENO);
        std::freopen(m_file.c_str(), "w", stderr);
    }
    ~CCapturedStandardError() { Restore(); }
    std::string Text()
    {
        Restore();
        std::ifstream file(m_file);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

private:
    void Restore()
    {
        if (m_nSaved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_nSaved, STDERR_FILENO);
        ::close(m_nSaved);
        m_nSaved = -1;
    }

    fs::path m_file;
    int m_nSaved = -1;
};

class CProgramOverNetworkTest : public CAppTest
{
protected:
    void SetUp() override
    {
        CAppTest::SetUp();
        m_folder = fs::temp_directory_path() / ("tarvex-network-" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
        m_pEmulator = std::make_unique<CEmulatorProcess>(m_folder / "commands.log");
    }
    void TearDown() override
    {
        CAppTest::TearDown();
        m_pEmulator.reset();
        ::unsetenv("TARVEX_INSTRUMENTS");
        fs::remove_all(m_folder);
    }

    // The program started with --instrument RESOURCE, as main sets the LAN driver up for it.
    void StartProgram(const char* pszResource)
    {
        ::setenv("TARVEX_INSTRUMENTS", pszResource, 1);
        Start((kBinFolder / "lan").string());
    }
    CMeasureDlg& Measure() const
    {
        return *static_cast<CMeasureDlg*>(m_pApp->MainWindow()->GetController(PANEL_MEASURE)->GetPanel());
    }
    std::string Reading() const { return Measure().ReadingDisplay().GetText(); }
    void Click(int nId) const { testsupport::Click(Measure().Controls().Item(nId)); }
    // Real time goes on, the frame's update timer with it.
    static void Wait(std::chrono::milliseconds time) { QTest::qWait(static_cast<int>(time.count())); }

    fs::path m_folder;
    std::unique_ptr<CEmulatorProcess> m_pEmulator;
};

const std::regex kReading(R"([+-][0-9]\.[0-9]{8}E[+-][0-9]{2})");

// The messages of the log that start with the text.
int Count(const std::vector<std::string>& log, const std::string& start)
{
    return static_cast<int>(std::ranges::count_if(
        log, [&](const std::string& line) { return line.starts_with(start); }));
}

class ScriptedRun : public CProgramOverNetworkTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(ScriptedRun, ThePanelsCallsArriveAsTheDialectWritesThem)
{
    m_pEmulator->Start();
    StartProgram(GetParam());
    ASSERT_TRUE(m_pApp->Session().IsLive());

    Click(CMeasureDlg::IDC_SEND_CONFIG);
    Click(CMeasureDlg::IDC_READ);
    EXPECT_TRUE(std::regex_match(Reading(), kReading)) << Reading();
    // An Initiate cycle: a click on the reading, then the frame's ticks until it is fetched.
    Click(CMeasureDlg::IDC_READING);
    for (int n = 0; n < 50 && Frame().MeasureController().IsCycleRunning(); ++n)
        Wait(100ms);
    EXPECT_FALSE(Frame().MeasureController().IsCycleRunning());
    Choose(res::ID_SYSTEM_AUTO_UPDATE);
    Wait(30s);
    Choose(res::ID_SYSTEM_AUTO_UPDATE);
    EXPECT_TRUE(std::regex_match(Reading(), kReading)) << Reading();
    Choose(res::ID_SYSTEM_RESET);
    Choose(res::ID_SYSTEM_SYNC);
    Choose(res::ID_SYSTEM_SELF_TEST);
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"Self Test Passed."});
    Choose(res::ID_SYSTEM_EXIT);
    EXPECT_EQ(m_pEmulator->Signal(SIGTERM), 0) << "the emulator ended with status 0";

    const std::vector<std::string> log = m_pEmulator->CommandLog();
    for (const std::string& message : log)
    {
        // Every message is the dialect's, and ends with the status byte query.
        scpi::CMessageParser parser(message);
        scpi::SUnit unit;
        const scpi::SScpiError* pError = nullptr;
        scpi::CMessageParser::EResult eResult;
        int nUnits = 0;
        while ((eResult = parser.Next(unit, pError)) == scpi::CMessageParser::EResult::Unit && nUnits < 16)
            ++nUnits;
        EXPECT_EQ(eResult, scpi::CMessageParser::EResult::End)
            << message << ": " << (pError ? pError->pszText : "");
        EXPECT_TRUE(message.ends_with(";*STB?")) << message;
    }
    std::string whole;
    for (const std::string& message : log)
        whole += message + "\n";
    SCOPED_TRACE(whole);
    // Reset's device clear opens a raw socket anew, and the driver checks what answers there.
    EXPECT_EQ(Count(log, "*IDN?"), GetParam() == std::string(kRawResource) ? 2 : 1);
    EXPECT_EQ(Count(log, "CONF1:FREQ AUTO,DEF,DEF,DEF;"), 3); // at start, by Send Config, after Reset
    EXPECT_EQ(Count(log, "READ1?;"), 1);
    EXPECT_GE(Count(log, "ABOR1;"), 1);
    // Auto Update: an initiate and a fetch each tick, about three ticks a second.
    EXPECT_GE(Count(log, "INIT1;"), 80);
    EXPECT_GE(Count(log, "FETC1?;"), 80);
    EXPECT_EQ(Count(log, "*RST;"), 1);
    EXPECT_EQ(Count(log, "*TST?;"), 1);
    EXPECT_GE(Count(log, "SENS1:FUNC?;"), 2); // start-up, Sync
}

INSTANTIATE_TEST_SUITE_P(Transports, ScriptedRun, ::testing::Values(kRawResource, kVxi11Resource),
                         [](const auto& info)
                         { return std::string(info.index == 0 ? "RawSocket" : "Vxi11"); });

TEST_F(CProgramOverNetworkTest, AnInstrumentNotRunningAtStartGivesNonLiveModeAndTheReasonAtOnce)
{
    CCapturedStandardError captured(m_folder / "stderr.txt");
    const auto start = std::chrono::steady_clock::now();
    StartProgram(kRawResource);
    const auto took = std::chrono::steady_clock::now() - start;
    const std::string text = captured.Text();
    EXPECT_FALSE(m_pApp->Session().IsLive());
    EXPECT_TRUE(m_messages.BoxTexts().empty());
    EXPECT_LT(took, 3s) << "no longer than the probe's time-out";
    EXPECT_NE(text.find("tarvex LAN driver: TCPIP::127.0.0.1::5025::SOCKET: connection refused\n"),
              std::string::npos)
        << text;
}

class InstrumentFaults : public CProgramOverNetworkTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(InstrumentFaults, KilledDuringAutoUpdateGivesOneReportAndWhenStartedAgainTheNextReadWorks)
{
    m_pEmulator->Start();
    StartProgram(GetParam());
    Choose(res::ID_SYSTEM_AUTO_UPDATE);
    Wait(1s);
    m_pEmulator->Signal(SIGKILL);
    Wait(2s);
    EXPECT_EQ(m_messages.BoxTexts(), std::vector<std::string>{"General error, possible reentry"});
    EXPECT_FALSE(Frame().IsAutoUpdateOn());
    m_messages.Clear();

    m_pEmulator->Start();
    Click(CMeasureDlg::IDC_READ);
    EXPECT_TRUE(m_messages.BoxTexts().empty());
    EXPECT_TRUE(std::regex_match(Reading(), kReading)) << Reading();
}

TEST_P(InstrumentFaults, OneThatStallsGivesTimeOutAfterTheTimeOutAndIsClearedWhenItAnswersAgain)
{
    m_pEmulator->Start();
    StartProgram(GetParam());
    m_pEmulator->Signal(SIGSTOP);
    const auto start = std::chrono::steady_clock::now();
    Click(CMeasureDlg::IDC_READ);
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_FALSE(m_messages.BoxTexts().empty());
    EXPECT_EQ(m_messages.BoxTexts().front(), "TIME OUT!");
    EXPECT_GE(took, 12s);
    EXPECT_LT(took, 12s + 12s) << "the clear and the recovery after it are not waited for long";
    m_messages.Clear();

    m_pEmulator->Signal(SIGCONT);
    Click(CMeasureDlg::IDC_READ);
    EXPECT_TRUE(m_messages.BoxTexts().empty()) << m_messages.BoxTexts().front();
    EXPECT_TRUE(std::regex_match(Reading(), kReading)) << Reading();
}

INSTANTIATE_TEST_SUITE_P(Transports, InstrumentFaults, ::testing::Values(kRawResource, kVxi11Resource),
                         [](const auto& info)
                         { return std::string(info.index == 0 ? "RawSocket" : "Vxi11"); });
} // namespace
