// A session on a driver that breaks the contract (built by the tests, first on LD_LIBRARY_PATH): answers
// longer than their buffer and the program's events handled inside every driver call.

#include "AnswerQueries.h"

#include "TarvexAbi.h"
#include "framework/base/LibrarySearchPath.h"
#include "framework/base/UserException.h"
#include "instrument/InstrumentSession.h"
#include "support/ScopedEnvironment.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace
{
using enum ESenseSelector;
using enum EInputSelector;
using enum EArmSelector;
const std::string kAnswer(TARVEX_BUFFER_SIZE - 1, 'H'); // what is kept of the driver's 300 bytes

class CHostileDriverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_session.IsLive());
        std::vector<std::string> resources;
        int32_t nCount = 0;
        ASSERT_TRUE(m_session.AutoInit(1, resources, nCount));
        ASSERT_EQ(nCount, 1);
    }

    // Calls that entered the driver while another was running.
    int NestedDriverCalls() const
    {
        const auto pfnCount =
            reinterpret_cast<int (*)()>(m_session.DriverLibrary().Symbol("tarvexhostile_nested_calls"));
        return pfnCount ? pfnCount() : -1;
    }

    testsupport::CScopedEnvironment m_path{"LD_LIBRARY_PATH", (ProgramFolder() + "/hostile").c_str()};
    CInstrumentSession m_session;
};

TEST_F(CHostileDriverTest, ThreeHundredByteAnswersAreCutAt255AndOverrunNothing)
{
    std::vector<std::pair<const char*, FAnswerQuery>> answers = AnswerQueries();
    answers.insert(answers.end(),
                   {
                       {"self test",
                        [](auto& s)
                        {
                            std::string message;
                            s.SelfTest(message);
                            return message;
                        }},
                       {"error query",
                        [](auto& s)
                        {
                            std::string message;
                            s.ErrorQuery(message);
                            return message;
                        }},
                       // Texts sent through a writable buffer, which this driver overwrites as well.
                       {"set sense", [](auto& s) { return (s.SetSense(1, Slope, "NEG"), kAnswer); }},
                       {"set input", [](auto& s) { return (s.SetInput(1, Coupling, "AC"), kAnswer); }},
                       {"set output", [](auto& s) { return (s.SetOutput("ROSC", "ON"), kAnswer); }},
                       {"continuous on", [](auto& s) { return (s.InitiateContinuous(1, true), kAnswer); }},
                   });
    for (const auto& [pszName, call] : answers)
    {
        SCOPED_TRACE(pszName);
        EXPECT_EQ(call(m_session), kAnswer);
    }
}

// While a fetch handles events, the calls of event handlers are refused, Read included, and the second
// refused call as well as the first.
TEST_F(CHostileDriverTest, NoCallEntersTheDriverWhileAFetchHandlesEvents)
{
    std::vector<std::optional<int32_t>> refusals;
    const auto postCall = [&](std::function<void(CInstrumentSession&)> call)
    {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [&, call]
            {
                try
                {
                    call(m_session);
                    refusals.emplace_back();
                }
                catch (const CUserException&)
                {
                    refusals.emplace_back(m_session.GetLastStatus());
                }
            },
            Qt::QueuedConnection);
    };
    postCall([](auto& s) { s.Read(1); });
    postCall([](auto& s) { s.QuerySense(1, RelativeTriggerLevel); });
    postCall([](auto& s) { s.SetTimeout(12000); });

    EXPECT_EQ(m_session.Fetch(1), kAnswer);

    const std::optional<int32_t> kRefused = CInstrumentSession::kStatusReentry;
    EXPECT_EQ(refusals, (std::vector<std::optional<int32_t>>{kRefused, kRefused, kRefused}));
    EXPECT_EQ(NestedDriverCalls(), 0);
    EXPECT_FALSE(m_session.IsBusy());
    EXPECT_EQ(m_session.Read(1), kAnswer);
}
} // namespace
