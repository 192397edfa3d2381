#pragma once
// One client of the raw SCPI socket: program messages end with a newline, and so does each response.
// Both directions are bounded: a message longer than the input buffer is dropped with an error queued
// (-363), and a client that does not read its answers is not read from until it does.

#include "Emulator.h"
#include "EventLoop.h"
#include "Socket.h"

#include <string>

namespace emulator
{
class CRawLink : public IChannel, public ILink
{
public:
    static constexpr size_t kInputLimit = 4096;
    static constexpr size_t kOutputLimit = 65536;

    CRawLink(CEmulator& emulator, CFileDescriptor socket);
    ~CRawLink() override;

    int Fd() const override { return m_socket.Get(); }
    short Events() const override;
    void OnReady(short nEvents) override;
    bool IsClosed() const override { return !m_socket.IsOpen(); }

    CScpiDevice& Device() override { return m_device; }
    void Flush(int64_t nNowUs) override;
    std::optional<int64_t> WakeUpUs() override { return std::nullopt; }

private:
    void Receive();
    // Runs the messages that have come in full, while the device does not wait and the answers are read.
    void RunMessages();
    void Send();
    void CloseWhenDone();
    void Close();

    CEmulator& m_emulator;
    CFileDescriptor m_socket;
    CScpiDevice m_device;
    int m_nLink;
    std::string m_input;
    bool m_bDiscarding = false; // the rest of a message too long for the input buffer
    std::string m_output;
    bool m_bPeerClosed = false; // the client sends no more
};
} // namespace emulator
