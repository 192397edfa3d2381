#include "InstrumentSession.h"

#include "DriverBuffer.h"
#include "DriverEntryPoints.h"
#include "framework/base/LeadingNumber.h"
#include "framework/base/UserException.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace
{
constexpr int kNone = -1;
constexpr const char* kBadCommand = "Bad cmd";

// One selector of a settings group: the driver's item codes for setting and for querying it, the non-live
// setting a set stores into and the one a query answers from (kNone: no item, or nothing stored).
struct SSelector
{
    int nSetItem;
    int nQueryItem;
    int nStored;
    int nAnswered;
};

using S = CNonLiveSettings;

// Each table is in selector order, from the first selector on.
constexpr SSelector kSenseSelectors[] = {
    {0, kNone, kNone, kNone}, // an item the counter does not know
    {TARVEX_SENSE_TRIGGER_LEVEL_SET, TARVEX_SENSE_TRIGGER_LEVEL_QUERY, S::TriggerLevel, S::TriggerLevel},
    {TARVEX_SENSE_RELATIVE_LEVEL_SET, TARVEX_SENSE_RELATIVE_LEVEL_QUERY, S::RelativeTriggerLevel,
     S::RelativeTriggerLevel},
    {TARVEX_SENSE_AUTO_TRIGGER_SET, TARVEX_SENSE_AUTO_TRIGGER_QUERY, S::AutoTrigger, S::AutoTrigger},
    {TARVEX_SENSE_SLOPE_SET, TARVEX_SENSE_SLOPE_QUERY, S::Slope, S::Slope},
    {TARVEX_SENSE_HYSTERESIS_SET, TARVEX_SENSE_HYSTERESIS_QUERY, S::Hysteresis, S::Hysteresis},
    // The aperture is answered but never stored.
    {TARVEX_SENSE_APERTURE_SET, TARVEX_SENSE_APERTURE_QUERY, kNone, S::Aperture},
    {TARVEX_SENSE_FREQ_RANGE_SET, kNone, kNone, kNone},
    {TARVEX_SENSE_FREQ_RANGE_AUTO_SET, kNone, kNone, kNone},
    // Answered from the function index.
    {TARVEX_SENSE_FUNCTION_SET, TARVEX_SENSE_FUNCTION_QUERY, kNone, kNone},
    {TARVEX_SENSE_EXPECTED_SET, kNone, kNone, kNone},
    {TARVEX_SENSE_RESOLUTION_SET, kNone, kNone, kNone},
    {TARVEX_SENSE_ROSC_SOURCE_SET, TARVEX_SENSE_ROSC_SOURCE_QUERY, S::ReferenceOscillatorSource,
     S::ReferenceOscillatorSource},
    {TARVEX_SENSE_LOWER_REF_SET, kNone, kNone, kNone},
    {TARVEX_SENSE_UPPER_REF_SET, kNone, kNone, kNone},
    {TARVEX_SENSE_AVERAGES_SET, kNone, kNone, kNone},
    {TARVEX_SENSE_FILTER_SET, kNone, kNone, kNone},
};

constexpr SSelector kInputSelectors[] = {
    {TARVEX_INPUT_ATTENUATION_SET, TARVEX_INPUT_ATTENUATION_QUERY, S::Attenuation, S::Attenuation},
    {TARVEX_INPUT_COUPLING_SET, TARVEX_INPUT_COUPLING_QUERY, S::Coupling, S::Coupling},
    {TARVEX_INPUT_IMPEDANCE_SET, TARVEX_INPUT_IMPEDANCE_QUERY, S::Impedance, S::Impedance},
    {TARVEX_INPUT_ROUTING_SET, TARVEX_INPUT_ROUTING_QUERY, S::Routing, S::Routing},
};

constexpr SSelector kArmSelectors[] = {
    {TARVEX_ARM_START_IMMEDIATE, kNone, kNone, kNone},
    {TARVEX_ARM_START_LEVEL_SET, TARVEX_ARM_START_LEVEL_QUERY, S::StartLevel, S::StartLevel},
    {TARVEX_ARM_START_SLOPE_SET, TARVEX_ARM_START_SLOPE_QUERY, S::StartSlope, S::StartSlope},
    {TARVEX_ARM_START_SOURCE_SET, TARVEX_ARM_START_SOURCE_QUERY, S::StartSource, S::StartSource},
    {TARVEX_ARM_STOP_IMMEDIATE, kNone, kNone, kNone},
    {TARVEX_ARM_STOP_LEVEL_SET, TARVEX_ARM_STOP_LEVEL_QUERY, S::StopLevel, S::StopLevel},
    {TARVEX_ARM_STOP_SLOPE_SET, TARVEX_ARM_STOP_SLOPE_QUERY, S::StopSlope, S::StopSlope},
    {TARVEX_ARM_STOP_SOURCE_SET, TARVEX_ARM_STOP_SOURCE_QUERY, S::StopSource, S::StopSource},
};

template <std::size_t N>
const SSelector* FindSelector(const SSelector (&table)[N], auto eFirst, decltype(eFirst) eSelector)
{
    const int nIndex = static_cast<int>(eSelector) - static_cast<int>(eFirst);
    return nIndex >= 0 && nIndex < static_cast<int>(N) ? &table[nIndex] : nullptr;
}

const SSelector* FindSelector(ESenseSelector eSelector)
{
    return FindSelector(kSenseSelectors, ESenseSelector::NoItem, eSelector);
}

const SSelector* FindSelector(EInputSelector eSelector)
{
    return FindSelector(kInputSelectors, EInputSelector::Attenuation, eSelector);
}

const SSelector* FindSelector(EArmSelector eSelector)
{
    return FindSelector(kArmSelectors, EArmSelector::StartImmediate, eSelector);
}

// An output target: a trigger line ("TTLT", the line's digit last) or the timebase output "ROSC".
struct SOutputTarget
{
    int nSetItem;
    int nQueryItem;
    int nLine;
    int nStored;
};

std::optional<SOutputTarget> FindOutputTarget(const std::string& target)
{
    if (target == "ROSC")
        return SOutputTarget{TARVEX_OUTPUT_TIMEBASE_SET, TARVEX_OUTPUT_TIMEBASE_QUERY, 0, S::TimebaseOutput};
    if (target.size() > 4 && target.compare(0, 4, "TTLT") == 0 && target.back() >= '0' &&
        target.back() <= '9')
    {
        return SOutputTarget{TARVEX_OUTPUT_TRIGGER_LINE_SET, TARVEX_OUTPUT_TRIGGER_LINE_QUERY,
                             target.back() - '0', kNone};
    }
    return std::nullopt;
}

ViInt16 Short(int nValue)
{
    return static_cast<ViInt16>(nValue);
}

// Calls an entry point; a missing one fails like a driver call that failed.
template <typename TFunction, typename... TArgs> ViStatus Invoke(TFunction pfn, TArgs... args)
{
    return pfn != nullptr ? pfn(args...) : CInstrumentSession::kStatusNoEntryPoint;
}

// A text whose first non-blank character is a sign, a digit or a point goes to the driver as a number.
bool StartsLikeNumber(const std::string& text)
{
    const std::size_t nFirst = text.find_first_not_of(" \t");
    return nFirst != std::string::npos && text[nFirst] != '\0' &&
           std::strchr("+-.0123456789", text[nFirst]) != nullptr;
}

// The counter answers its auto-trigger query with "1" or "0"; "ON" is taken as well.
bool IsAutoTriggerOn(const std::string& answer)
{
    return answer == "ON" || LeadingInteger(answer) == 1;
}

// Sets a busy flag for the length of a driver call and clears it however the call ends.
class CBusyScope
{
public:
    explicit CBusyScope(bool& bFlag) : m_rbFlag(bFlag) { m_rbFlag = true; }
    ~CBusyScope() { m_rbFlag = false; }
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

private:
    bool& m_rbFlag;
};
} // namespace

EFailureKind CInstrumentSession::FailureKindOf(int32_t nStatus)
{
    if (nStatus == TARVEX_INSTR_ERROR_DETECTED)
        return EFailureKind::InstrumentError;
    return nStatus == VI_ERROR_TMO ? EFailureKind::TimeOut : EFailureKind::General;
}

CInstrumentSession::CInstrumentSession(const std::string& libraryFolder)
    : m_pEntryPoints(std::make_unique<CDriverEntryPoints>())
{
    if (!m_hVisa.Load("visa32.dll", libraryFolder) || !m_hDriver.Load("tarvex_32.dll", libraryFolder))
    {
        m_bLive = false;
        return;
    }
    m_pEntryPoints->Resolve(m_hDriver);
}

// The libraries go with the session, so that no session leaves a library behind for the next one to find.
CInstrumentSession::~CInstrumentSession()
{
    m_hDriver.Free();
    m_hVisa.Free();
}

std::vector<std::string> CInstrumentSession::CopyResourceList(char** ppList, int32_t nCount)
{
    std::vector<std::string> resources;
    if (ppList == nullptr)
        return resources;
    const int32_t nEntries = std::clamp<int32_t>(nCount, 0, kMaxResources);
    for (int32_t nIndex = 0; nIndex < nEntries; ++nIndex)
        if (ppList[nIndex] != nullptr)
            resources.emplace_back(ppList[nIndex], strnlen(ppList[nIndex], TARVEX_BUFFER_SIZE - 1));
    return resources;
}

// The call in progress keeps its busy flag (it clears it itself when it returns), so that a second call
// from the same nested event loop is refused too.
void CInstrumentSession::GuardReentry()
{
    if (m_bBusy)
        Fail(kStatusReentry);
}

void CInstrumentSession::CheckStatus(int32_t nStatus)
{
    if (nStatus != VI_SUCCESS)
    {
        m_bBusy = false;
        Fail(nStatus);
    }
}

bool CInstrumentSession::Succeeded(int32_t nStatus)
{
    if (nStatus != VI_SUCCESS)
    {
        m_nLastStatus = nStatus;
        return false;
    }
    return true;
}

void CInstrumentSession::Fail(int32_t nStatus)
{
    m_nLastStatus = nStatus;
    ThrowUserException();
}

template <typename TCall> void CInstrumentSession::CallGuarded(TCall call)
{
    GuardReentry();
    CBusyScope busy(m_bBusy);
    CheckStatus(call());
}

template <typename TFunction, typename... TArgs>
void CInstrumentSession::CallDriver(TFunction pfn, TArgs... args)
{
    CallGuarded([&] { return Invoke(pfn, args...); });
}

template <typename TFunction, typename... TArgs>
void CInstrumentSession::CallDriverIgnoringStatus(TFunction pfn, TArgs... args)
{
    GuardReentry();
    CBusyScope busy(m_bBusy);
    Invoke(pfn, args...);
}

template <typename TCall> const std::string& CInstrumentSession::QueryDriver(TCall call)
{
    GuardReentry();
    CBusyScope busy(m_bBusy);
    CDriverBuffer answer;
    CheckStatus(call(answer.Data()));
    m_strResult = answer.Answer();
    return m_strResult;
}

template <typename TCall>
void CInstrumentSession::SetSetting(int nSetting, const std::string& text, TCall call)
{
    // Live test first: a setting stored while not live touches no driver, so it needs no reentry guard.
    if (!m_bLive)
    {
        if (nSetting != kNone)
            m_nonLive.Store(static_cast<CNonLiveSettings::ESetting>(nSetting), text);
        return;
    }
    CallGuarded(call);
}

template <typename TCall> std::string CInstrumentSession::QuerySetting(int nSetting, TCall call)
{
    if (!m_bLive)
    {
        if (nSetting != kNone)
            m_strResult = m_nonLive.Setting(static_cast<CNonLiveSettings::ESetting>(nSetting));
        return m_strResult;
    }
    return QueryDriver(call);
}

void CInstrumentSession::EnableErrorDetection()
{
    m_bOpened = true;
    Invoke(m_pEntryPoints->m_pfnErrorQueryDetect, m_vi, ViBoolean{1});
}

bool CInstrumentSession::AutoInit(int16_t nFlag, std::vector<std::string>& resources, int32_t& nCount)
{
    resources.clear();
    nCount = 0;
    if (!m_bLive)
        return false;
    GuardReentry();
    CBusyScope busy(m_bBusy);
    ViChar** ppList = nullptr;
    ViInt32 nFound = 0;
    if (!Succeeded(Invoke(m_pEntryPoints->m_pfnAutoInit, nFlag, &ppList, &nFound, &m_vi, Short(0))))
        return false;
    resources = CopyResourceList(ppList, nFound);
    nCount = static_cast<int32_t>(resources.size());
    if (nFound == 1)
        EnableErrorDetection();
    return true;
}

bool CInstrumentSession::Init(const std::string& resource)
{
    if (!m_bLive)
        return false;
    GuardReentry();
    CBusyScope busy(m_bBusy);
    if (!Succeeded(Invoke(m_pEntryPoints->m_pfnInit, resource.c_str(), ViBoolean{0}, ViBoolean{0}, &m_vi)))
        return false;
    EnableErrorDetection();
    return true;
}

void CInstrumentSession::SetTimeout(int32_t nMilliseconds)
{
    if (m_bLive)
        CallDriver(m_pEntryPoints->m_pfnTimeOut, m_vi, ViInt32{nMilliseconds});
}

int32_t CInstrumentSession::GetSlot()
{
    if (!m_bLive)
        return -1;
    GuardReentry();
    CBusyScope busy(m_bBusy);
    ViInt16 nSlot = -1;
    if (!Succeeded(Invoke(m_pEntryPoints->m_pfnGetSlot, m_vi, &nSlot)))
        return -1;
    return nSlot;
}

void CInstrumentSession::Close()
{
    if (m_bLive)
        CallDriverIgnoringStatus(m_pEntryPoints->m_pfnClose, m_vi);
}

void CInstrumentSession::Reset()
{
    if (!m_bLive)
    {
        m_nonLive.RestoreAfterReset();
        return;
    }
    CallDriverIgnoringStatus(m_pEntryPoints->m_pfnReset, m_vi);
}

void CInstrumentSession::DeviceClear()
{
    // No guard that raises: the error report calls this after a failure. A call in progress is left alone,
    // as clearing its busy flag on return would open it to reentry.
    if (!m_bLive || m_bBusy)
        return;
    CBusyScope busy(m_bBusy);
    Invoke(m_pEntryPoints->m_pfnDcl, m_vi);
}

bool CInstrumentSession::SelfTest(std::string& message)
{
    // The reentry guard comes before the live test: a self test is refused during a call even when not live.
    GuardReentry();
    if (!m_bLive)
    {
        message.clear();
        return true;
    }
    CBusyScope busy(m_bBusy);
    ViInt16 nResult = 0;
    CDriverBuffer text;
    if (!Succeeded(Invoke(m_pEntryPoints->m_pfnSelfTest, m_vi, &nResult, text.Data())))
        return false;
    message = nResult == 0 ? std::string() : text.Answer();
    return true;
}

void CInstrumentSession::ErrorQuery(std::string& message)
{
    message.clear();
    // Like DeviceClear: the error report reads the queue after a failure, so this never raises.
    if (!m_bLive || m_bBusy)
        return;
    CBusyScope busy(m_bBusy);
    ViInt32 nCode = 0;
    CDriverBuffer text;
    Invoke(m_pEntryPoints->m_pfnErrorQuery, m_vi, &nCode, text.Data());
    if (nCode != 0)
        message = text.Answer();
}

void CInstrumentSession::UnloadDriver()
{
    // Freeing the library under a driver call that has not returned yet would return into unmapped code;
    // the library then stays loaded until the program ends.
    const bool bCallInProgress = m_bBusy;
    if (m_bLive && m_bOpened && !bCallInProgress)
    {
        CBusyScope busy(m_bBusy);
        Invoke(m_pEntryPoints->m_pfnClose, m_vi);
    }
    m_bOpened = false;
    m_bLive = false;
    m_pEntryPoints->Clear();
    if (!bCallInProgress)
        m_hDriver.Free();
}

void CInstrumentSession::Configure(EMeasureFunction eFunction, int nChannel, const std::string& p1,
                                   const std::string& p2, const std::string& p3, const std::string& p4)
{
    if (!m_bLive)
    {
        m_nonLive.StoreConfiguration(eFunction, p1, p2, p3, p4);
        return;
    }
    CallDriver(m_pEntryPoints->m_pfnConfigure, m_vi, Short(nChannel), Short(static_cast<int>(eFunction)),
               p1.c_str(), p2.c_str(), p3.c_str(), p4.c_str());
}

void CInstrumentSession::InitiateImmediate(int nChannel)
{
    if (m_bLive)
    {
        CallDriver(m_pEntryPoints->m_pfnInitiate, m_vi, Short(nChannel), Short(TARVEX_INITIATE_IMMEDIATE),
                   static_cast<ViChar*>(nullptr));
    }
}

void CInstrumentSession::InitiateContinuous(int nChannel, bool bOn)
{
    if (m_bLive)
    {
        CDriverBuffer sent(bOn ? "ON" : "OFF");
        CallDriver(m_pEntryPoints->m_pfnInitiate, m_vi, Short(nChannel), Short(TARVEX_INITIATE_CONTINUOUS),
                   sent.Data());
    }
}

std::string CInstrumentSession::QueryContinuous(int nChannel)
{
    if (!m_bLive)
    {
        m_strResult = "0";
        return m_strResult;
    }
    return QueryDriver(
        [&](ViChar* pAnswer)
        {
            return Invoke(m_pEntryPoints->m_pfnInitiate, m_vi, Short(nChannel),
                          Short(TARVEX_INITIATE_QUERY_CONTINUOUS), pAnswer);
        });
}

std::string CInstrumentSession::Fetch(int nChannel)
{
    if (!m_bLive)
    {
        m_strResult = "0.0";
        return m_strResult;
    }
    return QueryDriver([&](ViChar* pReading)
                       { return Invoke(m_pEntryPoints->m_pfnFetch, m_vi, Short(nChannel), pReading); });
}

// Read waits for a whole measurement, the longest call there is, so it shares the one busy flag: a tick or
// a handler run by a message loop during the wait must be refused like any other call, which a flag of
// Read's own would let through to the driver.
std::string CInstrumentSession::Read(int nChannel)
{
    if (!m_bLive)
    {
        m_strResult = "0.0";
        return m_strResult;
    }
    return QueryDriver([&](ViChar* pReading)
                       { return Invoke(m_pEntryPoints->m_pfnRead, m_vi, Short(nChannel), pReading); });
}

void CInstrumentSession::Abort(int nChannel)
{
    if (m_bLive)
        CallDriver(m_pEntryPoints->m_pfnAbort, m_vi, Short(nChannel));
}

void CInstrumentSession::ClearStatus()
{
    if (m_bLive)
        CallDriver(m_pEntryPoints->m_pfnIeeeCom, m_vi, "*CLS", static_cast<ViChar*>(nullptr));
}

void CInstrumentSession::Trigger()
{
    if (m_bLive)
        CallDriver(m_pEntryPoints->m_pfnIeeeCom, m_vi, "*TRG", static_cast<ViChar*>(nullptr));
}

uint8_t CInstrumentSession::QueryOperationPending()
{
    if (!m_bLive)
        return 0;
    ViInt16 nCondition = 0;
    CallDriver(m_pEntryPoints->m_pfnOperQ, m_vi, &nCondition);
    return static_cast<uint8_t>(nCondition & 0xFF);
}

void CInstrumentSession::SetSense(int nChannel, ESenseSelector eSelector, const std::string& text)
{
    const SSelector* pSelector = FindSelector(eSelector);
    if (pSelector == nullptr)
        return;
    SetSetting(pSelector->nStored, text,
               [&]
               {
                   if (StartsLikeNumber(text))
                       return Invoke(m_pEntryPoints->m_pfnSense, m_vi, Short(nChannel),
                                     Short(pSelector->nSetItem), LeadingDouble(text),
                                     static_cast<ViChar*>(nullptr));
                   CDriverBuffer sent(text);
                   return Invoke(m_pEntryPoints->m_pfnSense, m_vi, Short(nChannel),
                                 Short(pSelector->nSetItem), 0.0, sent.Data());
               });
}

std::string CInstrumentSession::QuerySenseItem(int nChannel, int nItem)
{
    CDriverBuffer answer;
    CheckStatus(Invoke(m_pEntryPoints->m_pfnSense, m_vi, Short(nChannel), Short(nItem), 0.0, answer.Data()));
    return answer.Answer();
}

std::string CInstrumentSession::QuerySense(int nChannel, ESenseSelector eSelector)
{
    // Guarded and busy whether live or not, before the selector is looked at, unlike the other queries.
    GuardReentry();
    CBusyScope busy(m_bBusy);
    m_strResult = kBadCommand;
    const SSelector* pSelector = FindSelector(eSelector);
    if (pSelector == nullptr || pSelector->nQueryItem == kNone)
        return m_strResult;
    if (!m_bLive)
    {
        if (eSelector != ESenseSelector::Function)
            m_strResult = m_nonLive.Setting(static_cast<CNonLiveSettings::ESetting>(pSelector->nAnswered));
        else if (const std::string keyword = QuotedFunctionKeyword(m_nonLive.Function()); !keyword.empty())
            m_strResult = keyword;
        return m_strResult;
    }
    m_strResult = QuerySenseItem(nChannel, pSelector->nQueryItem);
    if (eSelector == ESenseSelector::TriggerLevel &&
        IsAutoTriggerOn(QuerySenseItem(nChannel, TARVEX_SENSE_AUTO_TRIGGER_QUERY)))
        m_strResult = "AUTO";
    return m_strResult;
}

void CInstrumentSession::SetInput(int nChannel, EInputSelector eSelector, const std::string& text)
{
    // The reentry guard first, also when not live, unlike SetSense.
    GuardReentry();
    const SSelector* pSelector = FindSelector(eSelector);
    if (pSelector == nullptr)
        return;
    SetSetting(pSelector->nStored, text,
               [&]
               {
                   CDriverBuffer sent(text);
                   return Invoke(m_pEntryPoints->m_pfnInput, m_vi, Short(nChannel),
                                 Short(pSelector->nSetItem), sent.Data());
               });
}

std::string CInstrumentSession::QueryInput(int nChannel, EInputSelector eSelector)
{
    const SSelector* pSelector = FindSelector(eSelector);
    if (pSelector == nullptr)
        return m_strResult;
    return QuerySetting(pSelector->nAnswered,
                        [&](ViChar* pAnswer) {
                            return Invoke(m_pEntryPoints->m_pfnInput, m_vi, Short(nChannel),
                                          Short(pSelector->nQueryItem), pAnswer);
                        });
}

void CInstrumentSession::SetArm(EArmSelector eSelector, const std::string& text)
{
    // The reentry guard first, also when not live, unlike SetSense.
    GuardReentry();
    const SSelector* pSelector = FindSelector(eSelector);
    if (pSelector == nullptr)
        return;
    // The immediate arms (the selectors without a query) send no value text.
    const ViChar* pszValue = pSelector->nQueryItem == kNone ? nullptr : text.c_str();
    SetSetting(pSelector->nStored, text,
               [&]
               {
                   return Invoke(m_pEntryPoints->m_pfnArm, m_vi, Short(pSelector->nSetItem), pszValue,
                                 static_cast<ViChar*>(nullptr));
               });
}

std::string CInstrumentSession::QueryArm(EArmSelector eSelector)
{
    const SSelector* pSelector = FindSelector(eSelector);
    if (pSelector == nullptr || pSelector->nQueryItem == kNone)
        return m_strResult;
    return QuerySetting(pSelector->nAnswered,
                        [&](ViChar* pAnswer)
                        {
                            return Invoke(m_pEntryPoints->m_pfnArm, m_vi, Short(pSelector->nQueryItem),
                                          static_cast<const ViChar*>(nullptr), pAnswer);
                        });
}

void CInstrumentSession::SetOutput(const std::string& target, const std::string& text)
{
    // The reentry guard first, also when not live, unlike SetSense.
    GuardReentry();
    const std::optional<SOutputTarget> output = FindOutputTarget(target);
    if (!output)
        return;
    SetSetting(output->nStored, text,
               [&]
               {
                   CDriverBuffer sent(text);
                   return Invoke(m_pEntryPoints->m_pfnOutput, m_vi, Short(output->nSetItem),
                                 Short(output->nLine), sent.Data());
               });
}

std::string CInstrumentSession::QueryOutput(const std::string& target)
{
    const std::optional<SOutputTarget> output = FindOutputTarget(target);
    if (!output)
        return m_strResult;
    return QuerySetting(output->nStored,
                        [&](ViChar* pAnswer)
                        {
                            return Invoke(m_pEntryPoints->m_pfnOutput, m_vi, Short(output->nQueryItem),
                                          Short(output->nLine), pAnswer);
                        });
}
