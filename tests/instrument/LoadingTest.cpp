// Loading the two libraries (the first driver file on the search path, whether or not it loads), what the
// start-up reports of it, opening the instrument, the driver's untrusted resource list, missing entry
// points and unloading.

#include "LiveSessionTest.h"
#include "TemporaryFolder.h"

#include "TarvexSim.h"
#include "framework/base/LibrarySearchPath.h"
#include "framework/base/UserException.h"
#include "instrument/DriverEntryPoints.h"
#include "instrument/LoadReport.h"
#include "support/ScopedEnvironment.h"

#include <climits>
#include <cstring>
#include <memory>

namespace
{
const char* const kVisaLibrary = "libvisa32.so";
const char* const kDriverLibrary = "libtarvex_32.so";

std::string EntryPointOf(const std::string& call)
{
    return call.substr(0, call.find(' '));
}

std::vector<std::string> EntryPointsCalled()
{
    std::vector<std::string> names;
    for (int nIndex = 0; nIndex < tarvexsim_call_count(); ++nIndex)
        names.push_back(EntryPointOf(tarvexsim_call(nIndex)));
    return names;
}

TEST(SessionLoading, OrdinarySearchFindsBothLibrariesAndEveryEntryPoint)
{
    CInstrumentSession session;
    EXPECT_TRUE(session.IsLive());
    EXPECT_TRUE(session.IsDriverLoaded());
    EXPECT_EQ(session.EntryPoints().ResolvedCount(), CDriverEntryPoints::kEntryPointCount);
    EXPECT_EQ(session.GetLastStatus(), 0);
    EXPECT_FALSE(session.IsBusy());
}

// Either library missing: non-live from the start, and the driver's entry points are never looked up.
TEST(SessionLoading, MissingLibraryMeansNonLive)
{
    const struct
    {
        const char* pszName;
        std::vector<std::string> present;
    } cases[] = {
        {"neither library", {}},
        {"only the VISA library", {kVisaLibrary}},
        {"only the driver library", {kDriverLibrary}},
    };
    for (const auto& testCase : cases)
    {
        SCOPED_TRACE(testCase.pszName);
        CTemporaryFolder folder;
        for (const std::string& library : testCase.present)
            ASSERT_TRUE(folder.CopyLibrary(library));
        tarvexsim_reset();
        CInstrumentSession session(folder.Path());
        EXPECT_FALSE(session.IsLive());
        EXPECT_FALSE(session.IsDriverLoaded());
        EXPECT_EQ(session.EntryPoints().ResolvedCount(), 0);

        std::vector<std::string> resources;
        int32_t nCount = -1;
        EXPECT_FALSE(session.AutoInit(1, resources, nCount));
        EXPECT_EQ(nCount, 0);
        EXPECT_FALSE(session.Init(CLiveSessionTest::kResource));
        EXPECT_EQ(session.GetSlot(), -1);
        EXPECT_NO_THROW(session.SetTimeout(12000));
        EXPECT_EQ(session.Fetch(1), "0.0");
        EXPECT_EQ(tarvexsim_call_count(), 0);
    }
}

// A driver without some entry points: nothing is called through a missing one. An operation without its
// entry point fails like a failed driver call, and one that never raises stays quiet.
TEST(SessionLoading, MissingEntryPointFailsWithoutACall)
{
    CTemporaryFolder folder;
    ASSERT_TRUE(folder.CopyLibrary(kVisaLibrary));
    const std::vector<std::string> missing = {"tarvex_auto_init", "tarvex_init", "tarvex_abort", "tarvex_dcl",
                                              "tarvex_error_query"};
    ASSERT_TRUE(folder.CopyLibrary(kDriverLibrary, missing));

    CInstrumentSession session(folder.Path());
    ASSERT_TRUE(session.IsLive());
    EXPECT_EQ(session.EntryPoints().ResolvedCount(),
              CDriverEntryPoints::kEntryPointCount - static_cast<int>(missing.size()));
    EXPECT_EQ(session.EntryPoints().m_pfnAbort, nullptr);
    EXPECT_NE(session.EntryPoints().m_pfnFetch, nullptr);

    std::vector<std::string> resources;
    int32_t nCount = -1;
    EXPECT_FALSE(session.AutoInit(1, resources, nCount));
    EXPECT_EQ(session.GetLastStatus(), CInstrumentSession::kStatusNoEntryPoint);
    EXPECT_FALSE(session.Init(CLiveSessionTest::kResource));

    EXPECT_THROW(session.Abort(1), CUserException);
    EXPECT_EQ(session.GetLastStatus(), CInstrumentSession::kStatusNoEntryPoint);
    EXPECT_FALSE(session.IsBusy());

    EXPECT_NO_THROW(session.DeviceClear());
    std::string message = "stale";
    EXPECT_NO_THROW(session.ErrorQuery(message));
    EXPECT_EQ(message, "");
    EXPECT_FALSE(session.IsBusy());
}

std::string BuiltFolder(const std::string& subfolder = {})
{
    return ProgramFolder() + subfolder;
}

// A driver file first on LD_LIBRARY_PATH that cannot be loaded leaves the session non-live and says why;
// the simulator in the program's folder, further down the path, is never taken instead.
TEST(SessionLoading, DriverFirstOnThePathThatCannotLoadIsNeverReplaced)
{
    CTemporaryFolder folder;
    std::string damaged = CTemporaryFolder::BuiltLibrary(kDriverLibrary);
    std::string wrongArchitecture = damaged;
    ASSERT_GT(damaged.size(), 4u);
    damaged[1] = 'X';         // the ELF magic number
    wrongArchitecture[4] = 1; // ELFCLASS32: a 32-bit library
    const struct
    {
        const char* pszName;
        std::string bytes; // written into the temporary folder; empty: the folder holds a built driver
        std::string folder;
        const char* pszLoaderText;
    } cases[] = {
        {"damaged file", damaged, folder.Path(), "invalid ELF header"},
        {"wrong architecture", wrongArchitecture, folder.Path(), "wrong ELF class: ELFCLASS32"},
        {"missing dependency", "", BuiltFolder("/missing-dependency"), "libunreachabledependency.so"},
    };
    for (const auto& testCase : cases)
    {
        SCOPED_TRACE(testCase.pszName);
        if (!testCase.bytes.empty())
            ASSERT_TRUE(folder.Write(kDriverLibrary, testCase.bytes));
        const testsupport::CScopedEnvironment path("LD_LIBRARY_PATH", testCase.folder.c_str());
        tarvexsim_reset();
        CInstrumentSession session;
        EXPECT_FALSE(session.IsLive());
        EXPECT_FALSE(session.IsDriverLoaded());
        EXPECT_EQ(session.DriverLibrary().Path(), testCase.folder + "/" + kDriverLibrary);
        const std::string failure = LoadFailure(session);
        EXPECT_NE(failure.find(testCase.pszLoaderText), std::string::npos) << failure;
        EXPECT_NE(failure.find("non-live mode"), std::string::npos) << failure;
        EXPECT_EQ(LoadReport(session), std::vector<std::string>{failure});

        std::vector<std::string> resources;
        int32_t nCount = 0;
        EXPECT_FALSE(session.AutoInit(1, resources, nCount));
        EXPECT_EQ(tarvexsim_call_count(), 0);
    }
}

TEST(SessionLoading, ReportNamesTheDriverFileAndWhatItLacks)
{
    CTemporaryFolder emptyFolder;
    const struct
    {
        const char* pszName;
        const char* pszLibraryPath; // null: unset
        std::string folder;
        std::vector<std::string> expected;
    } cases[] = {
        {"the bundled simulator",
         nullptr,
         {},
         {"instrument driver " + BuiltFolder("/") + kDriverLibrary +
          " (the simulated counter bundled with the program)"}},
        {"another driver first on the path",
         ":/nonexistent-folder::",
         {},
         {"instrument driver " + BuiltFolder("/hostile/") + kDriverLibrary,
          "the instrument driver lacks tarvex_getLA, tarvex_ftoa"}},
        {"no library in the folder",
         nullptr,
         emptyFolder.Path(),
         {std::string(kVisaLibrary) + " not found in " + emptyFolder.Path() + ": non-live mode"}},
    };
    for (const auto& testCase : cases)
    {
        SCOPED_TRACE(testCase.pszName);
        const std::string libraryPath =
            testCase.pszLibraryPath ? testCase.pszLibraryPath + BuiltFolder("/hostile") : std::string();
        const testsupport::CScopedEnvironment path("LD_LIBRARY_PATH",
                                                   testCase.pszLibraryPath ? libraryPath.c_str() : nullptr);
        CInstrumentSession session(testCase.folder);
        EXPECT_EQ(LoadReport(session), testCase.expected);
        EXPECT_EQ(LoadFailure(session), "");
    }
}

class CSessionOpeningTest : public CLiveSessionTest
{
protected:
    bool Search(const std::vector<const char*>& found, std::vector<std::string>& resources, int32_t& nCount)
    {
        tarvexsim_set_resources(found.data(), static_cast<int>(found.size()));
        tarvexsim_clear_calls();
        return m_session.AutoInit(1, resources, nCount);
    }
};

TEST_F(CSessionOpeningTest, SearchFindingOneInstrumentOpensItWithErrorDetection)
{
    std::vector<std::string> resources;
    int32_t nCount = 0;
    ASSERT_TRUE(Search({"VXI0::8::INSTR"}, resources, nCount));
    EXPECT_EQ(nCount, 1);
    EXPECT_EQ(resources, std::vector<std::string>{"VXI0::8::INSTR"});
    EXPECT_EQ(EntryPointsCalled(), (std::vector<std::string>{"tarvex_auto_init", "tarvex_errorQueryDetect"}));
    EXPECT_EQ(CallArguments().back(), "tarvex_errorQueryDetect 1");
    EXPECT_TRUE(m_session.IsLive());
}

TEST_F(CSessionOpeningTest, SearchFindingSeveralOrNoneOpensNothing)
{
    const std::vector<std::vector<const char*>> cases = {
        {"VXI0::8::INSTR", "VXI0::16::INSTR", "GPIB-VXI0::24::INSTR"},
        {},
    };
    for (const std::vector<const char*>& found : cases)
    {
        SCOPED_TRACE(found.size());
        std::vector<std::string> resources;
        int32_t nCount = -1;
        EXPECT_EQ(Search(found, resources, nCount), !found.empty()) << "none found: resource not found";
        EXPECT_EQ(nCount, static_cast<int32_t>(found.size()));
        EXPECT_EQ(resources, std::vector<std::string>(found.begin(), found.end()));
        EXPECT_EQ(EntryPointsCalled(), std::vector<std::string>{"tarvex_auto_init"});
    }
}

// Resource lists as a faulty driver could hand them over.
TEST(ResourceList, UntrustedListIsCopiedWithinBounds)
{
    char szFirst[] = "VXI0::1::INSTR";
    char szThird[] = "VXI0::3::INSTR";
    char* list[] = {szFirst, nullptr, szThird};
    const std::string longName(300, 'L');
    std::vector<char> longEntry(longName.begin(), longName.end());
    longEntry.push_back('\0');
    // Exactly 255 characters and no terminating NUL: the copy must stop at the block's end.
    const auto pUnterminated = std::make_unique<char[]>(255);
    std::memset(pUnterminated.get(), 'U', 255);
    char* oddList[] = {longEntry.data(), pUnterminated.get()};

    const struct
    {
        const char* pszName;
        char** ppList;
        int32_t nCount;
        std::vector<std::string> expected;
    } cases[] = {
        {"null list", nullptr, 3, {}},
        {"null entries skipped", list, 3, {"VXI0::1::INSTR", "VXI0::3::INSTR"}},
        {"count shorter than the list", list, 1, {"VXI0::1::INSTR"}},
        {"zero count", list, 0, {}},
        {"negative count", list, -4, {}},
        {"long and unterminated entries cut at 255",
         oddList,
         2,
         {longName.substr(0, 255), std::string(255, 'U')}},
    };
    for (const auto& testCase : cases)
    {
        SCOPED_TRACE(testCase.pszName);
        EXPECT_EQ(CInstrumentSession::CopyResourceList(testCase.ppList, testCase.nCount), testCase.expected);
    }
}

TEST(ResourceList, HugeCountReadsNoMoreThanTheBound)
{
    // Exactly as many entries as the bound: reading one more would leave the block.
    auto pList = std::make_unique<char*[]>(CInstrumentSession::kMaxResources);
    char szName[] = "VXI0::9::INSTR";
    std::fill_n(pList.get(), CInstrumentSession::kMaxResources, static_cast<char*>(szName));
    const std::vector<std::string> resources = CInstrumentSession::CopyResourceList(pList.get(), INT32_MAX);
    EXPECT_EQ(resources.size(), static_cast<std::size_t>(CInstrumentSession::kMaxResources));
}

TEST_F(CLiveSessionTest, UnloadingClosesTheOpenedInstrumentAndEndsLiveMode)
{
    m_session.UnloadDriver();
    EXPECT_EQ(EntryPointsCalled(), std::vector<std::string>{"tarvex_close"});
    EXPECT_FALSE(m_session.IsLive());
    EXPECT_FALSE(m_session.IsDriverLoaded());
    EXPECT_EQ(m_session.EntryPoints().ResolvedCount(), 0);

    tarvexsim_clear_calls();
    EXPECT_EQ(m_session.Fetch(1), "0.0");
    EXPECT_NO_THROW(m_session.Abort(1));
    EXPECT_EQ(tarvexsim_call_count(), 0);
}

TEST(SessionUnloading, NothingIsClosedThatWasNotOpened)
{
    const struct
    {
        const char* pszName;
        std::vector<const char*> found;
        bool bSetNonLive;
    } cases[] = {
        {"several found, none chosen", {"VXI0::1::INSTR", "VXI0::2::INSTR"}, false},
        {"one found, then made non-live", {"VXI0::1::INSTR"}, true},
    };
    for (const auto& testCase : cases)
    {
        SCOPED_TRACE(testCase.pszName);
        tarvexsim_reset();
        tarvexsim_set_resources(testCase.found.data(), static_cast<int>(testCase.found.size()));
        CInstrumentSession session;
        std::vector<std::string> resources;
        int32_t nCount = 0;
        ASSERT_TRUE(session.AutoInit(1, resources, nCount));
        session.SetLive(!testCase.bSetNonLive);
        tarvexsim_clear_calls();
        session.UnloadDriver();
        EXPECT_EQ(tarvexsim_call_count(), 0);
        EXPECT_FALSE(session.IsLive());
        EXPECT_FALSE(session.IsDriverLoaded());
    }
    tarvexsim_reset();
}

void UnloadFromInside(void* pContext)
{
    static_cast<CInstrumentSession*>(pContext)->UnloadDriver();
}

// Unloading while a driver call has not returned keeps the library mapped until the program ends.
TEST_F(CLiveSessionTest, UnloadingDuringADriverCallKeepsTheLibraryLoaded)
{
    tarvexsim_set_reply("tarvex_fetch", 0, "+3.0E+06");
    tarvexsim_set_hook("tarvex_fetch", &UnloadFromInside, &m_session);
    EXPECT_EQ(m_session.Fetch(1), "+3.0E+06");
    EXPECT_FALSE(m_session.IsLive());
    EXPECT_TRUE(m_session.IsDriverLoaded());
    EXPECT_EQ(EntryPointsCalled(), std::vector<std::string>{"tarvex_fetch"});
    EXPECT_FALSE(m_session.IsBusy());
}
} // namespace
