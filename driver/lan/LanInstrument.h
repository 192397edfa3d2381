#pragma once
// One instrument the LAN driver has opened: its link, its I/O time-out and its error detection. Every call
// is one program message with *STB? at its end, so each call waits for the instrument, learns whether the
// error queue holds an entry, and tells an answer that did not come from one that came empty. A lost link
// fails the call at once; the next call opens it again, once, so an instrument that comes back is used
// again.

#include "ResourceName.h"
#include "Transport.h"

#include <memory>
#include <string>

namespace lan
{
class CLanInstrument
{
public:
    static constexpr int kDefaultTimeoutMs = 2000; // VISA's
    static constexpr int kReopenTimeoutMs = 1000;

    CLanInstrument(const SResourceName& resource, std::string name);

    // Connects within the time-out and checks that a Tarvex counter answers; the reason in words if not.
    ViStatus Open(int nTimeoutMs, std::string& reason);
    const std::string& Name() const { return m_name; }
    const std::string& Identity() const { return m_identity; }

    void SetTimeout(int nTimeoutMs) { m_nTimeoutMs = nTimeoutMs; }
    void SetErrorDetection(bool bOn) { m_bDetectErrors = bOn; }

    enum class EChecks
    {
        Errors,  // with detection on, an entry in the error queue fails the call
        Nothing, // the calls that serve error handling, and the driver's own
    };
    // A command, or a query whose answer is given (empty when the instrument answered nothing).
    ViStatus Command(const std::string& command, EChecks eChecks = EChecks::Errors);
    ViStatus Query(const std::string& query, std::string& answer, EChecks eChecks = EChecks::Errors);
    // A device clear; where the transport has none, the link is opened anew, which clears it.
    ViStatus DeviceClear();

private:
    ViStatus Exchange(const std::string& message, bool bQuery, std::string* pAnswer, EChecks eChecks);
    ViStatus Reopen();

    SResourceName m_resource;
    std::string m_name;
    std::unique_ptr<ITransport> m_pTransport;
    std::string m_identity;
    int m_nTimeoutMs = kDefaultTimeoutMs;
    bool m_bDetectErrors = false;
    bool m_bOpen = false;
    // A response left unread (after a time-out) would answer the next question: the link is opened anew
    // first.
    bool m_bOutOfStep = false;
};
} // namespace lan
