#pragma once
// The simulated driver as a whole: the instrument, the sessions, the clock and the test controls, and the
// one way every entry point is called (logged, hooked, faulted, session checked, errors detected).

#include "CallArguments.h"
#include "CallLog.h"
#include "CounterInstrument.h"
#include "FaultTable.h"
#include "HookTable.h"
#include "ReplyTable.h"
#include "SessionTable.h"
#include "SimClock.h"
#include "TarvexAbi.h"

#include <functional>
#include <mutex>
#include <string>
#include <string_view>

namespace tarvexsim
{
// The code of an instrument error injected by a fault (its text is the fault's own).
inline constexpr int32_t kInjectedErrorCode = -200;

class CSimulator
{
public:
    // Characters written into an answer buffer in the unterminated fault mode.
    static constexpr char kFillCharacter = '#';

    static CSimulator& Instance();

    // One call of an entry point. pVi names the session the call needs (null: none). bChecksErrors: the call
    // talks to the instrument, so with error detection on it fails while the error queue holds entries.
    ViStatus Call(const char* pszEntryPoint, const CCallArguments& arguments, const ViSession* pVi,
                  bool bChecksErrors, const std::function<ViStatus(SSession&)>& work);
    // A query's answer, or the reply a test set for it, written into the caller's buffer.
    ViStatus Answer(const char* pszEntryPoint, int nItem, char* pBuffer,
                    const std::function<ViStatus(std::string&)>& query);
    // At most 255 characters and a NUL; in the unterminated mode all 256 characters and no NUL.
    void WriteAnswer(char* pBuffer, std::string_view text) const;

    // Back to the state after loading, the environment read again; open sessions stay open.
    void Reset();
    // A setting as its query answers it, for tests; null for an unknown entry point or item.
    const char* QuerySetting(std::string_view entryPoint, int nIndex, int nItem);

    std::recursive_mutex& Mutex() { return m_mutex; }
    CCounterInstrument& Counter() { return m_counter; }
    CSessionTable& Sessions() { return m_sessions; }
    CSimClock& Clock() { return m_clock; }
    CFaultTable& Faults() { return m_faults; }
    CReplyTable& Replies() { return m_replies; }
    CHookTable& Hooks() { return m_hooks; }
    CCallLog& Log() { return m_log; }
    void SetUnterminated(bool bOn) { m_bUnterminated = bOn; }

private:
    CSimulator();
    ViStatus Run(const char* pszEntryPoint, const ViSession* pVi, bool bChecksErrors,
                 const std::function<ViStatus(SSession&)>& work);

    // Recursive: a hook runs inside a call and may call the driver again.
    std::recursive_mutex m_mutex;
    CSimClock m_clock;
    CCounterInstrument m_counter;
    CSessionTable m_sessions;
    CFaultTable m_faults;
    CReplyTable m_replies;
    CHookTable m_hooks;
    CCallLog m_log;
    bool m_bUnterminated = false;
    std::string m_queryAnswer;
};
} // namespace tarvexsim
