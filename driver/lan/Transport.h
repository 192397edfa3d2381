#pragma once
// How the LAN driver reaches an instrument: one program message out, one response line back, each bounded
// by its time-out. Raw sockets and VXI-11 implement it.

#include "TarvexAbi.h"

#include <string>

namespace lan
{
class ITransport
{
public:
    // What a response keeps at most; the rest of a longer one is read and dropped.
    static constexpr size_t kLongestResponse = 4096;

    virtual ~ITransport() = default;
    // Connects within the time-out; on failure the reason in a few words ("connection refused").
    virtual ViStatus Open(int nTimeoutMs, std::string& reason) = 0;
    virtual void Close() = 0;
    // The message, without its terminator.
    virtual ViStatus Send(const std::string& message, int nTimeoutMs) = 0;
    // The next response, without its newline.
    virtual ViStatus Receive(std::string& response, int nTimeoutMs) = 0;
    // A device clear; kNotSupported where the transport has none (the link is then opened anew).
    virtual ViStatus Clear(int nTimeoutMs) = 0;
};
} // namespace lan
