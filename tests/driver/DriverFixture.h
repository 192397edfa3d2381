#pragma once
// The simulated driver as the tests drive it: through its C entry points and controls only, on the manual
// clock, with one session opened the way the program opens it.

#include "TarvexAbi.h"
#include "TarvexSim.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace drivertest
{
using testsupport::CScopedEnvironment;

struct SErrorEntry
{
    ViInt32 nCode;
    std::string message;
};

// A number as the instrument writes it, read without regard to the process locale; nullopt when the
// whole text is not one number.
std::optional<double> ParseNumber(const std::string& text);

class CDriverTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Set and query of one item of tarvex_sense, tarvex_input, tarvex_arm or tarvex_output; nIndex is the
    // channel (sense, input) or the trigger line (output). A null text sends the number.
    ViStatus SetItem(const std::string& entryPoint, int nIndex, int nItem, const char* pszText,
                     double dNumber = 0);
    std::string QueryItem(const std::string& entryPoint, int nIndex, int nItem);

    ViStatus Configure(int nChannel, int nFunction, const char* pszExpected = "DEF");
    ViStatus Fetch(int nChannel, std::string& reading);
    ViStatus Common(const char* pszCommand) { return tarvex_ieeecom(m_vi, pszCommand, nullptr); }
    int OperationCondition();
    std::vector<SErrorEntry> DrainErrors();

    ViSession m_vi = 0;

private:
    std::vector<std::unique_ptr<CScopedEnvironment>> m_environment;
};
} // namespace drivertest
