// A driver library that loads but breaks the driver contract as a faulty real one could: it writes 300
// bytes into every buffer it is handed, handles the program's pending events inside every call (as a driver
// that runs a message loop while it waits), never empties its error queue, and lacks tarvex_getLA and
// tarvex_ftoa. It counts the calls that entered while another was still running.

#include "TarvexAbi.h"

#include <QCoreApplication>

#include <cstring>

namespace
{
constexpr std::size_t kWritten = 300; // bytes written into a buffer, the terminating NUL included
constexpr ViSession kSession = 1;

int g_nDepth = 0;
int g_nNestedCalls = 0;

// Around every entry point: the events are handled while the call is in progress.
class CCall
{
public:
    CCall()
    {
        if (g_nDepth++ > 0)
            ++g_nNestedCalls;
        QCoreApplication::processEvents();
    }
    ~CCall() { --g_nDepth; }
    CCall(const CCall&) = delete;
    CCall& operator=(const CCall&) = delete;
};

ViStatus Fill(ViChar* pBuffer)
{
    CCall call;
    if (pBuffer != nullptr)
    {
        std::memset(pBuffer, 'H', kWritten - 1);
        pBuffer[kWritten - 1] = '\0';
    }
    return VI_SUCCESS;
}

ViStatus Plain()
{
    CCall call;
    return VI_SUCCESS;
}
} // namespace

extern "C"
{
    int tarvexhostile_nested_calls(void)
    {
        return g_nNestedCalls;
    }

    ViStatus tarvex_auto_init(ViInt16, ViChar*** resources, ViInt32* count, ViSession* vi, ViInt16)
    {
        static ViChar szResource[] = "HOSTILE0::1::INSTR";
        static ViChar* list[] = {szResource};
        *resources = list;
        *count = 1;
        *vi = kSession;
        return Plain();
    }
    ViStatus tarvex_init(const ViChar*, ViBoolean, ViBoolean, ViSession* vi)
    {
        *vi = kSession;
        return Plain();
    }
    ViStatus tarvex_self_test(ViSession, ViInt16* result, ViChar message[])
    {
        *result = 1;
        return Fill(message);
    }
    ViStatus tarvex_error_query(ViSession, ViInt32* code, ViChar message[])
    {
        *code = -100;
        return Fill(message);
    }
    ViStatus tarvex_getSlot(ViSession, ViInt16* slot)
    {
        *slot = 9;
        return Plain();
    }
    ViStatus tarvex_operQ(ViSession, ViInt16* condition)
    {
        *condition = 0;
        return Plain();
    }
    ViStatus tarvex_close(ViSession)
    {
        return Plain();
    }
    ViStatus tarvex_reset(ViSession)
    {
        return Plain();
    }
    ViStatus tarvex_dcl(ViSession)
    {
        return Plain();
    }
    ViStatus tarvex_errorQueryDetect(ViSession, ViBoolean)
    {
        return Plain();
    }
    ViStatus tarvex_timeOut(ViSession, ViInt32)
    {
        return Plain();
    }
    ViStatus tarvex_abort(ViSession, ViInt16)
    {
        return Plain();
    }
    ViStatus tarvex_shortConf(ViSession, ViInt16, ViInt16)
    {
        return Plain();
    }
    ViStatus tarvex_configure(ViSession, ViInt16, ViInt16, const ViChar*, const ViChar*, const ViChar*,
                              const ViChar*)
    {
        return Plain();
    }
    ViStatus tarvex_ieeecom(ViSession, const ViChar*, ViChar* answer)
    {
        return Fill(answer);
    }
    ViStatus tarvex_arm(ViSession, ViInt16, const ViChar*, ViChar* answer)
    {
        return Fill(answer);
    }
    ViStatus tarvex_initiate(ViSession, ViInt16, ViInt16, ViChar* text)
    {
        return Fill(text);
    }
    ViStatus tarvex_fetch(ViSession, ViInt16, ViChar reading[])
    {
        return Fill(reading);
    }
    ViStatus tarvex_read(ViSession, ViInt16, ViChar reading[])
    {
        return Fill(reading);
    }
    ViStatus tarvex_shortMeas(ViSession, ViInt16, ViChar reading[])
    {
        return Fill(reading);
    }
    ViStatus tarvex_confQuery(ViSession, ViInt16, ViChar answer[])
    {
        return Fill(answer);
    }
    ViStatus tarvex_input(ViSession, ViInt16, ViInt16, ViChar* text)
    {
        return Fill(text);
    }
    ViStatus tarvex_output(ViSession, ViInt16, ViInt16, ViChar* text)
    {
        return Fill(text);
    }
    ViStatus tarvex_sense(ViSession, ViInt16, ViInt16, ViReal64, ViChar* text)
    {
        return Fill(text);
    }
    ViStatus tarvex_measure(ViSession, ViInt16, ViInt16, const ViChar*, const ViChar*, ViChar reading[])
    {
        return Fill(reading);
    }
}
