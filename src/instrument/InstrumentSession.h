#pragma once
// The one session through which the program reaches the counter. It loads the VISA and driver libraries,
// opens the instrument, and wraps each driver entry point in an operation that guards against reentry,
// records a failing status and raises CUserException, always clearing its busy flag first. No call enters
// the driver while another is in progress (a driver that handles window events inside a call could
// otherwise be called again from an event handler): such a call fails with kStatusReentry, and the calls
// that never raise make no driver call then. Without the libraries or an open instrument it is non-live:
// operations then store into and answer from its CNonLiveSettings, and make no driver call.

#include "NonLiveSettings.h"
#include "Selectors.h"
#include "framework/base/DynamicLibrary.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CDriverEntryPoints;

// What a failed call's status means for the operator: the instrument has errors queued, the call timed
// out, or anything else.
enum class EFailureKind
{
    InstrumentError,
    TimeOut,
    General,
};

class CInstrumentSession
{
public:
    // The status recorded for a reentrant call.
    static constexpr int32_t kStatusReentry = -1;
    // The status recorded when the driver lacks the operation's entry point (the VISA code for an
    // operation that is not supported); it is reported as a general error.
    static constexpr int32_t kStatusNoEntryPoint = static_cast<int32_t>(0xBFFF0067);
    // At most this many resources of the driver's search are taken.
    static constexpr int kMaxResources = 64;

    // An empty folder means the library search path (LibrarySearchPath).
    explicit CInstrumentSession(const std::string& libraryFolder = {});
    ~CInstrumentSession();
    CInstrumentSession(const CInstrumentSession&) = delete;
    CInstrumentSession& operator=(const CInstrumentSession&) = delete;

    bool AutoInit(int16_t nFlag, std::vector<std::string>& resources, int32_t& nCount);
    bool Init(const std::string& resource);
    void SetTimeout(int32_t nMilliseconds);
    int32_t GetSlot();
    void Close();
    void Reset();
    void DeviceClear();
    bool SelfTest(std::string& message);
    void ErrorQuery(std::string& message);

    int32_t GetLastStatus() const { return m_nLastStatus; }
    static EFailureKind FailureKindOf(int32_t nStatus);
    void SetLive(bool bLive) { m_bLive = bLive; }
    bool IsLive() const { return m_bLive; }
    bool IsBusy() const { return m_bBusy; }
    bool IsDriverLoaded() const { return m_hDriver.IsLoaded(); }
    const CDynamicLibrary& VisaLibrary() const { return m_hVisa; }
    const CDynamicLibrary& DriverLibrary() const { return m_hDriver; }
    // Closes an instrument the session opened, then frees the driver library; the session is non-live after.
    void UnloadDriver();

    void Configure(EMeasureFunction eFunction, int nChannel, const std::string& p1, const std::string& p2,
                   const std::string& p3, const std::string& p4);
    void InitiateImmediate(int nChannel);
    void InitiateContinuous(int nChannel, bool bOn);
    std::string QueryContinuous(int nChannel);
    std::string Fetch(int nChannel);
    std::string Read(int nChannel);
    void Abort(int nChannel);
    void ClearStatus();
    void Trigger();
    uint8_t QueryOperationPending();

    void SetSense(int nChannel, ESenseSelector eSelector, const std::string& text);
    std::string QuerySense(int nChannel, ESenseSelector eSelector);
    void SetInput(int nChannel, EInputSelector eSelector, const std::string& text);
    std::string QueryInput(int nChannel, EInputSelector eSelector);
    void SetArm(EArmSelector eSelector, const std::string& text = {});
    std::string QueryArm(EArmSelector eSelector);
    void SetOutput(const std::string& target, const std::string& text);
    std::string QueryOutput(const std::string& target);

    const CNonLiveSettings& NonLiveSettings() const { return m_nonLive; }
    const CDriverEntryPoints& EntryPoints() const { return *m_pEntryPoints; }

    // The driver's resource list is untrusted: at most kMaxResources entries, null entries skipped, each
    // read up to 255 characters; a null list is empty.
    static std::vector<std::string> CopyResourceList(char** ppList, int32_t nCount);

private:
    void GuardReentry();
    void CheckStatus(int32_t nStatus);
    bool Succeeded(int32_t nStatus);
    [[noreturn]] void Fail(int32_t nStatus);
    void EnableErrorDetection();
    template <typename TCall> void CallGuarded(TCall call);
    template <typename TFunction, typename... TArgs> void CallDriver(TFunction pfn, TArgs... args);
    template <typename TFunction, typename... TArgs>
    void CallDriverIgnoringStatus(TFunction pfn, TArgs... args);
    template <typename TCall> const std::string& QueryDriver(TCall call);
    template <typename TCall> void SetSetting(int nSetting, const std::string& text, TCall call);
    template <typename TCall> std::string QuerySetting(int nSetting, TCall call);
    std::string QuerySenseItem(int nChannel, int nItem);

    CDynamicLibrary m_hVisa;
    CDynamicLibrary m_hDriver;
    std::unique_ptr<CDriverEntryPoints> m_pEntryPoints;
    CNonLiveSettings m_nonLive;
    bool m_bBusy = false; // a driver call is in progress, whichever it is
    uint32_t m_vi = 0;
    std::string m_strResult;
    int32_t m_nLastStatus = 0;
    bool m_bLive = true;
    bool m_bOpened = false; // the driver opened an instrument (closed again on unloading)
};
