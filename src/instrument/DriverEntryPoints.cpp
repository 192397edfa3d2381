#include "DriverEntryPoints.h"

#include "framework/base/DynamicLibrary.h"

#include <iterator>
#include <type_traits>

namespace
{
using FStoreAddress = void (*)(CDriverEntryPoints& table, void* pAddress);

template <auto Slot> void StoreAddress(CDriverEntryPoints& table, void* pAddress)
{
    using TFunction = std::remove_reference_t<decltype(table.*Slot)>;
    table.*Slot = reinterpret_cast<TFunction>(pAddress);
}

struct SEntryPoint
{
    const char* pszName;
    FStoreAddress pfnStore;
};

// The lookup order is the driver's documented one.
constexpr SEntryPoint kEntryPoints[] = {
    {"tarvex_abort", &StoreAddress<&CDriverEntryPoints::m_pfnAbort>},
    {"tarvex_arm", &StoreAddress<&CDriverEntryPoints::m_pfnArm>},
    {"tarvex_fetch", &StoreAddress<&CDriverEntryPoints::m_pfnFetch>},
    {"tarvex_initiate", &StoreAddress<&CDriverEntryPoints::m_pfnInitiate>},
    {"tarvex_input", &StoreAddress<&CDriverEntryPoints::m_pfnInput>},
    {"tarvex_measure", &StoreAddress<&CDriverEntryPoints::m_pfnMeasure>},
    {"tarvex_shortMeas", &StoreAddress<&CDriverEntryPoints::m_pfnShortMeas>},
    {"tarvex_output", &StoreAddress<&CDriverEntryPoints::m_pfnOutput>},
    {"tarvex_read", &StoreAddress<&CDriverEntryPoints::m_pfnRead>},
    {"tarvex_shortConf", &StoreAddress<&CDriverEntryPoints::m_pfnShortConf>},
    {"tarvex_configure", &StoreAddress<&CDriverEntryPoints::m_pfnConfigure>},
    {"tarvex_sense", &StoreAddress<&CDriverEntryPoints::m_pfnSense>},
    {"tarvex_confQuery", &StoreAddress<&CDriverEntryPoints::m_pfnConfQuery>},
    {"tarvex_operQ", &StoreAddress<&CDriverEntryPoints::m_pfnOperQ>},
    {"tarvex_ieeecom", &StoreAddress<&CDriverEntryPoints::m_pfnIeeeCom>},
    {"tarvex_getSlot", &StoreAddress<&CDriverEntryPoints::m_pfnGetSlot>},
    {"tarvex_auto_init", &StoreAddress<&CDriverEntryPoints::m_pfnAutoInit>},
    {"tarvex_getLA", &StoreAddress<&CDriverEntryPoints::m_pfnGetLA>},
    {"tarvex_reset", &StoreAddress<&CDriverEntryPoints::m_pfnReset>},
    {"tarvex_self_test", &StoreAddress<&CDriverEntryPoints::m_pfnSelfTest>},
    {"tarvex_init", &StoreAddress<&CDriverEntryPoints::m_pfnInit>},
    {"tarvex_close", &StoreAddress<&CDriverEntryPoints::m_pfnClose>},
    {"tarvex_ftoa", &StoreAddress<&CDriverEntryPoints::m_pfnFtoa>},
    {"tarvex_timeOut", &StoreAddress<&CDriverEntryPoints::m_pfnTimeOut>},
    {"tarvex_errorQueryDetect", &StoreAddress<&CDriverEntryPoints::m_pfnErrorQueryDetect>},
    {"tarvex_error_query", &StoreAddress<&CDriverEntryPoints::m_pfnErrorQuery>},
    {"tarvex_dcl", &StoreAddress<&CDriverEntryPoints::m_pfnDcl>},
};
static_assert(std::size(kEntryPoints) == CDriverEntryPoints::kEntryPointCount);
} // namespace

void CDriverEntryPoints::Resolve(const CDynamicLibrary& library)
{
    Clear();
    for (const SEntryPoint& entry : kEntryPoints)
    {
        void* pAddress = library.Symbol(entry.pszName);
        entry.pfnStore(*this, pAddress);
        if (pAddress != nullptr)
            ++m_nResolved;
        else
            m_missingNames.emplace_back(entry.pszName);
    }
}

void CDriverEntryPoints::Clear()
{
    *this = CDriverEntryPoints();
}
