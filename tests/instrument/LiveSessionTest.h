#pragma once
// Fixture for tests of a live session: the simulated counter at power-on with one instrument that the
// session has opened through the library search path, and the call log cleared.

#include "instrument/InstrumentSession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CLiveSessionTest : public ::testing::Test
{
public:
    static constexpr const char* kResource = "VXI0::24::INSTR";

protected:
    void SetUp() override;
    void TearDown() override;

    // The simulator's call log since the last clear, one line per call.
    static std::vector<std::string> Calls();
    // The same lines without their status, for tests that check what reached the driver.
    static std::vector<std::string> CallArguments();

    CInstrumentSession m_session;
};
