#pragma once
// The driver's 27 entry points as typed function pointers, filled by name from the loaded driver library.
// A slot the library lacks stays null, and the session never calls through a null slot.

#include "TarvexAbi.h"

#include <string>
#include <vector>

class CDynamicLibrary;

class CDriverEntryPoints
{
public:
    static constexpr int kEntryPointCount = 27;

    // Looks every entry point up by name, in the driver's documented order.
    void Resolve(const CDynamicLibrary& library);
    // Forgets every address, so that nothing is called through a library that is about to be freed.
    void Clear();
    int ResolvedCount() const { return m_nResolved; }
    // The names the last Resolve did not find, in look-up order.
    const std::vector<std::string>& MissingNames() const { return m_missingNames; }

    tarvex_abort_fn m_pfnAbort = nullptr;
    tarvex_arm_fn m_pfnArm = nullptr;
    tarvex_fetch_fn m_pfnFetch = nullptr;
    tarvex_initiate_fn m_pfnInitiate = nullptr;
    tarvex_input_fn m_pfnInput = nullptr;
    tarvex_measure_fn m_pfnMeasure = nullptr;
    tarvex_shortMeas_fn m_pfnShortMeas = nullptr;
    tarvex_output_fn m_pfnOutput = nullptr;
    tarvex_read_fn m_pfnRead = nullptr;
    tarvex_shortConf_fn m_pfnShortConf = nullptr;
    tarvex_configure_fn m_pfnConfigure = nullptr;
    tarvex_sense_fn m_pfnSense = nullptr;
    tarvex_confQuery_fn m_pfnConfQuery = nullptr;
    tarvex_operQ_fn m_pfnOperQ = nullptr;
    tarvex_ieeecom_fn m_pfnIeeeCom = nullptr;
    tarvex_getSlot_fn m_pfnGetSlot = nullptr;
    tarvex_auto_init_fn m_pfnAutoInit = nullptr;
    tarvex_getLA_fn m_pfnGetLA = nullptr;
    tarvex_reset_fn m_pfnReset = nullptr;
    tarvex_self_test_fn m_pfnSelfTest = nullptr;
    tarvex_init_fn m_pfnInit = nullptr;
    tarvex_close_fn m_pfnClose = nullptr;
    tarvex_ftoa_fn m_pfnFtoa = nullptr;
    tarvex_timeOut_fn m_pfnTimeOut = nullptr;
    tarvex_errorQueryDetect_fn m_pfnErrorQueryDetect = nullptr;
    tarvex_error_query_fn m_pfnErrorQuery = nullptr;
    tarvex_dcl_fn m_pfnDcl = nullptr;

private:
    int m_nResolved = 0;
    std::vector<std::string> m_missingNames;
};
