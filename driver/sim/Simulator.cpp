// The simulated Tarvex counter driver. It reads these environment variables when the library loads and
// again at tarvexsim_reset:
//
//   TARVEXSIM_RESOURCES     the resources the search of tarvex_auto_init finds, separated by ";".
//                           Unset: "VXI0::24::INSTR" alone. Set but empty: none.
//   TARVEXSIM_SLOT          the slot tarvex_getSlot answers (default 5).
//   TARVEXSIM_FAULTS        entry points that fail: "entry=status[:count[:error text]],...", status in
//                           decimal or 0x hex, count the number of calls that fail (left out: every call).
//                           With status 0xBFFC0D06 an error text is queued as -200,"<error text>".
//                           Example: "tarvex_fetch=0xBFFF0015:3".
//   TARVEXSIM_TRACE         a file that gets one line per driver call, in the call-log format of
//                           TarvexSim.h (appended; unset or empty: no file).
//   TARVEXSIM_UNTERMINATED  a number other than 0: every answer fills its whole 256-character buffer
//                           without a terminating NUL (a fault mode for testing the program's guard).
//
// Statuses besides success: 0xBFFF0015 time-out, 0xBFFC0D06 instrument error queue not empty (while
// error detection is on), 0xBFFF000E invalid session, 0xBFFF0011 resource not found, 0xBFFF0071 a null
// pointer where a text, answer buffer or output was needed, 0xBFFC0002 a negative time-out. While error
// detection is on, every call that talks to the instrument returns 0xBFFC0D06 when it leaves entries in the
// error queue; the driver's own calls (auto_init, init, close, timeOut, getSlot, getLA, ftoa) and those that
// serve error handling (dcl, error_query, errorQueryDetect, self_test) do not.

#include "Simulator.h"

#include "SimEnvironment.h"
#include "TarvexSim.h"

#include <algorithm>
#include <cstring>

namespace tarvexsim
{
namespace
{
// Built while the library loads, so that the environment is read then.
[[maybe_unused]] const CSimulator& g_loaded = CSimulator::Instance();
} // namespace

CSimulator& CSimulator::Instance()
{
    static CSimulator simulator;
    return simulator;
}

CSimulator::CSimulator() : m_counter(m_clock)
{
    Reset();
}

void CSimulator::Reset()
{
    const SSimSettings settings = CSimEnvironment::Read();
    m_clock.Restart();
    m_counter.ResetSimulation();
    m_sessions.SetResources(settings.resources);
    m_sessions.SetSlot(settings.nSlot);
    m_faults.Clear();
    m_faults.AddFromList(settings.faults);
    m_replies.Clear();
    m_hooks.Clear();
    m_log.Clear();
    m_log.OpenTrace(settings.tracePath);
    m_bUnterminated = settings.bUnterminated;
}

ViStatus CSimulator::Call(const char* pszEntryPoint, const CCallArguments& arguments, const ViSession* pVi,
                          bool bChecksErrors, const std::function<ViStatus(SSession&)>& work)
{
    std::lock_guard lock(m_mutex);
    const ViStatus status = Run(pszEntryPoint, pVi, bChecksErrors, work);
    m_log.Add(pszEntryPoint + arguments.Line() + " -> " + std::to_string(status));
    return status;
}

ViStatus CSimulator::Run(const char* pszEntryPoint, const ViSession* pVi, bool bChecksErrors,
                         const std::function<ViStatus(SSession&)>& work)
{
    if (const auto hook = m_hooks.Take(pszEntryPoint))
        hook->pfnHook(hook->pContext);
    if (const auto fault = m_faults.Take(pszEntryPoint))
    {
        if (fault->nStatus == TARVEX_INSTR_ERROR_DETECTED && fault->errorText)
            m_counter.PushError(kInjectedErrorCode, *fault->errorText);
        return fault->nStatus;
    }
    // Calls without a session work on a stand-in that nothing keeps.
    SSession noSession;
    SSession* pSession = pVi ? m_sessions.Find(*pVi) : &noSession;
    if (!pSession)
        return TARVEXSIM_ERROR_INV_SESSION;
    const ViStatus status = work(*pSession);
    if (status == VI_SUCCESS && bChecksErrors && pSession->bDetectErrors && m_counter.HasErrors())
        return TARVEX_INSTR_ERROR_DETECTED;
    return status;
}

ViStatus CSimulator::Answer(const char* pszEntryPoint, int nItem, char* pBuffer,
                            const std::function<ViStatus(std::string&)>& query)
{
    if (!pBuffer)
        return TARVEXSIM_ERROR_NULL_POINTER;
    std::string text;
    ViStatus status = VI_SUCCESS;
    if (const std::string* pReply = m_replies.Find(pszEntryPoint, nItem))
        text = *pReply;
    else
        status = query(text);
    if (status == VI_SUCCESS)
        WriteAnswer(pBuffer, text);
    return status;
}

void CSimulator::WriteAnswer(char* pBuffer, std::string_view text) const
{
    if (m_bUnterminated)
    {
        const size_t nCopied = std::min(text.size(), size_t{TARVEX_BUFFER_SIZE});
        std::memcpy(pBuffer, text.data(), nCopied);
        std::memset(pBuffer + nCopied, kFillCharacter, TARVEX_BUFFER_SIZE - nCopied);
        return;
    }
    const size_t nCopied = std::min(text.size(), size_t{TARVEX_BUFFER_SIZE - 1});
    std::memcpy(pBuffer, text.data(), nCopied);
    pBuffer[nCopied] = '\0';
}

const char* CSimulator::QuerySetting(std::string_view entryPoint, int nIndex, int nItem)
{
    static constexpr std::pair<std::string_view, ESubsystem> kEntryPoints[] = {
        {"tarvex_sense", ESubsystem::Sense},
        {"tarvex_input", ESubsystem::Input},
        {"tarvex_arm", ESubsystem::Arm},
        {"tarvex_output", ESubsystem::Output}};
    for (const auto& [name, eSubsystem] : kEntryPoints)
    {
        if (name != entryPoint)
            continue;
        if (CCounterSettings::Role(eSubsystem, nItem) != EItemRole::Query ||
            m_counter.Settings().Query(eSubsystem, nIndex, nItem, m_queryAnswer))
            return nullptr;
        return m_queryAnswer.c_str();
    }
    return nullptr;
}
} // namespace tarvexsim
