// The emulator on a real loopback socket, in the test's own process, against clients that misbehave: bad
// commands, garbage, NUL bytes, too long lines, clients that send nothing, hang up in the middle or never
// read, 200 at once, and garbage RPC records. After each, the emulator still serves a well-behaved client.
// VXI-11 runs without the portmapper, so nothing here needs port 111.

#include "EmulatorServer.h"
#include "RawLink.h"
#include "vxi11.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{
using namespace std::chrono_literals;

// A blocking client socket on 127.0.0.1 whose reads give up after a while.
class CClient
{
public:
    explicit CClient(uint16_t nPort, std::chrono::milliseconds timeout = 5s)
        : m_nFd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        timeval tv{static_cast<time_t>(timeout.count() / 1000),
                   static_cast<suseconds_t>(timeout.count() % 1000 * 1000)};
        ::setsockopt(m_nFd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        ::setsockopt(m_nFd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(nPort);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_bConnected = ::connect(m_nFd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~CClient() { Close(); }
    CClient(const CClient&) = delete;
    CClient& operator=(const CClient&) = delete;

    bool IsConnected() const { return m_bConnected; }
    int Fd() const { return m_nFd; }
    bool Send(std::string_view bytes)
    {
        while (!bytes.empty())
        {
            const ssize_t nSent = ::send(m_nFd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (nSent <= 0)
                return false;
            bytes.remove_prefix(static_cast<size_t>(nSent));
        }
        return true;
    }
    // One line without its newline; empty when none comes in time.
    std::string ReadLine()
    {
        std::string line;
        char c = 0;
        while (::recv(m_nFd, &c, 1, 0) == 1)
        {
            if (c == '\n')
                return line;
            line += c;
        }
        return "";
    }
    std::string Ask(const std::string& message)
    {
        Send(message + "\n");
        return ReadLine();
    }
    void Close()
    {
        if (m_nFd >= 0)
            ::close(m_nFd);
        m_nFd = -1;
    }

private:
    int m_nFd;
    bool m_bConnected = false;
};

// A VXI-11 client of libtirpc on the core channel's port.
class CVxi11Client
{
public:
    explicit CVxi11Client(uint16_t nPort)
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(nPort);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int nSocket = RPC_ANYSOCK;
        m_pClient = clnttcp_create(&address, DEVICE_CORE, DEVICE_CORE_VERSION, &nSocket, 0, 0);
    }
    ~CVxi11Client()
    {
        if (m_pClient)
            clnt_destroy(m_pClient);
    }
    bool IsConnected() const { return m_pClient != nullptr; }

    template <typename TArguments, typename TResult>
    bool Call(u_long nProcedure, xdrproc_t pfnArguments, const TArguments& arguments, xdrproc_t pfnResult,
              TResult& result)
    {
        const timeval timeout{5, 0};
        return clnt_call(m_pClient, nProcedure, pfnArguments,
                         reinterpret_cast<char*>(const_cast<TArguments*>(&arguments)), pfnResult,
                         reinterpret_cast<char*>(&result), timeout) == RPC_SUCCESS;
    }
    long CreateLink(const char* pszDevice, long& nLink)
    {
        Create_LinkParms parameters{1, 0, 0, const_cast<char*>(pszDevice)};
        Create_LinkResp result{};
        if (!Call(create_link, reinterpret_cast<xdrproc_t>(xdr_Create_LinkParms), parameters,
                  reinterpret_cast<xdrproc_t>(xdr_Create_LinkResp), result))
            return -1;
        nLink = result.lid;
        return result.error;
    }
    long Write(long nLink, const std::string& data, long nFlags)
    {
        Device_WriteParms parameters{
            nLink, 1000, 0, nFlags, {static_cast<u_int>(data.size()), const_cast<char*>(data.data())}};
        Device_WriteResp result{};
        return Call(device_write, reinterpret_cast<xdrproc_t>(xdr_Device_WriteParms), parameters,
                    reinterpret_cast<xdrproc_t>(xdr_Device_WriteResp), result)
                   ? result.error
                   : -1;
    }
    long Read(long nLink, std::string& data, u_long nTimeoutMs = 1000)
    {
        Device_ReadParms parameters{nLink, 1024, nTimeoutMs, 0, 0, '\n'};
        Device_ReadResp result{};
        if (!Call(device_read, reinterpret_cast<xdrproc_t>(xdr_Device_ReadParms), parameters,
                  reinterpret_cast<xdrproc_t>(xdr_Device_ReadResp), result))
            return -1;
        data.assign(result.data.data_val ? result.data.data_val : "", result.data.data_len);
        const long nError = result.error;
        xdr_free(reinterpret_cast<xdrproc_t>(xdr_Device_ReadResp), reinterpret_cast<char*>(&result));
        return nError;
    }
    long Generic(u_long nProcedure, long nLink)
    {
        Device_GenericParms parameters{nLink, 0, 0, 1000};
        Device_Error result{};
        return Call(nProcedure, reinterpret_cast<xdrproc_t>(xdr_Device_GenericParms), parameters,
                    reinterpret_cast<xdrproc_t>(xdr_Device_Error), result)
                   ? result.error
                   : -1;
    }

private:
    CLIENT* m_pClient = nullptr;
};

class CEmulatorNetworkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        emulator::SOptions options;
        options.listen = *emulator::ParseSocketAddress("127.0.0.1:0");
        options.bPortMapper = false;
        m_pServer = std::make_unique<emulator::CEmulatorServer>(options, nullptr, m_report);
        ASSERT_NE(m_pServer->RawPort(), 0) << m_report.str();
        ASSERT_NE(m_pServer->Vxi11Port(), 0) << m_report.str();
        m_thread = std::thread([this] { m_pServer->Run(); });
    }
    void TearDown() override
    {
        if (m_thread.joinable())
        {
            m_pServer->Stop();
            m_thread.join();
        }
    }

    // A client that behaves is served.
    void ExpectServed()
    {
        CClient client(m_pServer->RawPort());
        ASSERT_TRUE(client.IsConnected());
        EXPECT_EQ(client.Ask("*IDN?"), "Tarvex,Counter,0,2.2");
    }

    std::ostringstream m_report;
    std::unique_ptr<emulator::CEmulatorServer> m_pServer;
    std::thread m_thread;
};

struct SBadClient
{
    const char* pszName;
    // Misbehaves on the raw port (and the VXI-11 port); checks what it can itself.
    std::function<void(uint16_t nRawPort, uint16_t nVxi11Port)> misbehave;
};

class BadClients : public CEmulatorNetworkTest, public ::testing::WithParamInterface<SBadClient>
{
};

void AskWithError(uint16_t nPort, const std::string& message, const std::string& error)
{
    CClient client(nPort);
    EXPECT_TRUE(client.Send(message + "\n"));
    EXPECT_EQ(client.Ask("SYST:ERR?"), error) << message;
}

std::string RandomBytes(size_t nCount, unsigned nSeed)
{
    std::mt19937 random(nSeed);
    std::string bytes(nCount, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

TEST_P(BadClients, GetAScpiErrorOrAreDroppedAndTheEmulatorServesTheOthers)
{
    GetParam().misbehave(m_pServer->RawPort(), m_pServer->Vxi11Port());
    ExpectServed();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BadClients,
    ::testing::Values(
        SBadClient{"UnknownHeader", [](uint16_t nPort, uint16_t)
                   { AskWithError(nPort, "FOO:BAR", "-113,\"Undefined header\""); }},
        SBadClient{"WrongArgumentKind", [](uint16_t nPort, uint16_t)
                   { AskWithError(nPort, "SENS:EVEN:SLOP 5", "-224,\"Illegal parameter value\""); }},
        SBadClient{"ArgumentNotTaken", [](uint16_t nPort, uint16_t)
                   { AskWithError(nPort, "*IDN? 5", "-108,\"Parameter not allowed\""); }},
        SBadClient{"OutOfRange", [](uint16_t nPort, uint16_t)
                   { AskWithError(nPort, "INP1:ATT 1000", "-222,\"Data out of range\""); }},
        SBadClient{"NulBytes", [](uint16_t nPort, uint16_t)
                   { AskWithError(nPort, std::string("\0\0*IDN?\0", 8), "-101,\"Invalid character\""); }},
        SBadClient{"UnterminatedMessage",
                   [](uint16_t nPort, uint16_t)
                   {
                       CClient client(nPort, 300ms);
                       EXPECT_TRUE(client.Send("*IDN?"));
                       EXPECT_EQ(client.ReadLine(), ""); // no newline, no message, no answer
                   }},
        SBadClient{"LineLongerThanTheInputBuffer",
                   [](uint16_t nPort, uint16_t)
                   {
                       CClient client(nPort);
                       // Cut inside one read of the emulator's, and across several.
                       for (const size_t nLength : {5000, 100000})
                       {
                           EXPECT_TRUE(client.Send("*IDN?;" + std::string(nLength, 'A') + "\n"));
                           EXPECT_EQ(client.Ask("*IDN?;:SYST:ERR?"),
                                     "Tarvex,Counter,0,2.2;-363,\"Input buffer overrun\"");
                       }
                   }},
        SBadClient{"BinaryGarbage",
                   [](uint16_t nPort, uint16_t)
                   {
                       CClient client(nPort);
                       EXPECT_TRUE(client.Send(RandomBytes(65536, 1) + "\n"));
                       client.Ask("*CLS");
                       EXPECT_EQ(client.Ask("*IDN?"), "Tarvex,Counter,0,2.2");
                   }},
        SBadClient{"ConnectsAndSendsNothing",
                   [](uint16_t nPort, uint16_t)
                   {
                       CClient silent(nPort);
                       ASSERT_TRUE(silent.IsConnected());
                       CClient other(nPort);
                       EXPECT_EQ(other.Ask("*IDN?"), "Tarvex,Counter,0,2.2");
                   }},
        SBadClient{"HangsUpInTheMiddleOfAMessage",
                   [](uint16_t nPort, uint16_t)
                   {
                       CClient client(nPort);
                       EXPECT_TRUE(client.Send("*RST;SENS1:EVEN:SL"));
                   }},
        SBadClient{"HangsUpInTheMiddleOfTheAnswers",
                   [](uint16_t nPort, uint16_t)
                   {
                       CClient client(nPort);
                       std::string queries;
                       for (int n = 0; n < 2000; ++n)
                           queries += "*IDN?;*IDN?;*IDN?\n";
                       EXPECT_TRUE(client.Send(queries));
                       // Reset rather than a polite close, so the emulator's next send fails.
                       const linger abort{1, 0};
                       ::setsockopt(client.Fd(), SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
                   }},
        SBadClient{"NeverReadsItsAnswers",
                   [](uint16_t nPort, uint16_t)
                   {
                       CClient greedy(nPort, 100ms);
                       std::string queries;
                       for (int n = 0; n < 1000; ++n)
                           queries += "*IDN?;*IDN?\n";
                       // It sends until the emulator stops reading from it, a bounded number of times.
                       for (int n = 0; n < 200 && greedy.Send(queries); ++n)
                       {
                       }
                       CClient other(nPort);
                       EXPECT_EQ(other.Ask("*IDN?"), "Tarvex,Counter,0,2.2");
                   }},
        SBadClient{"TwoHundredAtOnce",
                   [](uint16_t nPort, uint16_t)
                   {
                       std::vector<std::unique_ptr<CClient>> clients;
                       for (int n = 0; n < 200; ++n)
                           clients.push_back(std::make_unique<CClient>(nPort));
                       for (auto& client : clients)
                           EXPECT_TRUE(client->Send("*IDN?\n"));
                       int nAnswered = 0;
                       for (auto& client : clients)
                           nAnswered += client->ReadLine() == "Tarvex,Counter,0,2.2";
                       EXPECT_EQ(nAnswered, 200);
                   }},
        SBadClient{"RpcGarbage",
                   [](uint16_t, uint16_t nPort)
                   {
                       CClient client(nPort, 500ms);
                       EXPECT_TRUE(client.Send(RandomBytes(4096, 2)));
                       char c = 0;
                       EXPECT_LE(::recv(client.Fd(), &c, 1, 0), 0); // dropped without an answer
                   }},
        SBadClient{"RpcRecordTooLong",
                   [](uint16_t, uint16_t nPort)
                   {
                       CClient client(nPort, 500ms);
                       EXPECT_TRUE(client.Send(std::string("\xFF\xFF\xFF\xFF", 4) + std::string(1000, 'x')));
                       char c = 0;
                       EXPECT_LE(::recv(client.Fd(), &c, 1, 0), 0);
                   }},
        SBadClient{"Vxi11LinkToAnotherDevice",
                   [](uint16_t, uint16_t nPort)
                   {
                       CVxi11Client client(nPort);
                       ASSERT_TRUE(client.IsConnected());
                       long nLink = 0;
                       EXPECT_EQ(client.CreateLink("gpib0,9,3", nLink), 3); // device not accessible
                       EXPECT_EQ(client.Generic(device_clear, 77), 4);      // invalid link
                   }},
        SBadClient{"Vxi11UnterminatedMessageTimesOut",
                   [](uint16_t, uint16_t nPort)
                   {
                       CVxi11Client client(nPort);
                       long nLink = 0;
                       ASSERT_EQ(client.CreateLink("inst0", nLink), 0);
                       EXPECT_EQ(client.Write(nLink, "*IDN?", 0), 0);
                       std::string data;
                       EXPECT_EQ(client.Read(nLink, data, 200), 15); // I/O time-out
                       EXPECT_EQ(client.Write(nLink, "", 8), 0);     // END ends the message
                       EXPECT_EQ(client.Read(nLink, data), 0);
                       EXPECT_EQ(data, "Tarvex,Counter,0,2.2\n");
                       EXPECT_EQ(client.Generic(destroy_link, nLink), 0);
                   }}),
    [](const ::testing::TestParamInfo<SBadClient>& info) { return std::string(info.param.pszName); });

// The link itself on a loopback connection, driven event by event: once the answers a client does not
// read fill the output buffer, the link asks for no more input, so its memory stays bounded.
TEST(RawLink, AClientThatNeverReadsIsNotReadFromOnceItsAnswersFillTheBuffer)
{
    std::string reason;
    auto listener =
        emulator::OpenServerSocket(*emulator::ParseSocketAddress("127.0.0.1:0"), SOCK_STREAM, reason);
    ASSERT_TRUE(listener) << reason;
    CClient greedy(emulator::LocalAddress(listener->Get()).Port());
    ASSERT_TRUE(greedy.IsConnected());
    emulator::CFileDescriptor accepted(::accept(listener->Get(), nullptr, nullptr));
    emulator::SetNonBlocking(accepted.Get());
    emulator::CEmulator counter(emulator::SIdentity{"Tarvex,Counter,0,2.2", 5, 24}, nullptr);
    emulator::CRawLink link(counter, std::move(accepted));

    const std::string queries = []
    {
        std::string text;
        for (int n = 0; n < 100; ++n)
            text += "*IDN?;*IDN?\n";
        return text;
    }();
    int nRounds = 0;
    for (; nRounds < 10'000 && (link.Events() & POLLIN); ++nRounds)
    {
        greedy.Send(queries);
        link.OnReady(POLLIN | (link.Events() & POLLOUT));
    }
    EXPECT_FALSE(link.Events() & POLLIN) << "still reading after " << nRounds << " rounds";
    EXPECT_FALSE(link.IsClosed());
    // Once the client reads, the link goes on.
    EXPECT_EQ(greedy.ReadLine(), "Tarvex,Counter,0,2.2;Tarvex,Counter,0,2.2");
}

TEST_F(CEmulatorNetworkTest, Vxi11LinksHaveTheirOwnBuffersAndADeviceClearEndsAWaitingRead)
{
    CVxi11Client first(m_pServer->Vxi11Port());
    CVxi11Client second(m_pServer->Vxi11Port());
    long nFirst = 0;
    long nSecond = 0;
    ASSERT_EQ(first.CreateLink("inst0", nFirst), 0);
    ASSERT_EQ(second.CreateLink("INST0", nSecond), 0);
    EXPECT_EQ(first.Write(nFirst, "ARM:STAR:SOUR HOLD;:READ1?\n", 8), 0);
    EXPECT_EQ(second.Write(nSecond, "*IDN?\n", 8), 0);
    std::string data;
    EXPECT_EQ(first.Read(nFirst, data, 200), 15);
    EXPECT_EQ(second.Read(nSecond, data), 0);
    EXPECT_EQ(data, "Tarvex,Counter,0,2.2\n");
    EXPECT_EQ(first.Generic(device_clear, nFirst), 0);
    EXPECT_EQ(first.Write(nFirst, "STAT:OPER:COND?;:ARM:STAR:SOUR IMM;:SYST:ERR?\n", 8), 0);
    EXPECT_EQ(first.Read(nFirst, data), 0);
    EXPECT_EQ(data, "+0;+0,\"No error\"\n");
}
} // namespace
