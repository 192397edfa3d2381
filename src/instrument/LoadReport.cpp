#include "LoadReport.h"

#include "DriverEntryPoints.h"
#include "InstrumentSession.h"
#include "framework/base/DynamicLibrary.h"
#include "framework/base/LibrarySearchPath.h"

namespace
{
struct SLibrary
{
    const char* pszName;
    const CDynamicLibrary& library;
};

std::vector<SLibrary> Libraries(const CInstrumentSession& session)
{
    return {{"the VISA library", session.VisaLibrary()}, {"the instrument driver", session.DriverLibrary()}};
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}
} // namespace

std::vector<std::string> LoadReport(const CInstrumentSession& session)
{
    // The driver is loaded only after the VISA library: the first one not loaded is the reason.
    for (const SLibrary& entry : Libraries(session))
    {
        if (!entry.library.IsLoaded())
        {
            const std::string failure = LoadFailure(session);
            return {failure.empty() ? entry.library.LastError() + ": non-live mode" : failure};
        }
    }
    const CDynamicLibrary& driver = session.DriverLibrary();
    std::vector<std::string> lines = {
        "instrument driver " + driver.Path() +
        (IsInProgramLibraryFolder(driver.Path()) ? " (the simulated counter bundled with the program)" : "")};
    if (const std::vector<std::string>& missing = session.EntryPoints().MissingNames(); !missing.empty())
        lines.push_back("the instrument driver lacks " + Joined(missing));
    return lines;
}

std::string LoadFailure(const CInstrumentSession& session)
{
    for (const SLibrary& entry : Libraries(session))
    {
        if (!entry.library.IsLoaded() && !entry.library.Path().empty())
        {
            return std::string("Cannot load ") + entry.pszName + ": " + entry.library.LastError() +
                   ". The front panel runs in non-live mode.";
        }
    }
    return {};
}
